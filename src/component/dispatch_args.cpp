// Converts the VARIANT arguments of a late-bound call and writes the outputs back to by-reference arguments.
#include "component/dispatch_args.h"

#include <cstdint>

namespace k42com {

namespace {

// Marks a text output that the method has not written: methods only ever
// store new BSTRs (or null) into their outputs and never read them.
OLECHAR g_unwritten[] = u"";

bool IsTextOutput(ArgKind kind) { return kind == ArgKind::OutText; }
bool IsNumberOutput(ArgKind kind) {
  return kind == ArgKind::OutLong || kind == ArgKind::OutEnum || kind == ArgKind::OutNumberInText;
}

HRESULT Convert(VARIANT& to, VARIANTARG& from, VARTYPE type) {
  HRESULT hr = VariantChangeType(&to, &from, 0, type);
  if (SUCCEEDED(hr)) return S_OK;
  return hr == DISP_E_OVERFLOW ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
}

}  // namespace

DispatchArgs::~DispatchArgs() {
  for (Slot& slot : m_slots) {
    VariantClear(&slot.input);
    VariantClear(&slot.arrayValue);
  }
}

HRESULT DispatchArgs::Load(const DISPPARAMS& params, std::span<const ArgKind> kinds, UINT* argErr) {
  m_slots.assign(kinds.size(), Slot{});
  for (size_t i = 0; i < kinds.size(); ++i) {
    Slot& slot = m_slots[i];
    slot.kind = kinds[i];
    VariantInit(&slot.input);
    const UINT position = static_cast<UINT>(kinds.size() - 1 - i);  // DISPPARAMS holds the last argument first
    HRESULT hr = LoadOne(slot, params.rgvarg[position]);
    if (FAILED(hr)) {
      if (argErr) *argErr = position;
      return hr;
    }
  }
  return S_OK;
}

HRESULT DispatchArgs::LoadOne(Slot& slot, VARIANTARG& arg) {
  const bool variantRef = arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal;
  switch (slot.kind) {
    case ArgKind::InText:
      return Convert(slot.input, arg, VT_BSTR);
    case ArgKind::InLong:
      // 64 bits, so that a window handle passed as VT_I8 arrives whole.
      return Convert(slot.input, arg, VT_I8);
    case ArgKind::InEnum:
      return Convert(slot.input, arg, VT_I4);
    case ArgKind::OutText:
      if (arg.vt == (VT_BYREF | VT_BSTR) && arg.pbstrVal) {
        slot.text = arg.pbstrVal;
        return S_OK;
      }
      if (!variantRef) return DISP_E_TYPEMISMATCH;
      slot.variantTarget = arg.pvarVal;
      slot.textValue = g_unwritten;
      slot.text = &slot.textValue;
      return S_OK;
    case ArgKind::OutArray:
      if (!variantRef) return DISP_E_TYPEMISMATCH;
      slot.variantTarget = arg.pvarVal;
      VariantInit(&slot.arrayValue);
      slot.array = &slot.arrayValue;
      return S_OK;
    case ArgKind::OutLong:
    case ArgKind::OutEnum:
    case ArgKind::OutNumberInText: {
      if (arg.vt == (VT_BYREF | VT_I4) && arg.plVal) {
        slot.longTarget = arg.plVal;
        slot.initial = *arg.plVal;
      } else if (variantRef) {
        slot.variantTarget = arg.pvarVal;
        VARIANT start;
        VariantInit(&start);
        if (SUCCEEDED(VariantChangeType(&start, arg.pvarVal, 0, VT_I4))) {
          slot.initial = start.lVal;
        } else {
          slot.alwaysWrite = true;
        }
        VariantClear(&start);
      } else {
        return DISP_E_TYPEMISMATCH;
      }
      slot.number = slot.initial;
      slot.enumeration = slot.initial;
      slot.textValue = reinterpret_cast<BSTR>(static_cast<intptr_t>(slot.initial));
      slot.text = &slot.textValue;
      return S_OK;
    }
  }
  return DISP_E_TYPEMISMATCH;
}

int32_t DispatchArgs::Number(const Slot& slot) const {
  switch (slot.kind) {
    case ArgKind::OutLong:
      return static_cast<int32_t>(slot.number);
    case ArgKind::OutEnum:
      return slot.enumeration;
    default:
      return static_cast<int32_t>(reinterpret_cast<intptr_t>(slot.textValue));
  }
}

void DispatchArgs::WriteBack() {
  for (Slot& slot : m_slots) {
    if (IsTextOutput(slot.kind) && slot.variantTarget) {
      if (slot.textValue == g_unwritten) continue;
      VariantClear(slot.variantTarget);
      slot.variantTarget->vt = VT_BSTR;
      slot.variantTarget->bstrVal = slot.textValue;
      slot.textValue = g_unwritten;  // now owned by the caller's variant
    } else if (slot.kind == ArgKind::OutArray && slot.variantTarget) {
      if (slot.arrayValue.vt == VT_EMPTY) continue;
      VariantClear(slot.variantTarget);
      *slot.variantTarget = slot.arrayValue;
      VariantInit(&slot.arrayValue);  // now owned by the caller's variant
    } else if (IsNumberOutput(slot.kind)) {
      const int32_t value = Number(slot);
      if (slot.longTarget) {
        *slot.longTarget = value;
      } else if (slot.variantTarget && (slot.alwaysWrite || value != slot.initial)) {
        VariantClear(slot.variantTarget);
        slot.variantTarget->vt = VT_I4;
        slot.variantTarget->lVal = value;
      }
    }
  }
}

}  // namespace k42com
