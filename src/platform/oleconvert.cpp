// VariantChangeType: conversion of variants between numbers, booleans, strings and objects.
#include <k42gui/oleauto.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// A numeric value read from a variant, in the widest form that holds it.
struct Number {
  enum Kind { kSigned, kUnsigned, kReal } kind = kSigned;
  LONGLONG s = 0;
  ULONGLONG u = 0;
  double r = 0;
  bool fromBool = false;  // a boolean, which wraps into unsigned targets
};

// Range of an integer target type.
struct IntegerRange {
  LONGLONG lo;
  ULONGLONG hi;
  double loReal;       // lo as a double (exact: a power of two or 0)
  double hiRealLimit;  // hi + 1 as a double (exact: a power of two)
  bool isSigned;
};

bool GetIntegerRange(VARTYPE vt, IntegerRange* range) {
  switch (vt) {
    case VT_I1:
      *range = {-0x80, 0x7F, -0x1p7, 0x1p7, true};
      return true;
    case VT_UI1:
      *range = {0, 0xFF, 0, 0x1p8, false};
      return true;
    case VT_I2:
      *range = {-0x8000, 0x7FFF, -0x1p15, 0x1p15, true};
      return true;
    case VT_UI2:
      *range = {0, 0xFFFF, 0, 0x1p16, false};
      return true;
    case VT_I4:
    case VT_INT:
      *range = {-0x7FFFFFFFLL - 1, 0x7FFFFFFF, -0x1p31, 0x1p31, true};
      return true;
    case VT_UI4:
    case VT_UINT:
      *range = {0, 0xFFFFFFFFULL, 0, 0x1p32, false};
      return true;
    case VT_I8:
      *range = {-0x7FFFFFFFFFFFFFFFLL - 1, 0x7FFFFFFFFFFFFFFFULL, -0x1p63, 0x1p63, true};
      return true;
    case VT_UI8:
      *range = {0, 0xFFFFFFFFFFFFFFFFULL, 0, 0x1p64, false};
      return true;
    default:
      return false;
  }
}

