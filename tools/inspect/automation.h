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

// The cells of a returned one- or two-dimensional VT_ARRAY | VT_VARIANT, read where they lie: a large
// device answers with millions of cells, and copying each out before reading it cost more than the
// calls themselves. A one-dimensional array has rows of one cell; a VARIANT without an array has no rows.
// The VARIANT must outlive the table.
class Table {
 public:
  explicit Table(const VARIANT& value);
  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  size_t Rows() const { return m_rows; }
  // The text of a string cell; empty for any other cell and beyond the last column.
  std::string Text(size_t row, size_t column) const;
  // A number (VT_I4) or boolean (VT_BOOL: 0 / -1); `fallback` for an empty cell and beyond the last
  // column, 0 for any other type.
  int64_t Number(size_t row, size_t column, int64_t fallback = 0) const;

 private:
  const VARIANT* Cell(size_t row, size_t column) const;

  SAFEARRAY* m_array = nullptr;
  const unsigned char* m_data = nullptr;
  size_t m_rows = 0, m_columns = 0, m_cellSize = 0;
};

}  // namespace inspect
