// BSTR and SAFEARRAY conversions for the inspector.
#include "inspect/automation.h"

#include <k42gui/winnls.h>

#include "inspect/system.h"

namespace inspect {

// Through the code-page functions a host has; an empty text is refused by them, so it is answered here.
// Through the code-page functions a host has; an empty text is refused by them, so it is answered here.
// Plain ASCII, most of what a device holds, converts unit by unit to the same bytes.
std::string Utf8(const std::u16string& text) {
  if (text.empty()) return {};
  std::string out(text.size(), '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] >= 0x80) {
      const int length = static_cast<int>(text.size());
      out.assign(WideCharToMultiByte(CP_UTF8, 0, sys::Wide(text.data()), length, nullptr, 0, nullptr, nullptr), '\0');
      WideCharToMultiByte(CP_UTF8, 0, sys::Wide(text.data()), length, out.data(), static_cast<int>(out.size()), nullptr,
                          nullptr);
      return out;
    }
    out[i] = static_cast<char>(text[i]);
  }
  return out;
}

std::u16string Utf16(const std::string& text) {
  if (text.empty()) return {};
  std::u16string out(text.size(), u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) {
      const int length = static_cast<int>(text.size());
      out.assign(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0), u'\0');
      MultiByteToWideChar(CP_UTF8, 0, text.data(), length, sys::Wide(out.data()), static_cast<int>(out.size()));
      return out;
    }
    out[i] = static_cast<char16_t>(text[i]);
  }
  return out;
}

std::string Utf8(BSTR text) {
  if (text == nullptr) return {};
  const auto* units = reinterpret_cast<const char16_t*>(text);
  const size_t length = SysStringLen(text);
  std::string out(length, '\0');
  for (size_t i = 0; i < length; ++i) {
    if (units[i] >= 0x80) return Utf8(std::u16string(units, length));
    out[i] = static_cast<char>(units[i]);
  }
  return out;
}

Table::Table(const VARIANT& value) {
  if (value.vt != (VT_ARRAY | VT_VARIANT) || value.parray == nullptr) return;
  SAFEARRAY* array = value.parray;
  const UINT dims = SafeArrayGetDim(array);
  if (dims != 1 && dims != 2) return;
  LONG rowLow = 0, rowHigh = -1, colLow = 0, colHigh = 0;
  SafeArrayGetLBound(array, 1, &rowLow);
  SafeArrayGetUBound(array, 1, &rowHigh);
  if (dims == 2) {
    SafeArrayGetLBound(array, 2, &colLow);
    SafeArrayGetUBound(array, 2, &colHigh);
  }
  if (rowHigh < rowLow || colHigh < colLow) return;
  void* data = nullptr;
  if (SafeArrayAccessData(array, &data) != S_OK || data == nullptr) return;
  m_array = array;
  m_data = static_cast<const unsigned char*>(data);
  m_rows = static_cast<size_t>(rowHigh - rowLow) + 1;
  m_columns = static_cast<size_t>(colHigh - colLow) + 1;
  m_cellSize = SafeArrayGetElemsize(array);
}

Table::~Table() {
  if (m_array != nullptr) SafeArrayUnaccessData(m_array);
}

// The first index varies fastest in the array's storage, so a row's cells lie a column apart.
const VARIANT* Table::Cell(size_t row, size_t column) const {
  if (row >= m_rows || column >= m_columns) return nullptr;
  return reinterpret_cast<const VARIANT*>(m_data + (row + column * m_rows) * m_cellSize);
}

std::string Table::Text(size_t row, size_t column) const {
  const VARIANT* cell = Cell(row, column);
  return cell != nullptr && cell->vt == VT_BSTR ? Utf8(cell->bstrVal) : std::string();
}

int64_t Table::Number(size_t row, size_t column, int64_t fallback) const {
  const VARIANT* cell = Cell(row, column);
  if (cell == nullptr || cell->vt == VT_EMPTY) return fallback;
  if (cell->vt == VT_I4) return cell->lVal;
  if (cell->vt == VT_BOOL) return cell->boolVal;
  return 0;
}

}  // namespace inspect
