// Fills and hands out the SAFEARRAYs of variants returned by the interface methods.
#include "component/variant_array.h"

#include "component/conversions.h"

#include <limits>

namespace k42com {

namespace {

ULONG Count(size_t n) { return n > std::numeric_limits<LONG>::max() ? 0 : static_cast<ULONG>(n); }

}  // namespace

VariantArray::VariantArray(size_t rows) {
  SAFEARRAYBOUND bound = {Count(rows), 0};
  if (bound.cElements == rows) m_array = SafeArrayCreate(VT_VARIANT, 1, &bound);
  m_created = m_array != nullptr;
  if (m_created) {
    m_cells = static_cast<VARIANT*>(m_array->pvData);
    m_rows = rows;
    m_columns = 1;
  }
}

VariantArray::VariantArray(size_t rows, size_t columns) {
  SAFEARRAYBOUND bounds[2] = {{Count(rows), 0}, {Count(columns), 0}};
  if (bounds[0].cElements == rows && bounds[1].cElements == columns) m_array = SafeArrayCreate(VT_VARIANT, 2, bounds);
  m_created = m_array != nullptr;
  if (m_created) {
    m_cells = static_cast<VARIANT*>(m_array->pvData);
    m_rows = rows;
    m_columns = columns;
  }
}

VariantArray::~VariantArray() {
  if (m_array) SafeArrayDestroy(m_array);
}

VARIANT* VariantArray::Cell(size_t row, size_t column) {
  // Each value is written straight into its element, which is still VT_EMPTY from the array's creation:
  // no copy of a text is made and freed again, as SafeArrayPutElement would, and no index is looked up.
  if (m_cells == nullptr || row >= m_rows || column >= m_columns) {
    m_allStored = false;
    return nullptr;
  }
  VARIANT* cell = m_cells + row + column * m_rows;
  if (cell->vt != VT_EMPTY) VariantClear(cell);
  return cell;
}

void VariantArray::PutText(size_t row, size_t column, std::u16string_view text) {
  BSTR copy = ToBstr(text);
  if (!copy) {
    m_allStored = false;
    return;
  }
  VARIANT* cell = Cell(row, column);
  if (cell == nullptr) {
    SysFreeString(copy);
    return;
  }
  cell->vt = VT_BSTR;
  cell->bstrVal = copy;
}

void VariantArray::PutLong(size_t row, size_t column, int32_t value) {
  if (VARIANT* cell = Cell(row, column)) {
    cell->vt = VT_I4;
    cell->lVal = value;
  }
}

void VariantArray::PutBool(size_t row, size_t column, bool value) {
  if (VARIANT* cell = Cell(row, column)) {
    cell->vt = VT_BOOL;
    cell->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  }
}

void VariantArray::PutText(size_t row, std::u16string_view text) { PutText(row, 0, text); }

bool VariantArray::HandOut(VARIANT* out) {
  if (!out || !m_array) return false;
  out->vt = VT_ARRAY | VT_VARIANT;
  out->parray = m_array;
  m_array = nullptr;
  m_cells = nullptr;
  return true;
}

}  // namespace k42com