bool IsBlank(OLECHAR c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Trims blanks and narrows to ASCII; false if a character is not ASCII.
bool TrimmedAscii(BSTR text, std::string* out) {
  UINT begin = 0;
  UINT end = SysStringLen(text);
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  out->clear();
  for (UINT i = begin; i < end; ++i) {
    if (text[i] > 0x7F) return false;
    out->push_back(static_cast<char>(text[i]));
  }
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a decimal number: sign, digits, optional fraction and exponent.
HRESULT ParseNumber(BSTR text, Number* number) {
  std::string s;
  if (!TrimmedAscii(text, &s)) return DISP_E_TYPEMISMATCH;
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const size_t digitsBegin = i;
  size_t mantissaDigits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++mantissaDigits;
  const size_t digitsEnd = i;
  bool integral = true;
  if (i < s.size() && s[i] == '.') {
    integral = false;
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return DISP_E_TYPEMISMATCH;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    integral = false;
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (i == s.size() || !IsDigit(s[i])) return DISP_E_TYPEMISMATCH;
    while (i < s.size() && IsDigit(s[i])) ++i;
  }
  if (i != s.size()) return DISP_E_TYPEMISMATCH;

  if (integral) {
    ULONGLONG magnitude = 0;
    auto [end, ec] = std::from_chars(s.data() + digitsBegin, s.data() + digitsEnd, magnitude);
    if (ec == std::errc() && end == s.data() + digitsEnd) {
      if (!negative) {
        number->kind = Number::kUnsigned;
        number->u = magnitude;
        return S_OK;
      }
      if (magnitude <= 0x8000000000000000ULL) {
        number->kind = Number::kSigned;
        number->s = magnitude == 0x8000000000000000ULL ? -0x7FFFFFFFFFFFFFFFLL - 1 : -static_cast<LONGLONG>(magnitude);
        return S_OK;
      }
    }
    // Too large for 64 bits: read as a real, which then overflows the target.
  }
  // from_chars takes no leading '+'.
  const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
  double value = 0;
  auto [end, ec] = std::from_chars(begin, s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Underflow reads as zero; overflow does not fit any target.
    if (std::fabs(value) > 1) return DISP_E_OVERFLOW;
    value = 0;
  } else if (ec != std::errc() || end != s.data() + s.size()) {
    return DISP_E_TYPEMISMATCH;
  }
  if (std::isinf(value)) return DISP_E_OVERFLOW;
  number->kind = Number::kReal;
  number->r = value;
  return S_OK;
}

// Compares a text with a lower-case ASCII word, ignoring case.
bool EqualsWord(const std::string& text, const char* word) {
  size_t i = 0;
  for (; word[i] != 0; ++i) {
    if (i >= text.size()) return false;
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return i == text.size();
}

// Reads the value of a by-value scalar variant.
HRESULT ReadNumber(const VARIANT& v, Number* number) {
  switch (v.vt) {
    case VT_EMPTY:
      number->s = 0;
      break;
    case VT_I1:
      number->s = static_cast<signed char>(v.cVal);
      break;
    case VT_I2:
      number->s = v.iVal;
      break;
    case VT_I4:
      number->s = v.lVal;
      break;
    case VT_INT:
      number->s = v.intVal;
      break;
    case VT_I8:
      number->s = v.llVal;
      break;
    case VT_BOOL:
      number->s = v.boolVal;
      number->fromBool = true;
      break;
    case VT_UI1:
      number->kind = Number::kUnsigned, number->u = v.bVal;
      break;
    case VT_UI2:
      number->kind = Number::kUnsigned, number->u = v.uiVal;
      break;
    case VT_UI4:
      number->kind = Number::kUnsigned, number->u = v.ulVal;
      break;
    case VT_UINT:
      number->kind = Number::kUnsigned, number->u = v.uintVal;
      break;
    case VT_UI8:
      number->kind = Number::kUnsigned, number->u = v.ullVal;
      break;
    case VT_R4:
      number->kind = Number::kReal, number->r = v.fltVal;
      break;
    case VT_R8:
      number->kind = Number::kReal, number->r = v.dblVal;
      break;
    case VT_BSTR:
      return ParseNumber(v.bstrVal, number);
    default:
      return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

bool IsNonZero(const Number& n) {
  switch (n.kind) {
    case Number::kSigned:
      return n.s != 0;
    case Number::kUnsigned:
      return n.u != 0;
    case Number::kReal:
      return n.r != 0;
  }
  return false;
}

double ToReal(const Number& n) {
  switch (n.kind) {
    case Number::kSigned:
      return static_cast<double>(n.s);
    case Number::kUnsigned:
      return static_cast<double>(n.u);
    case Number::kReal:
      return n.r;
  }
  return 0;
}

void StoreInteger(VARTYPE vt, ULONGLONG bits, VARIANT* out) {
  out->vt = vt;
  switch (vt) {
    case VT_I1:
      out->cVal = static_cast<CHAR>(bits);
      break;
    case VT_UI1:
      out->bVal = static_cast<BYTE>(bits);
      break;
    case VT_I2:
      out->iVal = static_cast<SHORT>(bits);
      break;
    case VT_UI2:
      out->uiVal = static_cast<USHORT>(bits);
      break;
    case VT_I4:
      out->lVal = static_cast<LONG>(bits);
      break;
    case VT_INT:
      out->intVal = static_cast<INT>(bits);
      break;
    case VT_UI4:
      out->ulVal = static_cast<ULONG>(bits);
      break;
    case VT_UINT:
      out->uintVal = static_cast<UINT>(bits);
      break;
    case VT_I8:
      out->llVal = static_cast<LONGLONG>(bits);
      break;
    case VT_UI8:
      out->ullVal = bits;
      break;
    default:
      break;
  }
}

HRESULT ToInteger(const Number& n, VARTYPE vt, const IntegerRange& range, VARIANT* out) {
  ULONGLONG bits = 0;
  switch (n.kind) {
    case Number::kSigned:
      // A boolean's -1 wraps into an unsigned type (True is 255 as a byte).
      if (n.fromBool && !range.isSigned) {
        bits = static_cast<ULONGLONG>(n.s) & range.hi;
        break;
      }
      if (n.s < range.lo || (n.s > 0 && static_cast<ULONGLONG>(n.s) > range.hi)) return DISP_E_OVERFLOW;
      bits = static_cast<ULONGLONG>(n.s);
      break;
    case Number::kUnsigned:
      if (n.u > range.hi) return DISP_E_OVERFLOW;
      bits = n.u;
      break;
    case Number::kReal: {
      // Halves round to the even neighbour (the default rounding mode).
      double rounded = std::nearbyint(n.r);
      if (!(rounded >= range.loReal && rounded < range.hiRealLimit)) return DISP_E_OVERFLOW;
      bits = rounded < 0 ? static_cast<ULONGLONG>(static_cast<LONGLONG>(rounded)) : static_cast<ULONGLONG>(rounded);
      break;
    }
  }
  StoreInteger(vt, bits, out);
  return S_OK;
}

HRESULT ToText(const VARIANT& source, const Number& n, USHORT flags, VARIANT* out) {
  std::string text;
  if (source.vt == VT_EMPTY) {
    // The empty value reads as the empty string.
  } else if (n.fromBool) {
    if (flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)) {
      text = n.s != 0 ? "True" : "False";
    } else {
      text = n.s != 0 ? "-1" : "0";
    }
  } else if (n.kind == Number::kReal) {
    // 15 significant digits for doubles and 7 for floats, as Windows writes them.
    char buffer[32];
    double value = n.r == 0 ? 0.0 : n.r;  // no "-0"
    std::snprintf(buffer, sizeof buffer, source.vt == VT_R4 ? "%.7G" : "%.15G", value);
    text = buffer;
  } else {
    char buffer[24];
    auto [end, ec] = n.kind == Number::kSigned ? std::to_chars(buffer, buffer + sizeof buffer, n.s)
                                               : std::to_chars(buffer, buffer + sizeof buffer, n.u);
    text.assign(buffer, end);
  }
  std::u16string wide(text.begin(), text.end());
  BSTR result = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (result == nullptr) return E_OUTOFMEMORY;
  out->vt = VT_BSTR;
  out->bstrVal = result;
  return S_OK;
}

HRESULT ConvertScalar(const VARIANT& source, USHORT flags, VARTYPE vt, VARIANT* out) {
  if (vt == VT_BOOL && source.vt == VT_BSTR) {
    std::string word;
    if (TrimmedAscii(source.bstrVal, &word) && (EqualsWord(word, "true") || EqualsWord(word, "false"))) {
      out->vt = VT_BOOL;
      out->boolVal = EqualsWord(word, "true") ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    }
  }
  Number n;
  IntegerRange range;
  const bool integerTarget = GetIntegerRange(vt, &range);
  if (!integerTarget && vt != VT_R4 && vt != VT_R8 && vt != VT_BOOL && vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
  HRESULT hr = ReadNumber(source, &n);
  if (FAILED(hr)) return hr;
  if (integerTarget) return ToInteger(n, vt, range, out);
  switch (vt) {
    case VT_R8:
      out->vt = VT_R8;
      out->dblVal = ToReal(n);
      return S_OK;
    case VT_R4: {
      double value = ToReal(n);
      if (std::isfinite(value) && std::fabs(value) > FLT_MAX) return DISP_E_OVERFLOW;
      out->vt = VT_R4;
      out->fltVal = static_cast<FLOAT>(value);
      return S_OK;
    }
    case VT_BOOL:
      out->vt = VT_BOOL;
      out->boolVal = IsNonZero(n) ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    default:
      return ToText(source, n, flags, out);
  }
}

HRESULT Convert(const VARIANT& source, USHORT flags, VARTYPE vt, VARIANT* out, bool allowValueProperty);

// Converts an object: to another interface through QueryInterface, to a
// value through its default property.
HRESULT ConvertObject(const VARIANT& source, USHORT flags, VARTYPE vt, VARIANT* out, bool allowValueProperty) {
  IUnknown* object = source.punkVal;
  if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
    out->vt = vt;
    out->punkVal = nullptr;
    if (object == nullptr) return S_OK;
    void* target = nullptr;
    if (FAILED(object->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &target))) {
      out->vt = VT_EMPTY;
      return DISP_E_TYPEMISMATCH;
    }
    out->punkVal = static_cast<IUnknown*>(target);
    return S_OK;
  }
  if (object == nullptr || (flags & VARIANT_NOVALUEPROP) || !allowValueProperty) return DISP_E_TYPEMISMATCH;
  IDispatch* dispatch = nullptr;
  if (FAILED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) return DISP_E_TYPEMISMATCH;
  DISPPARAMS noArguments{nullptr, nullptr, 0, 0};
  VARIANT value;
  VariantInit(&value);
  HRESULT hr = dispatch->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &noArguments, &value,
                                nullptr, nullptr);
  dispatch->Release();
  if (FAILED(hr)) {
    VariantClear(&value);
    return DISP_E_TYPEMISMATCH;
  }
  // The default property's own value is not asked for its default property.
  hr = Convert(value, flags, vt, out, false);
  VariantClear(&value);
  return hr;
}

// Converts a by-value variant into an empty one.
HRESULT Convert(const VARIANT& source, USHORT flags, VARTYPE vt, VARIANT* out, bool allowValueProperty) {
  if (source.vt == vt) return VariantCopy(out, &source);
  if (vt == VT_EMPTY) return S_OK;
  if (source.vt == VT_NULL || vt == VT_NULL) return DISP_E_TYPEMISMATCH;
  if ((source.vt | vt) & VT_ARRAY) return DISP_E_TYPEMISMATCH;
  if (source.vt == VT_DISPATCH || source.vt == VT_UNKNOWN) {
    return ConvertObject(source, flags, vt, out, allowValueProperty);
  }
  return ConvertScalar(source, flags, vt, out);
}

bool IsTargetType(VARTYPE vt) {
  if (vt & (VT_BYREF | VT_VECTOR | VT_RESERVED)) return false;
  VARTYPE base = vt & VT_TYPEMASK;
  if (vt & VT_ARRAY) return base != VT_EMPTY && base != VT_NULL;
  return base != VT_VARIANT && (base <= VT_DECIMAL || (base >= VT_I1 && base <= VT_UINT) || base == VT_RECORD);
}

}  // namespace

HRESULT VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt) {
  if (pvargDest == nullptr || pvarSrc == nullptr) return E_INVALIDARG;
  if (!IsTargetType(vt)) return DISP_E_BADVARTYPE;
  // The source is read through a private copy of its value, which checks its
  // type and dereferences a by-reference source.
  VARIANT value;
  VariantInit(&value);
  HRESULT hr = VariantCopyInd(&value, pvarSrc);
  if (FAILED(hr)) return hr;
  VARIANT result;
  VariantInit(&result);
  hr = Convert(value, wFlags, vt, &result, true);
  VariantClear(&value);
  if (FAILED(hr)) return hr;
  // The destination is cleared only now: it may be the source.
  hr = VariantClear(pvargDest);
  if (FAILED(hr)) {
    VariantClear(&result);
    return hr;
  }
  *pvargDest = result;
  return S_OK;
}

HRESULT VariantChangeTypeEx(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt) {
  return VariantChangeType(pvargDest, pvarSrc, wFlags, vt);
}
