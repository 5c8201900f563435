// The arrays A1-A12 of the demo device: shapes, column types and cell contents as a host reads them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "host.h"

namespace {

using namespace k42host;
using Types = std::vector<VARTYPE>;
struct TextAt {
  LONG row, column;
  const char16_t* text;
};
struct LongAt {
  LONG row, column, value;
};

// The array has `shape` and every cell of column c has type columns[c] (one type for a one-dimensional array).
void ExpectArray(const VARIANT& array, const std::vector<LONG>& shape, const Types& columns) {
  ASSERT_EQ(Shape(array), shape);
  const bool flat = shape.size() == 1;
  ASSERT_EQ(static_cast<LONG>(columns.size()), flat ? 1 : shape[1]);
  for (LONG c = 0; c < static_cast<LONG>(columns.size()); ++c)
    EXPECT_EQ(ColumnTypes(array, flat ? -1 : c), Types(shape[0], columns[c])) << "column " << c;
}
void ExpectCells(const VARIANT& array, std::initializer_list<TextAt> texts, std::initializer_list<LongAt> longs = {}) {
  for (const TextAt& c : texts) EXPECT_EQ(CellText(array, c.row, c.column), c.text) << c.row << "," << c.column;
  for (const LongAt& c : longs) EXPECT_EQ(CellLong(array, c.row, c.column), c.value) << c.row << "," << c.column;
}

using DemoArrays = DemoTest;

TEST_F(DemoArrays, LanguagesModulesAndMenus) {
  AutoVariant languages, tabs, others, roots, items;
  ASSERT_EQ(m->GetSupportedLanguages(&languages), S_OK);
  ExpectArray(languages, {2, 2}, {VT_BSTR, VT_BSTR});
  ExpectCells(languages, {{0, 0, u"de"}, {0, 1, u"Deutsch"}, {1, 1, u"English"}});  // ordered by identifier

  ASSERT_EQ(m->GetTabModules(1, &tabs), S_OK);
  ExpectArray(tabs, {2, 2}, {VT_BSTR, VT_I4});
  ExpectCells(tabs, {{1, 0, u"modDiagnosis"}}, {{1, 1, kTAB}});
  ASSERT_EQ(m->GetTabModules(0, &others), S_OK);
  ExpectArray(others, {1, 2}, {VT_BSTR, VT_I4});
  ExpectCells(others, {{0, 0, u"modTrend"}}, {{0, 1, kMENU}});

  ASSERT_EQ(m->GetModuleRootMenus(AutoBstr(u"modSetup"), &roots), S_OK);
  ExpectArray(roots, {1}, {VT_BSTR});
  ExpectCells(roots, {{0, -1, u"menuSetupRoot"}});

  ASSERT_EQ(m->GetMenuItems(AutoBstr(u"modSetup"), AutoBstr(u"menuSetupRoot"), &items), S_OK);
  ExpectArray(items, {4, 2}, {VT_BSTR, VT_BSTR});
  // The module entry (row 3) has no display.
  ExpectCells(items, {{1, 0, u"menuOutput"}, {1, 1, u"disOutput"}, {3, 0, u"modTrend"}, {3, 1, u""}});
}

TEST_F(DemoArrays, DisplayItems) {
  AutoBstr path;
  AutoVariant items;
  long condition = 5;
  ASSERT_EQ(m->GetDisplayItems(AutoBstr(u"modSetup"), AutoBstr(u"disOutput"), &path, &items, &condition), S_OK);
  EXPECT_EQ(path.Text(), u"");
  EXPECT_EQ(condition, 1) << "menuOutput is RWRO-conditional";
  ExpectArray(items, {7, 15},
              {VT_BSTR, VT_BSTR, VT_BSTR, VT_I4, VT_BSTR, VT_BSTR, VT_I4, VT_I4, VT_BSTR, VT_I4, VT_I4, VT_I4, VT_I4,
               VT_BOOL, VT_BOOL});
  ExpectCells(items,
              {{0, 1, u"lblOutputHeadline"},
               {0, 8, u"Segoe UI"},
               {1, 0, u"varUpperRange"},
               {1, 4, u"RIGHT"},
               {1, 5, u"%.3f"},
               {3, 0, u"varAlarmMode"}},
              {{0, 11, 14},
               {0, 12, 600},
               {0, 13, VARIANT_TRUE},
               {0, 14, VARIANT_TRUE},
               {1, 6, PAR_VARIABLE},
               {1, 7, CTRL_VAR_EDIT},
               {1, 13, VARIANT_FALSE},
               {3, 7, CTRL_VAR_RADIO}});
}

TEST_F(DemoArrays, LogosMetavariablesAndEnumerations) {
  AutoVariant vendor, metas, units, alarm;
  ASSERT_EQ(m->GetLogo(LOGO_VENDOR, &vendor), S_OK);
  ExpectArray(vendor, {1}, {VT_BSTR});
  const std::u16string logo = CellText(vendor, 0), tail = u"/examples/demo/images/morvane_logo.bmp";
  EXPECT_TRUE(logo.size() > tail.size() && logo.ends_with(tail)) << "directory in front";

  ASSERT_EQ(m->GetMetaVarRef(&metas), S_OK);
  ExpectArray(metas, {3}, {VT_BSTR});
  ExpectCells(metas, {{2, -1, u"metaDeviceRevision"}});

  ASSERT_EQ(m->GetParameterEnumItems(AutoBstr(u"varPVUnit"), PAR_VARIABLE, &units), S_OK);
  ExpectArray(units, {4, 4}, {VT_BSTR, VT_BSTR, VT_BSTR, VT_I4});
  ExpectCells(units, {{0, 0, u"kPa"}, {0, 1, u"Kilopascal"}}, {{0, 3, 3}});  // in the order the texts arrived

  ASSERT_EQ(m->GetParameterEnumItems(AutoBstr(u"varAlarmMode"), PAR_VARIABLE, &alarm), S_OK);
  bool namur = false;
  for (LONG row = 0; row < Shape(alarm).at(0); ++row) namur |= CellText(alarm, row, 2) == u"NAMUR";
  EXPECT_TRUE(namur) << "the DD string column";
}

TEST_F(DemoArrays, BarsAndConditionalLabels) {
  AutoVariant menubar, modulebar, toolbar, variants;
  ASSERT_EQ(m->GetMenubarItems(&menubar), S_OK);
  ExpectArray(menubar, {17, 6}, {VT_BSTR, VT_I4, VT_I4, VT_BSTR, VT_BSTR, VT_BSTR});
  // FUNCTIONONLINE reads as kFUNCTION in the menu bar.
  ExpectCells(menubar, {{0, 0, u"Device"}, {1, 3, u"Upload"}}, {{0, 1, kPOPUP_BEGIN}, {1, 2, kFUNCTION}});

  ASSERT_EQ(m->GetModulebarItems(AutoBstr(u"modSetup"), &modulebar), S_OK);
  ExpectArray(modulebar, {4, 4}, {VT_BSTR, VT_I4, VT_I4, VT_BSTR});
  ExpectCells(modulebar, {{0, 0, u"Setup tools"}});

  ASSERT_EQ(m->GetToolbarItems(&toolbar), S_OK);
  ExpectArray(toolbar, {6, 6}, {VT_BSTR, VT_I4, VT_I4, VT_BSTR, VT_I4, VT_BSTR});
  ExpectCells(toolbar, {{3, 5, u"tbTrend"}},
              {{3, 1, kTOOLBAR_CHECK}, {3, 2, kMODULE}, {3, 4, 2}, {2, 1, kTOOLBAR_SEP}});

  ASSERT_EQ(m->GetConditionalLabelData(AutoBstr(u"varPV"), &variants), S_OK);
  ExpectArray(variants, {2, 3}, {VT_BSTR, VT_BSTR, VT_BSTR});
  ExpectCells(variants, {{0, 0, u"GAUGE"}, {0, 1, u"Gauge pressure"}, {1, 1, u"Absolute pressure"}});
}

}  // namespace
