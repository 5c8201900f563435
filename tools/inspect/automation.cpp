// BSTR and SAFEARRAY conversions for the inspector.
#include "inspect/automation.h"

#include <k42gui/winnls.h>

namespace inspect {

// Through the code-page functions a host has; an empty text is refused by them, so it is answered here.
std::string Utf8(const std::u16string& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::string out(WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

std::u16string Utf16(const std::string& text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::u16string out(MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), static_cast<int>(out.size()));
  return out;
}

std::string Utf8(BSTR text) { return text ? Utf8(std::u16string(text, SysStringLen(text))) : std::string(); }

namespace {

Cell ToCell(const VARIANT& element) {
  Cell cell;
  cell.type = element.vt;
  if (element.vt == VT_BSTR) {
    cell.text = Utf8(element.bstrVal);
  } else if (element.vt == VT_I4) {
    cell.number = element.lVal;
  } else if (element.vt == VT_BOOL) {
    cell.number = element.boolVal;
  }
  return cell;
}

}  // namespace

std::vector<std::vector<Cell>> ReadRows(const VARIANT& value) {
  std::vector<std::vector<Cell>> rows;
  if (value.vt != (VT_ARRAY | VT_VARIANT) || value.parray == nullptr) return rows;
  SAFEARRAY* array = value.parray;
  const UINT dims = SafeArrayGetDim(array);
  LONG rowLow = 0, rowHigh = -1, colLow = 0, colHigh = 0;
  SafeArrayGetLBound(array, 1, &rowLow);
  SafeArrayGetUBound(array, 1, &rowHigh);
  if (dims == 2) {
    SafeArrayGetLBound(array, 2, &colLow);
    SafeArrayGetUBound(array, 2, &colHigh);
  } else if (dims != 1) {
    return rows;
  }
  for (LONG r = rowLow; r <= rowHigh; ++r) {
    std::vector<Cell> row;
    for (LONG c = colLow; c <= colHigh; ++c) {
      VARIANT element;
      VariantInit(&element);
      LONG index[2] = {r, c};
      if (SafeArrayGetElement(array, index, &element) == S_OK)
        row.push_back(ToCell(element));
      else
        row.push_back(Cell{});
      VariantClear(&element);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace inspect
