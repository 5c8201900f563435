// The arguments of one late-bound call: converted from DISPPARAMS, handed to the method, outputs written back.
#pragma once

#include <k42gui/oleauto.h>

#include <cstdint>
#include <span>
#include <vector>

namespace k42com {

// How a parameter of an IGuiXmlModel method crosses IDispatch::Invoke.
enum class ArgKind : uint8_t {
  InText,           // BSTR
  InLong,           // long
  InEnum,           // an enumeration of the type library
  OutText,          // BSTR*
  OutLong,          // long*
  OutEnum,          // pointer to an enumeration
  OutArray,         // VARIANT* receiving an array
  OutNumberInText,  // BSTR* through which the method writes an integer
};

// The arguments of one call. Load converts what DISPPARAMS holds (last
// argument first) into the values and pointers the method takes:
// - inputs with VariantChangeType (by-reference inputs are read through);
// - text outputs as VT_BYREF|VT_BSTR (passed through) or VT_BYREF|VT_VARIANT;
// - integer outputs as VT_BYREF|VT_I4 or VT_BYREF|VT_VARIANT;
// - array outputs as VT_BYREF|VT_VARIANT.
// WriteBack then stores the outputs of the VT_BYREF|VT_VARIANT and
// VT_BYREF|VT_I4 forms: a text the method wrote becomes VT_BSTR and an array
// the method wrote replaces the variant's content (the variant is cleared
// first: a script variable that held an array from an earlier call gives it
// up), an integer becomes VT_I4. An output the method left untouched
// leaves the caller's variant as it was: for texts exactly; for integers the
// method starts from the variant's value as VT_I4 (VT_EMPTY reads as 0) and
// the variant is rewritten only when the value changed or could not be read
// as VT_I4.
class DispatchArgs {
 public:
  DispatchArgs() = default;
  ~DispatchArgs();
  DispatchArgs(const DispatchArgs&) = delete;
  DispatchArgs& operator=(const DispatchArgs&) = delete;

  // S_OK, or DISP_E_TYPEMISMATCH / DISP_E_OVERFLOW with *argErr (when given)
  // set to the index in rgvarg of the offending argument. The count of
  // arguments must already have been checked.
  HRESULT Load(const DISPPARAMS& params, std::span<const ArgKind> kinds, UINT* argErr);

  // Values and pointers for parameter i (0 = the method's first parameter).
  BSTR Text(size_t i) const { return m_slots[i].input.bstrVal; }
  long Long(size_t i) const { return static_cast<long>(m_slots[i].input.llVal); }
  int32_t Enum(size_t i) const { return m_slots[i].input.lVal; }
  BSTR* TextOut(size_t i) { return m_slots[i].text; }
  long* LongOut(size_t i) { return &m_slots[i].number; }
  int32_t* EnumOut(size_t i) { return &m_slots[i].enumeration; }
  VARIANT* ArrayOut(size_t i) { return m_slots[i].array; }

  // Stores the outputs held in the slots into the caller's arguments.
  void WriteBack();

 private:
  struct Slot {
    ArgKind kind = ArgKind::InText;
    VARIANT input{};           // a converted input (owned)
    BSTR* text = nullptr;      // where the method writes a text
    BSTR textValue = nullptr;  // the slot text points here for variant outputs
    long number = 0;
    int32_t enumeration = 0;
    int32_t initial = 0;               // integer start value, to see a change
    bool alwaysWrite = false;          // the start value was not the caller's
    VARIANT* array = nullptr;          // where the method writes an array
    VARIANT arrayValue{};              // the slot array points here; moved to variantTarget when written
    VARIANT* variantTarget = nullptr;  // VT_BYREF|VT_VARIANT argument
    LONG* longTarget = nullptr;        // VT_BYREF|VT_I4 argument
  };

  HRESULT LoadOne(Slot& slot, VARIANTARG& arg);
  int32_t Number(const Slot& slot) const;

  std::vector<Slot> m_slots;
};

}  // namespace k42com
