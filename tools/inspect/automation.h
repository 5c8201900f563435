// Conversions between automation values (BSTR, VARIANT arrays) and the
// inspector's UTF-8 strings and rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <k42gui/oleauto.h>

namespace inspect {

std::string Utf8(const std::u16string& text);
std::u16string Utf16(const std::string& text);

// An owned BSTR made from UTF-8 text; converts back to UTF-8.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::string& text);
  ~Bstr() { SysFreeString(m_value); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  operator BSTR() const { return m_value; }
  // For output parameters: frees what is held and hands out the slot.
  BSTR* Out();
  std::string Str() const;
  bool IsNull() const { return m_value == nullptr; }

 private:
  BSTR m_value = nullptr;
};

// One element of a returned array, as the inspector reads it.
struct Cell {
  VARTYPE type = VT_EMPTY;
  std::string text;    // VT_BSTR
  int64_t number = 0;  // VT_I4, VT_BOOL (0 / -1)
};

// The rows of a one- or two-dimensional VT_ARRAY | VT_VARIANT; a
// one-dimensional array gives rows of one cell. Empty when the VARIANT holds
// no array.
std::vector<std::vector<Cell>> ReadRows(const VARIANT& value);

// An owned VARIANT, cleared on destruction.
class Variant {
 public:
  Variant() { VariantInit(&m_value); }
  ~Variant() { VariantClear(&m_value); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* operator&() { return &m_value; }
  const VARIANT& Get() const { return m_value; }

 private:
  VARIANT m_value;
};

}  // namespace inspect
