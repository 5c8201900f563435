// What the component server needs from the platform it runs on: its module handle, the interface's type
// information and the type library's registration.
#pragma once

#include <k42gui/oleauto.h>

#include <string>

namespace k42com {

// The handle of the module containing the component.
HMODULE OwnModuleHandle();

// Creates the type information of IGuiXmlModel, with one reference for the caller.
// Result: S_OK, or the failure of creating or loading it.
HRESULT LoadInterfaceTypeInfo(ITypeInfo** typeInfo);

// Registers the type library held by the module at modulePath (its keys under TypeLib), and removes them again.
// Result: S_OK or the first failure; unregistering a library that is not registered is no failure.
HRESULT RegisterTypeLibrary(const std::u16string& modulePath);
HRESULT UnregisterTypeLibrary();

}  // namespace k42com
