// Tests of variants: ownership on copy and clear, and VariantChangeType's conversions.
#include <k42gui/oleauto.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Text(BSTR s) { return std::u16string(s, SysStringLen(s)); }

VARIANT Str(const char16_t* text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

VARIANT I4(LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

// An object that counts its references and answers its default property.
class CountedObject : public IDispatch {
 public:
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
    if (riid != IID_IUnknown && riid != IID_IDispatch) return E_NOINTERFACE;
    *ppv = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (id != DISPID_VALUE || !(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    *result = Str(u"42");
    return S_OK;
  }
};

TEST(Variant, CopyDuplicatesStringsAndArraysAndClearFreesThem) {
  VARIANT original = Str(nullptr);
  original.bstrVal = SysAllocStringLen(u"a\0b", 3);
  VARIANT copy = I4(5);
  ASSERT_EQ(VariantCopy(&copy, &original), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_NE(copy.bstrVal, original.bstrVal);
  EXPECT_EQ(Text(copy.bstrVal), std::u16string(u"a\0b", 3));
  EXPECT_EQ(VariantCopy(&copy, &copy), S_OK);  // copying onto itself changes nothing
  EXPECT_EQ(Text(copy.bstrVal), std::u16string(u"a\0b", 3));

  // An array of variants that holds a string and a nested array.
  VARIANT outer;
  VariantInit(&outer);
  outer.vt = VT_ARRAY | VT_VARIANT;
  outer.parray = SafeArrayCreateVector(VT_VARIANT, 0, 2);
  VARIANT inner;
  VariantInit(&inner);
  inner.vt = VT_ARRAY | VT_VARIANT;
  inner.parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  LONG i = 0;
  ASSERT_EQ(SafeArrayPutElement(inner.parray, &i, &original), S_OK);
  ASSERT_EQ(SafeArrayPutElement(outer.parray, &i, &inner), S_OK);
  i = 1;
  ASSERT_EQ(SafeArrayPutElement(outer.parray, &i, &original), S_OK);
  VARIANT outerCopy;
  VariantInit(&outerCopy);
  ASSERT_EQ(VariantCopy(&outerCopy, &outer), S_OK);
  EXPECT_NE(outerCopy.parray, outer.parray);
  ASSERT_EQ(VariantClear(&outer), S_OK);  // the copy must not share anything with it
  VARIANT nested;
  i = 0;
  ASSERT_EQ(SafeArrayGetElement(outerCopy.parray, &i, &nested), S_OK);
  VARIANT text;
  ASSERT_EQ(SafeArrayGetElement(nested.parray, &i, &text), S_OK);
  EXPECT_EQ(Text(text.bstrVal), std::u16string(u"a\0b", 3));

  for (VARIANT* v : {&original, &copy, &inner, &outerCopy, &nested, &text}) {
    EXPECT_EQ(VariantClear(v), S_OK);
    EXPECT_EQ(v->vt, VT_EMPTY);
  }
}

TEST(Variant, ByReferenceValuesAreNeitherCopiedNorFreed) {
  BSTR owned = SysAllocString(u"kept");
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_BSTR;
  ref.pbstrVal = &owned;
  VARIANT shallow;
  VariantInit(&shallow);
  ASSERT_EQ(VariantCopy(&shallow, &ref), S_OK);
  EXPECT_EQ(shallow.pbstrVal, &owned);
  VARIANT deep;
  VariantInit(&deep);
  ASSERT_EQ(VariantCopyInd(&deep, &ref), S_OK);
  EXPECT_EQ(deep.vt, VT_BSTR);
  EXPECT_NE(deep.bstrVal, owned);
  EXPECT_EQ(VariantClear(&ref), S_OK);
  EXPECT_EQ(VariantClear(&shallow), S_OK);
  EXPECT_EQ(Text(owned), u"kept");
  VariantClear(&deep);
  SysFreeString(owned);
}

TEST(Variant, InterfacesAreReferencedByVariantsAndArrays) {
  CountedObject object;
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = &object;
  object.AddRef();
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &v), S_OK);
  EXPECT_EQ(object.refs, 3u);
  SAFEARRAY* array = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
  LONG i = 1;
  ASSERT_EQ(SafeArrayPutElement(array, &i, static_cast<IUnknown*>(&object)), S_OK);
  EXPECT_EQ(object.refs, 4u);
  ASSERT_EQ(SafeArrayDestroy(array), S_OK);
  VariantClear(&v);
  VariantClear(&copy);
  EXPECT_EQ(object.refs, 1u);
}

TEST(Variant, ClearRejectsBadTypesAndLockedArrays) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_VARIANT;  // only by reference or as an array
  EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE);
  v.vt = 0x7F;
  EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE);
  v.vt = VT_ARRAY | VT_I4;
  v.parray = SafeArrayCreateVector(VT_I4, 0, 1);
  ASSERT_EQ(SafeArrayLock(v.parray), S_OK);
  EXPECT_EQ(VariantClear(&v), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(v.vt, VT_ARRAY | VT_I4);
  SafeArrayUnlock(v.parray);
  EXPECT_EQ(VariantClear(&v), S_OK);
}

