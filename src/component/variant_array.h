// Builds the arrays of variants that the interface methods return (one or two dimensions, lower bound 0).
#pragma once

#include <k42gui/oleauto.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace k42com {

// A new SAFEARRAY of VARIANT elements, filled cell by cell and then handed
// to the caller in the shape every array method promises (see
// <k42gui/IGuiXmlModel.h>): bounds (rows, columns), cell (r, c) stored with
// the index pair (r, c). A store that fails (no memory) is remembered, and
// filling goes on with the next cell.
//
// Example:
//   VariantArray table(rows, 2);
//   table.PutText(0, 0, u"modSetup");
//   table.PutLong(0, 1, kTAB);
//   table.HandOut(pvarModuleID);   // pvarModuleID->vt == VT_ARRAY | VT_VARIANT
class VariantArray {
 public:
  explicit VariantArray(size_t rows);         // one dimension
  VariantArray(size_t rows, size_t columns);  // rows x columns
  ~VariantArray();                            // destroys an array not handed out
  VariantArray(const VariantArray&) = delete;
  VariantArray& operator=(const VariantArray&) = delete;

  // Cells of a two-dimensional array.
  void PutText(size_t row, size_t column, std::u16string_view text);
  void PutLong(size_t row, size_t column, int32_t value);
  void PutBool(size_t row, size_t column, bool value);
  // Elements of a one-dimensional array.
  void PutText(size_t row, std::u16string_view text);

  // True when the array exists and every store so far succeeded.
  bool AllStored() const { return m_created && m_allStored; }

  // Gives the array to out (VT_ARRAY | VT_VARIANT), without clearing what
  // out held before. A null out, or an array that could not be created,
  // leaves out untouched; returns whether out received the array.
  bool HandOut(VARIANT* out);

  // HandOut, answered the way every array method answers: S_OK when out
  // received the array and every element was stored, else S_FALSE.
  HRESULT HandOutResult(VARIANT* out) {
    const bool complete = AllStored();
    return HandOut(out) && complete ? S_OK : S_FALSE;
  }

 private:
  // The empty element at (row, column), or null (and the array marked incomplete) when out of range.
  VARIANT* Cell(size_t row, size_t column);

  SAFEARRAY* m_array = nullptr;
  // The array's cells, first index fastest (cell (r, c) at r + c * rows), as every SAFEARRAY lays them out.
  VARIANT* m_cells = nullptr;
  size_t m_rows = 0;
  size_t m_columns = 0;
  bool m_created = false;
  bool m_allStored = true;
};

}  // namespace k42com
