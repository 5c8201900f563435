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

void VariantArray::Put(size_t row, size_t column, VARIANT& cell) {
  // The cell moves into its element, which is still VT_EMPTY from the array's creation: no copy of its
  // text is made and freed again, as SafeArrayPutElement would, and no index is looked up cell by cell.
  if (m_cells != nullptr && row < m_rows && column < m_columns) {
    VARIANT* target = m_cells + row + column * m_rows;
    if (target->vt != VT_EMPTY) VariantClear(target);
    *target = cell;
    VariantInit(&cell);
    return;
  }
  m_allStored = false;
  VariantClear(&cell);
}

void VariantArray::PutText(size_t row, size_t column, std::u16string_view text) {
  VARIANT cell;
  VariantInit(&cell);
  cell.vt = VT_BSTR;
  cell.bstrVal = ToBstr(text);
  if (!cell.bstrVal) {
    m_allStored = false;
    return;
  }
  Put(row, column, cell);
}

void VariantArray::PutLong(size_t row, size_t column, int32_t value) {
  VARIANT cell;
  VariantInit(&cell);
  cell.vt = VT_I4;
  cell.lVal = value;
  Put(row, column, cell);
}

void VariantArray::PutBool(size_t row, size_t column, bool value) {
  VARIANT cell;
  VariantInit(&cell);
  cell.vt = VT_BOOL;
  cell.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  Put(row, column, cell);
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
