// The description of IGuiXmlModel's 42 methods that late binding works from: names, identifiers, help strings, parameters.
#pragma once

#include <k42gui/IGuiXmlModel.h>

#include <span>

#include "component/dispatch_args.h"

namespace k42com {

// One method of IGuiXmlModel as the type information describes it.
struct MethodDesc {
  DISPID id;  // 1 to 42, the interface order
  const char16_t* name;
  const char16_t* help;                                       // the type library's help string
  std::span<const char16_t* const> parameters;                // parameter names
  std::span<const ArgKind> kinds;                             // how each parameter crosses Invoke
  HRESULT (*call)(IGuiXmlModel* object, DispatchArgs& args);  // calls the method through the vtable
};

// The 42 methods in dispatch-identifier order.
std::span<const MethodDesc> Methods();

// The method with that dispatch identifier, or null.
const MethodDesc* FindMethod(DISPID id);

// Calls method `id` of object with the arguments of a late-bound call. flags must include DISPATCH_METHOD;
// named arguments are refused (DISP_E_NONAMEDARGS); the argument count must match (DISP_E_BADPARAMCOUNT);
// arguments are converted as DispatchArgs describes, so that a script's by-reference variants receive the
// outputs. The result is the method's own S_OK or S_FALSE: its HRESULT is not a return value, so result, when
// given, is set to VT_EMPTY.
HRESULT InvokeMethod(IGuiXmlModel* object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr);

}  // namespace k42com
