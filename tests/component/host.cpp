// Host-side helpers for the component tests: creation through the exports, loading, array inspection.
#include "host.h"

#include <gtest/gtest.h>

#include "component/diagnostics.h"

namespace k42host {

Ref<IGuiXmlModel> CreateModel() {
  Ref<IClassFactory> factory;
  Ref<IGuiXmlModel> model;
  EXPECT_EQ(DllGetClassObject(CLSID_GuiXmlModel, IID_IClassFactory, factory.Out()), S_OK);
  if (factory) {
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IGuiXmlModel, model.Out()), S_OK);
  }
  return model;
}

namespace {
HRESULT Load(IGuiXmlModel* model, const std::u16string& directory, const char16_t* xml, const char16_t* loc,
             long functionId, const char16_t* language) {
  Bstr dir(directory.c_str()), xmlFile(xml), locFile(loc), lang(language);
  return model->Initialize(dir, xmlFile, locFile, lang, functionId, 0);
}

std::u16string Wide(const char* text) { return std::u16string(text, text + std::char_traits<char>::length(text)); }
}  // namespace

HRESULT LoadDemo(IGuiXmlModel* model, long functionId, const char16_t* language) {
  return Load(model, Wide(K42GUI_SOURCE_DIR "/examples/demo/"), u"demo.xml", u"demo_loc.xml", functionId, language);
}

HRESULT LoadFixture(IGuiXmlModel* model, const char16_t* xmlFile, const char16_t* locFile) {
  return Load(model, Wide(K42GUI_TEST_DATA_DIR "/component/"), xmlFile, locFile, 1, u"en");
}

LONG LockCount() { return K42GuiXmlReaderLockCount(); }

std::vector<LONG> Shape(const VARIANT& array) {
  if (array.vt != (VT_ARRAY | VT_VARIANT) || !array.parray) return {};
  std::vector<LONG> shape;
  for (UINT dim = 1; dim <= SafeArrayGetDim(array.parray); ++dim) {
    LONG lower = -1, upper = -1;
    SafeArrayGetLBound(array.parray, dim, &lower);
    SafeArrayGetUBound(array.parray, dim, &upper);
    if (lower != 0) return {};
    shape.push_back(upper + 1);
  }
  return shape;
}

VARIANT Cell(const VARIANT& array, LONG row, LONG column) {
  VARIANT cell;
  VariantInit(&cell);
  LONG index[2] = {row, column};
  EXPECT_EQ(SafeArrayGetElement(array.parray, index, &cell), S_OK) << row << "," << column;
  return cell;
}

VARTYPE CellType(const VARIANT& array, LONG row, LONG column) {
  VARIANT cell = Cell(array, row, column);
  VARTYPE type = cell.vt;
  VariantClear(&cell);
  return type;
}

std::u16string CellText(const VARIANT& array, LONG row, LONG column) {
  VARIANT cell = Cell(array, row, column);
  std::u16string text = cell.vt == VT_BSTR && cell.bstrVal ? cell.bstrVal : u"<not a string>";
  VariantClear(&cell);
  return text;
}

LONG CellLong(const VARIANT& array, LONG row, LONG column) {
  VARIANT cell = Cell(array, row, column);
  LONG value = cell.vt == VT_I4 ? cell.lVal : cell.vt == VT_BOOL ? cell.boolVal : -12345;
  VariantClear(&cell);
  return value;
}

std::vector<VARTYPE> ColumnTypes(const VARIANT& array, LONG column) {
  std::vector<VARTYPE> types;
  std::vector<LONG> shape = Shape(array);
  for (LONG row = 0; !shape.empty() && row < shape[0]; ++row) types.push_back(CellType(array, row, column));
  return types;
}

}  // namespace k42host
