// The arrays A1-A12 of the demo device: shapes, column types and cell contents as a host reads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host.h"

namespace {

using namespace k42host;
using Types = std::vector<VARTYPE>;

bool EndsWith(const std::u16string& text, const std::u16string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Every row of an array has the given column types.
void ExpectColumnTypes(const VARIANT& array, const Types& columns) {
  std::vector<LONG> shape = Shape(array);
  ASSERT_EQ(shape.size(), 2u);
  ASSERT_EQ(shape[1], static_cast<LONG>(columns.size()));
  for (LONG c = 0; c < shape[1]; ++c) EXPECT_EQ(ColumnTypes(array, c), Types(shape[0], columns[c])) << "column " << c;
}

class DemoArrays : public HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(LoadDemo(Model()), S_OK);
  }
};

TEST_F(DemoArrays, LanguagesModulesAndMenus) {
  Variant languages, tabs, others, roots, items;
  ASSERT_EQ(Model()->GetSupportedLanguages(&languages), S_OK);
  ExpectColumnTypes(languages, {VT_BSTR, VT_BSTR});
  EXPECT_EQ(Shape(languages), (std::vector<LONG>{2, 2}));
  EXPECT_EQ(CellText(languages, 0, 0), u"de") << "ordered by identifier";
  EXPECT_EQ(CellText(languages, 0, 1), u"Deutsch");
  EXPECT_EQ(CellText(languages, 1, 1), u"English");

  ASSERT_EQ(Model()->GetTabModules(1, &tabs), S_OK);
  ExpectColumnTypes(tabs, {VT_BSTR, VT_I4});
  EXPECT_EQ(Shape(tabs), (std::vector<LONG>{2, 2}));
  EXPECT_EQ(CellText(tabs, 1, 0), u"modDiagnosis");
  EXPECT_EQ(CellLong(tabs, 1, 1), kTAB);
  ASSERT_EQ(Model()->GetTabModules(0, &others), S_OK);
  EXPECT_EQ(Shape(others), (std::vector<LONG>{1, 2}));
  EXPECT_EQ(CellText(others, 0, 0), u"modTrend");
  EXPECT_EQ(CellLong(others, 0, 1), kMENU);

  ASSERT_EQ(Model()->GetModuleRootMenus(Bstr(u"modSetup"), &roots), S_OK);
  EXPECT_EQ(Shape(roots), std::vector<LONG>{1});
  EXPECT_EQ(CellText(roots, 0), u"menuSetupRoot");

  ASSERT_EQ(Model()->GetMenuItems(Bstr(u"modSetup"), Bstr(u"menuSetupRoot"), &items), S_OK);
  ExpectColumnTypes(items, {VT_BSTR, VT_BSTR});
  EXPECT_EQ(Shape(items), (std::vector<LONG>{4, 2}));
  EXPECT_EQ(CellText(items, 1, 0), u"menuOutput");
  EXPECT_EQ(CellText(items, 1, 1), u"disOutput");
  EXPECT_EQ(CellText(items, 3, 0), u"modTrend");
  EXPECT_EQ(CellText(items, 3, 1), u"") << "a module entry without display";
}

TEST_F(DemoArrays, DisplayItems) {
  Bstr path;
  Variant items;
  long condition = 5;
  ASSERT_EQ(Model()->GetDisplayItems(Bstr(u"modSetup"), Bstr(u"disOutput"), path.Out(), &items, &condition), S_OK);
  EXPECT_EQ(path.Text(), u"");
  EXPECT_EQ(condition, 1) << "menuOutput is RWRO-conditional";
  ExpectColumnTypes(items, {VT_BSTR, VT_BSTR, VT_BSTR, VT_I4, VT_BSTR, VT_BSTR, VT_I4, VT_I4, VT_BSTR, VT_I4, VT_I4,
                            VT_I4, VT_I4, VT_BOOL, VT_BOOL});
  EXPECT_EQ(Shape(items), (std::vector<LONG>{7, 15}));
  EXPECT_EQ(CellText(items, 0, 1), u"lblOutputHeadline");
  EXPECT_EQ(CellText(items, 0, 8), u"Segoe UI");
  EXPECT_EQ(CellLong(items, 0, 11), 14);
  EXPECT_EQ(CellLong(items, 0, 12), 600);
  EXPECT_EQ(CellLong(items, 0, 13), VARIANT_TRUE);
  EXPECT_EQ(CellLong(items, 0, 14), VARIANT_TRUE);
  EXPECT_EQ(CellText(items, 1, 0), u"varUpperRange");
  EXPECT_EQ(CellText(items, 1, 4), u"RIGHT");
  EXPECT_EQ(CellText(items, 1, 5), u"%.3f");
  EXPECT_EQ(CellLong(items, 1, 6), PAR_VARIABLE);
  EXPECT_EQ(CellLong(items, 1, 7), CTRL_VAR_EDIT);
  EXPECT_EQ(CellLong(items, 1, 13), VARIANT_FALSE);
  EXPECT_EQ(CellText(items, 3, 0), u"varAlarmMode");
  EXPECT_EQ(CellLong(items, 3, 7), CTRL_VAR_RADIO);
}

