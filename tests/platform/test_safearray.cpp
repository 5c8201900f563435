// Tests of safe arrays: index order, bounds, element ownership, locking and copying.
#include <k42gui/oleauto.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Text(BSTR s) { return std::u16string(s, SysStringLen(s)); }

TEST(SafeArray, TwoDimensionsAreIndexedRowThenColumnAndStoredColumnMajor) {
  SAFEARRAYBOUND bounds[2] = {{3, 0}, {2, 0}};  // 3 rows, 2 columns
  SAFEARRAY* psa = SafeArrayCreate(VT_VARIANT, 2, bounds);
  ASSERT_NE(psa, nullptr);
  EXPECT_EQ(SafeArrayGetDim(psa), 2u);
  EXPECT_EQ(psa->rgsabound[0].cElements, 2u);  // kept in reverse order
  LONG lower = -1, upper = -1;
  ASSERT_EQ(SafeArrayGetUBound(psa, 1, &upper), S_OK);
  EXPECT_EQ(upper, 2);
  ASSERT_EQ(SafeArrayGetUBound(psa, 2, &upper), S_OK);
  EXPECT_EQ(upper, 1);
  EXPECT_EQ(SafeArrayGetLBound(psa, 3, &lower), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetLBound(psa, 0, &lower), DISP_E_BADINDEX);

  for (LONG row = 0; row < 3; ++row) {
    for (LONG column = 0; column < 2; ++column) {
      VARIANT cell;
      VariantInit(&cell);
      cell.vt = VT_I4;
      cell.lVal = row * 10 + column;
      LONG index[2] = {row, column};
      ASSERT_EQ(SafeArrayPutElement(psa, index, &cell), S_OK);
    }
  }
  VARIANT* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(psa, reinterpret_cast<void**>(&data)), S_OK);
  EXPECT_EQ(data[1].lVal, 10);      // (row 1, column 0): the row varies fastest
  EXPECT_EQ(data[3 + 2].lVal, 21);  // (row 2, column 1)
  ASSERT_EQ(SafeArrayUnaccessData(psa), S_OK);
  VARIANT out;
  LONG index[2] = {2, 1};
  ASSERT_EQ(SafeArrayGetElement(psa, index, &out), S_OK);
  EXPECT_EQ(out.lVal, 21);
  LONG outside[2] = {1, 2};
  EXPECT_EQ(SafeArrayGetElement(psa, outside, &out), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
}

TEST(SafeArray, LowerBoundsShiftTheValidIndices) {
  SAFEARRAYBOUND bounds[2] = {{2, 5}, {3, -1}};
  SAFEARRAY* psa = SafeArrayCreate(VT_I2, 2, bounds);
  ASSERT_NE(psa, nullptr);
  LONG lower = 0, upper = 0;
  SafeArrayGetLBound(psa, 1, &lower);
  SafeArrayGetUBound(psa, 1, &upper);
  EXPECT_EQ(lower, 5);
  EXPECT_EQ(upper, 6);
  SafeArrayGetLBound(psa, 2, &lower);
  SafeArrayGetUBound(psa, 2, &upper);
  EXPECT_EQ(lower, -1);
  EXPECT_EQ(upper, 1);
  SHORT value = 9;
  LONG last[2] = {6, 1};
  EXPECT_EQ(SafeArrayPutElement(psa, last, &value), S_OK);
  LONG belowRows[2] = {4, 0}, aboveColumns[2] = {5, 2};
  EXPECT_EQ(SafeArrayPutElement(psa, belowRows, &value), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayPutElement(psa, aboveColumns, &value), DISP_E_BADINDEX);
  SafeArrayDestroy(psa);
}

TEST(SafeArray, ElementsAreCopiedInAndOutAndFreedWithTheArray) {
  SAFEARRAY* psa = SafeArrayCreateVector(VT_VARIANT, 0, 3);
  VARIANT cell;
  VariantInit(&cell);
  cell.vt = VT_BSTR;
  cell.bstrVal = SysAllocString(u"first");
  LONG i = 0;
  ASSERT_EQ(SafeArrayPutElement(psa, &i, &cell), S_OK);
  ASSERT_EQ(SafeArrayPutElement(psa, &i, &cell), S_OK);  // replaces (and frees) the first copy
  VariantClear(&cell);                                   // the caller's copy is its own
  VARIANT out;
  ASSERT_EQ(SafeArrayGetElement(psa, &i, &out), S_OK);
  EXPECT_EQ(Text(out.bstrVal), u"first");
  VariantClear(&out);
  i = 2;
  ASSERT_EQ(SafeArrayGetElement(psa, &i, &out), S_OK);
  EXPECT_EQ(out.vt, VT_EMPTY);  // never stored
  EXPECT_EQ(SafeArrayDestroy(psa), S_OK);

  // A string array takes the BSTR itself and hands out a new one.
  SAFEARRAY* strings = SafeArrayCreateVector(VT_BSTR, 1, 2);
  BSTR text = SysAllocString(u"second");
  i = 2;
  ASSERT_EQ(SafeArrayPutElement(strings, &i, text), S_OK);
  SysFreeString(text);
  BSTR copy = nullptr;
  ASSERT_EQ(SafeArrayGetElement(strings, &i, &copy), S_OK);
  EXPECT_EQ(Text(copy), u"second");
  SysFreeString(copy);
  i = 0;
  EXPECT_EQ(SafeArrayGetElement(strings, &i, &copy), DISP_E_BADINDEX);
  SafeArrayDestroy(strings);
}

