// Host-side helpers for the component tests: loading a device, reading returned arrays.
#include "host.h"

namespace k42host {

namespace {
HRESULT Load(IGuiXmlModel* model, const char* directory, const char16_t* xml, const char16_t* loc, long functionId) {
  const std::u16string wide(directory, directory + std::char_traits<char>::length(directory));
  AutoBstr dir(wide.c_str()), xmlFile(xml), locFile(loc), lang(u"en");
  return model->Initialize(dir, xmlFile, locFile, lang, functionId, 0);
}

void Fetch(const VARIANT& array, LONG row, LONG column, AutoVariant& cell) {
  LONG index[2] = {row, column};
  EXPECT_EQ(SafeArrayGetElement(array.parray, index, &cell), S_OK) << row << "," << column;
}
}  // namespace

HRESULT LoadDemo(IGuiXmlModel* model, long functionId) {
  return Load(model, K42GUI_SOURCE_DIR "/examples/demo/", u"demo.xml", u"demo_loc.xml", functionId);
}

HRESULT LoadFixture(IGuiXmlModel* model, const char16_t* xmlFile, const char16_t* locFile) {
  return Load(model, K42GUI_TEST_DATA_DIR "/component/", xmlFile, locFile, 1);
}

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

std::u16string CellText(const VARIANT& array, LONG row, LONG column) {
  AutoVariant cell;
  Fetch(array, row, column, cell);
  return cell.vt == VT_BSTR && cell.bstrVal ? cell.bstrVal : u"<not a string>";
}

LONG CellLong(const VARIANT& array, LONG row, LONG column) {
  AutoVariant cell;
  Fetch(array, row, column, cell);
  return cell.vt == VT_I4 ? cell.lVal : cell.vt == VT_BOOL ? cell.boolVal : -12345;
}

std::vector<VARTYPE> ColumnTypes(const VARIANT& array, LONG column) {
  std::vector<VARTYPE> types;
  std::vector<LONG> shape = Shape(array);
  for (LONG row = 0; !shape.empty() && row < shape[0]; ++row) {
    AutoVariant cell;
    Fetch(array, row, column, cell);
    types.push_back(cell.vt);
  }
  return types;
}

}  // namespace k42host