// Converts `source` to `vt`; returns the result code and leaves the value in `out`.
HRESULT Change(VARIANT source, VARTYPE vt, VARIANT* out, USHORT flags = 0) {
  VariantInit(out);
  HRESULT hr = VariantChangeType(out, &source, flags, vt);
  VariantClear(&source);
  return hr;
}

TEST(VariantChangeType, ReadsNumbersFromText) {
  VARIANT out;
  ASSERT_EQ(Change(Str(u" 42 "), VT_I4, &out), S_OK);
  EXPECT_EQ(out.vt, VT_I4);
  EXPECT_EQ(out.lVal, 42);
  ASSERT_EQ(Change(Str(u"-7"), VT_I2, &out), S_OK);
  EXPECT_EQ(out.iVal, -7);
  // Halves round to even.
  ASSERT_EQ(Change(Str(u"2.5"), VT_I4, &out), S_OK);
  EXPECT_EQ(out.lVal, 2);
  ASSERT_EQ(Change(Str(u"3.5"), VT_I4, &out), S_OK);
  EXPECT_EQ(out.lVal, 4);
  ASSERT_EQ(Change(Str(u"1.5e3"), VT_R8, &out), S_OK);
  EXPECT_EQ(out.dblVal, 1500.0);
  ASSERT_EQ(Change(Str(u"TRUE"), VT_BOOL, &out), S_OK);
  EXPECT_EQ(out.boolVal, VARIANT_TRUE);
  EXPECT_EQ(Change(Str(u"abc"), VT_I4, &out), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Change(Str(u""), VT_I4, &out), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Change(Str(u"12a"), VT_I4, &out), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(Change(Str(u"2147483648"), VT_I4, &out), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Str(u"-99999999999999999999"), VT_I8, &out), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(Str(u"40000"), VT_I2, &out), DISP_E_OVERFLOW);

  // A failed conversion leaves the destination as it was.
  VARIANT source = Str(u"x");
  VARIANT dest = I4(7);
  EXPECT_EQ(VariantChangeType(&dest, &source, 0, VT_I4), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(dest.vt, VT_I4);
  EXPECT_EQ(dest.lVal, 7);
  VariantClear(&source);
}

TEST(VariantChangeType, WritesText) {
  VARIANT out;
  ASSERT_EQ(Change(I4(-12), VT_BSTR, &out), S_OK);
  EXPECT_EQ(Text(out.bstrVal), u"-12");
  VariantClear(&out);
  VARIANT real;
  VariantInit(&real);
  real.vt = VT_R8;
  real.dblVal = 0.1;
  ASSERT_EQ(Change(real, VT_BSTR, &out), S_OK);
  EXPECT_EQ(Text(out.bstrVal), u"0.1");
  VariantClear(&out);
  VARIANT flag;
  VariantInit(&flag);
  flag.vt = VT_BOOL;
  flag.boolVal = VARIANT_TRUE;
  ASSERT_EQ(Change(flag, VT_BSTR, &out), S_OK);
  EXPECT_EQ(Text(out.bstrVal), u"-1");
  VariantClear(&out);
  ASSERT_EQ(Change(flag, VT_BSTR, &out, VARIANT_ALPHABOOL), S_OK);
  EXPECT_EQ(Text(out.bstrVal), u"True");
  VariantClear(&out);
  VARIANT empty;
  VariantInit(&empty);
  ASSERT_EQ(Change(empty, VT_BSTR, &out), S_OK);
  ASSERT_NE(out.bstrVal, nullptr);
  EXPECT_EQ(SysStringLen(out.bstrVal), 0u);
  VariantClear(&out);
}

TEST(VariantChangeType, ChecksNumericRanges) {
  VARIANT out;
  VARIANT flag;
  VariantInit(&flag);
  flag.vt = VT_BOOL;
  flag.boolVal = VARIANT_TRUE;
  ASSERT_EQ(Change(flag, VT_I4, &out), S_OK);
  EXPECT_EQ(out.lVal, -1);
  ASSERT_EQ(Change(flag, VT_UI1, &out), S_OK);
  EXPECT_EQ(out.bVal, 255);
  ASSERT_EQ(Change(I4(2), VT_BOOL, &out), S_OK);
  EXPECT_EQ(out.boolVal, VARIANT_TRUE);
  EXPECT_EQ(Change(I4(-1), VT_UI4, &out), DISP_E_OVERFLOW);
  EXPECT_EQ(Change(I4(300), VT_UI1, &out), DISP_E_OVERFLOW);
  VARIANT big;
  VariantInit(&big);
  big.vt = VT_UI4;
  big.ulVal = 0xFFFFFFFF;
  EXPECT_EQ(Change(big, VT_I4, &out), DISP_E_OVERFLOW);
  big.vt = VT_R8;
  big.dblVal = 1e10;
  EXPECT_EQ(Change(big, VT_I4, &out), DISP_E_OVERFLOW);
  VARIANT null;
  VariantInit(&null);
  null.vt = VT_NULL;
  EXPECT_EQ(Change(null, VT_I4, &out), DISP_E_TYPEMISMATCH);
  VARIANT empty;
  VariantInit(&empty);
  ASSERT_EQ(Change(empty, VT_I4, &out), S_OK);
  EXPECT_EQ(out.lVal, 0);
  EXPECT_EQ(Change(I4(1), VT_I4 | VT_BYREF, &out), DISP_E_BADVARTYPE);
}

TEST(VariantChangeType, DereferencesSourcesAndConvertsInPlace) {
  LONG number = 5;
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_I4;
  ref.plVal = &number;
  VARIANT out;
  ASSERT_EQ(Change(ref, VT_BSTR, &out), S_OK);
  EXPECT_EQ(Text(out.bstrVal), u"5");
  VariantClear(&out);

  // A script passes its arguments as references to variants.
  VARIANT held = Str(u"17");
  VARIANT byVariant;
  VariantInit(&byVariant);
  byVariant.vt = VT_BYREF | VT_VARIANT;
  byVariant.pvarVal = &held;
  ASSERT_EQ(VariantChangeType(&byVariant, &byVariant, 0, VT_I4), S_OK);
  EXPECT_EQ(byVariant.vt, VT_I4);
  EXPECT_EQ(byVariant.lVal, 17);
  EXPECT_EQ(Text(held.bstrVal), u"17");

  // In place, the old string is freed.
  ASSERT_EQ(VariantChangeType(&held, &held, 0, VT_I2), S_OK);
  EXPECT_EQ(held.vt, VT_I2);
  EXPECT_EQ(held.iVal, 17);
}

TEST(VariantChangeType, AsksObjectsForTheirDefaultProperty) {
  CountedObject object;
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = &object;
  VARIANT out;
  VariantInit(&out);
  ASSERT_EQ(VariantChangeType(&out, &v, 0, VT_I4), S_OK);
  EXPECT_EQ(out.lVal, 42);
  EXPECT_EQ(VariantChangeType(&out, &v, VARIANT_NOVALUEPROP, VT_I4), DISP_E_TYPEMISMATCH);
  ASSERT_EQ(VariantChangeType(&out, &v, 0, VT_UNKNOWN), S_OK);
  EXPECT_EQ(object.refs, 2u);
  VariantClear(&out);
  EXPECT_EQ(object.refs, 1u);
}

}  // namespace