TEST(SafeArray, CopiesAreDeep) {
  SAFEARRAYBOUND bounds[2] = {{1, 0}, {2, 0}};
  SAFEARRAY* psa = SafeArrayCreate(VT_BSTR, 2, bounds);
  BSTR text = SysAllocString(u"cell");
  LONG index[2] = {0, 1};
  SafeArrayPutElement(psa, index, text);
  SAFEARRAY* copy = nullptr;
  ASSERT_EQ(SafeArrayCopy(psa, &copy), S_OK);
  ASSERT_NE(copy, nullptr);
  SafeArrayPutElement(psa, index, nullptr);  // frees the original's string
  BSTR out = nullptr;
  ASSERT_EQ(SafeArrayGetElement(copy, index, &out), S_OK);
  EXPECT_EQ(Text(out), u"cell");
  VARTYPE vt = VT_EMPTY;
  ASSERT_EQ(SafeArrayGetVartype(copy, &vt), S_OK);
  EXPECT_EQ(vt, VT_BSTR);
  LONG upper = 0;
  SafeArrayGetUBound(copy, 2, &upper);
  EXPECT_EQ(upper, 1);
  SysFreeString(out);
  SysFreeString(text);
  SafeArrayDestroy(psa);
  SafeArrayDestroy(copy);
  EXPECT_EQ(SafeArrayCopy(nullptr, &copy), S_OK);
  EXPECT_EQ(copy, nullptr);
}

TEST(SafeArray, LockingAndBadArguments) {
  SAFEARRAY* psa = SafeArrayCreateVector(VT_I4, 0, 2);
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(psa, &data), S_OK);
  EXPECT_EQ(SafeArrayDestroy(psa), DISP_E_ARRAYISLOCKED);
  ASSERT_EQ(SafeArrayUnaccessData(psa), S_OK);
  EXPECT_EQ(SafeArrayUnlock(psa), E_UNEXPECTED);

  LONG i = 0;
  EXPECT_EQ(SafeArrayPutElement(nullptr, &i, &i), E_INVALIDARG);
  EXPECT_EQ(SafeArrayPutElement(psa, nullptr, &i), E_INVALIDARG);
  EXPECT_EQ(SafeArrayPutElement(psa, &i, nullptr), E_INVALIDARG);
  EXPECT_EQ(SafeArrayGetLBound(psa, 1, nullptr), E_INVALIDARG);
  EXPECT_EQ(SafeArrayDestroy(psa), S_OK);
  EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);

  SAFEARRAYBOUND bound{1, 0};
  EXPECT_EQ(SafeArrayCreate(VT_EMPTY, 1, &bound), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_I4, 0, &bound), nullptr);
  SAFEARRAYBOUND huge[2] = {{0xFFFFFFFF, 0}, {0xFFFFFFFF, 0}};
  EXPECT_EQ(SafeArrayCreate(VT_VARIANT, 2, huge), nullptr);
}

TEST(SafeArray, AcceptsWindowsStyleLongIndices) {
  SAFEARRAY* psa = SafeArrayCreateVector(VT_I4, 1, 3);
  long index = 3;
  LONG value = 7;
  ASSERT_EQ(SafeArrayPutElement(psa, &index, &value), S_OK);
  LONG out = 0;
  ASSERT_EQ(SafeArrayGetElement(psa, &index, &out), S_OK);
  EXPECT_EQ(out, 7);
  long upper = 0;
  ASSERT_EQ(SafeArrayGetUBound(psa, 1, &upper), S_OK);
  EXPECT_EQ(upper, 3);
  index = 0x100000001L;  // would wrap to 1 if truncated
  EXPECT_EQ(SafeArrayPutElement(psa, &index, &value), DISP_E_BADINDEX);
  SafeArrayDestroy(psa);
}

}  // namespace
