// Conversions between automation values (BSTR, VARIANT arrays) and the inspector's UTF-8 strings and rows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <k42gui/oleauto.h>

namespace inspect {

std::string Utf8(const std::u16string& text);
std::u16string Utf16(const std::string& text);

// The UTF-8 text of a BSTR (an AutoBstr converts to one); empty for null.
std::string Utf8(BSTR text);

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

}  // namespace inspect