TEST_F(DemoArrays, LogosMetavariablesAndEnumerations) {
  Variant vendor, metas, units;
  ASSERT_EQ(Model()->GetLogo(LOGO_VENDOR, &vendor), S_OK);
  EXPECT_EQ(Shape(vendor), std::vector<LONG>{1});
  EXPECT_TRUE(EndsWith(CellText(vendor, 0), u"/examples/demo/images/morvane_logo.bmp")) << "directory in front";

  ASSERT_EQ(Model()->GetMetaVarRef(&metas), S_OK);
  EXPECT_EQ(Shape(metas), std::vector<LONG>{3});
  EXPECT_EQ(ColumnTypes(metas), Types(3, VT_BSTR));
  EXPECT_EQ(CellText(metas, 2), u"metaDeviceRevision");

  ASSERT_EQ(Model()->GetParameterEnumItems(Bstr(u"varPVUnit"), PAR_VARIABLE, &units), S_OK);
  ExpectColumnTypes(units, {VT_BSTR, VT_BSTR, VT_BSTR, VT_I4});
  EXPECT_EQ(Shape(units), (std::vector<LONG>{4, 4}));
  EXPECT_EQ(CellText(units, 0, 0), u"kPa") << "in the order the localized texts arrived";
  EXPECT_EQ(CellText(units, 0, 1), u"Kilopascal");
  EXPECT_EQ(CellLong(units, 0, 3), 3);

  Variant alarm;
  ASSERT_EQ(Model()->GetParameterEnumItems(Bstr(u"varAlarmMode"), PAR_VARIABLE, &alarm), S_OK);
  bool namur = false;
  for (LONG row = 0; row < Shape(alarm)[0]; ++row) namur |= CellText(alarm, row, 2) == u"NAMUR";
  EXPECT_TRUE(namur) << "the DD string column";
}

TEST_F(DemoArrays, BarsAndConditionalLabels) {
  Variant menubar, modulebar, toolbar, variants;
  ASSERT_EQ(Model()->GetMenubarItems(&menubar), S_OK);
  ExpectColumnTypes(menubar, {VT_BSTR, VT_I4, VT_I4, VT_BSTR, VT_BSTR, VT_BSTR});
  EXPECT_EQ(CellText(menubar, 0, 0), u"Device");
  EXPECT_EQ(CellLong(menubar, 0, 1), kPOPUP_BEGIN);
  EXPECT_EQ(CellText(menubar, 1, 3), u"Upload");
  EXPECT_EQ(CellLong(menubar, 1, 2), kFUNCTIONONLINE);

  ASSERT_EQ(Model()->GetModulebarItems(Bstr(u"modSetup"), &modulebar), S_OK);
  ExpectColumnTypes(modulebar, {VT_BSTR, VT_I4, VT_I4, VT_BSTR});
  EXPECT_EQ(CellText(modulebar, 0, 0), u"Setup tools");

  ASSERT_EQ(Model()->GetToolbarItems(&toolbar), S_OK);
  ExpectColumnTypes(toolbar, {VT_BSTR, VT_I4, VT_I4, VT_BSTR, VT_I4, VT_BSTR});
  EXPECT_EQ(Shape(toolbar), (std::vector<LONG>{6, 6}));
  EXPECT_EQ(CellText(toolbar, 3, 5), u"tbTrend");
  EXPECT_EQ(CellLong(toolbar, 3, 1), kTOOLBAR_CHECK);
  EXPECT_EQ(CellLong(toolbar, 3, 2), kMODULE);
  EXPECT_EQ(CellLong(toolbar, 3, 4), 2);
  EXPECT_EQ(CellLong(toolbar, 2, 1), kTOOLBAR_SEP);

  ASSERT_EQ(Model()->GetConditionalLabelData(Bstr(u"varPV"), &variants), S_OK);
  ExpectColumnTypes(variants, {VT_BSTR, VT_BSTR, VT_BSTR});
  EXPECT_EQ(Shape(variants), (std::vector<LONG>{2, 3}));
  EXPECT_EQ(CellText(variants, 0, 0), u"GAUGE");
  EXPECT_EQ(CellText(variants, 0, 1), u"Gauge pressure");
  EXPECT_EQ(CellText(variants, 1, 1), u"Absolute pressure");
}

}  // namespace
