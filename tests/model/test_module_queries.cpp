// Module, menu, display, item and file-reference queries against a loaded device.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "support/message_box_capture.h"
#include "platform/text.h"
#include "support/test_paths.h"

namespace {

using Strings = std::vector<std::u16string>;

// A loaded model that can receive one more module, to reach what loading
// never builds: a later module of a taken identifier that has a display.
class QueryModel : public CDDModel {
 public:
  void AppendModule(std::unique_ptr<CDDModule> module) { m_modules.push_back(std::move(module)); }
};

class ModuleQueries : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(k42test::Load(model, "queries/queries.xml", "queries/queries_loc.xml"), 0); }
  QueryModel model;
};

// Result, label, display, index, type, conditional; outputs start as "keep", the given type and 9.
using Item = std::tuple<int32_t, std::u16string, std::u16string, std::u16string, int32_t, int32_t>;

Item Ask(const CDDModel& model, const std::u16string& module, const std::u16string& parent, const std::u16string& id,
         int32_t type = -7) {
  std::u16string label = u"keep", display = u"keep", index = u"keep";
  int32_t conditional = 9;
  const int32_t result = model.GetItemInfo(module, parent, id, label, display, index, type, conditional);
  return {result, label, display, index, type, conditional};
}

TEST_F(ModuleQueries, FirstModuleAnswersWhileDisplayItemsTriesLaterModules) {
  auto late = std::make_unique<CDDModule>();
  late->SetId(u"modA");
  auto display = std::make_unique<CDDPardis>();
  display->SetId(u"disLate");
  display->SetLabel(u"Late", 0, u"");
  CDDDisplayItem item;
  item.m_reference = model.Texts().Intern(u"varLate");
  display->AddItem(item);
  late->AddDisplay(std::move(display));
  model.AppendModule(std::move(late));

  std::u16string label = u"keep", valid = u"keep", image = u"img";
  int32_t type = 9, rwro = 5;
  EXPECT_EQ(model.GetDisplayInfo(u"modA", u"disLate", label, type, valid), -1);
  EXPECT_EQ(label + u"|" + valid, u"keep|keep");
  EXPECT_EQ(type, 9);
  std::vector<CDDDisplayItem> items(3);
  model.GetDisplayItems(u"modA", u"disLate", label, type, image, items, rwro);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(label + u"|" + items[0].m_reference.String(), u"Late|varLate");
  EXPECT_EQ(rwro, 0);

  model.GetDisplayItems(u"modA", u"disMain", label, type, image, items, rwro);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(label + u"|" + items[1].m_reference.String(), u"Main display|varKnown");
  EXPECT_EQ(type, DISPLAY_CUSTOM);
  label = u"keep";
  rwro = 5;
  model.GetDisplayItems(u"modA", u"disNowhere", label, type, image, items, rwro);
  EXPECT_TRUE(items.empty());
  EXPECT_EQ(label, u"keep");
  EXPECT_EQ(rwro, 5);

  EXPECT_EQ(model.GetDisplayInfo(u"modA", u"disMain", label, type, valid), 0);
  EXPECT_EQ(valid, u"varCond");
  EXPECT_EQ(model.GetDisplayInfo(u"modA", u"menuSub", label, type, valid), -1);  // a menu, not a display
}

TEST_F(ModuleQueries, ModuleAttributesTabsMenusAndFeatures) {
  Strings ids{u"stale"};
  EXPECT_EQ(model.GetTabModules(1, ids), 0);
  EXPECT_EQ(ids, (Strings{u"modA"}));
  EXPECT_EQ(model.GetTabModules(0, ids), 0);
  EXPECT_EQ(ids, (Strings{u"modB", u"modA", u"modC"}));  // the second modA was never declared: kNONE

  std::u16string value = u"keep";
  EXPECT_EQ(model.GetModuleFeature(u"modA", u"Empty", value), 0);
  EXPECT_EQ(value, u"");
  value = u"keep";
  EXPECT_EQ(model.GetModuleFeature(u"modA", u"feature", value), -1);
  EXPECT_EQ(model.GetModuleFeature(u"modX", u"Feature", value), -1);
  EXPECT_EQ(value, u"keep");

  std::vector<CDDMenuEntry> entries(2);
  EXPECT_EQ(model.GetModuleRootMenus(u"modA", entries), 0);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].m_reference, u"menuRoot");
  EXPECT_EQ(model.GetMenuItems(u"modA", u"menuRoot", entries), 0);
  EXPECT_EQ(entries.size(), 9u);
  EXPECT_EQ(model.GetMenuItems(u"modA", u"menuNope", entries), -1);
  EXPECT_TRUE(entries.empty());

  std::vector<CDDMenubarItem*> bar;
  EXPECT_EQ(model.GetModulebarItems(u"modA", bar), 0);
  ASSERT_EQ(bar.size(), 1u);
  EXPECT_EQ(bar[0]->GetAction(), u"modB");
  EXPECT_EQ(model.GetModulebarItems(u"modX", bar), -1);
  EXPECT_EQ(bar.size(), 1u);

  std::u16string path = u"keep";
  int32_t anchor = -1;
  EXPECT_EQ(model.GetHelpFileRef(kHELPDTM, path, anchor), 0);
  EXPECT_EQ(std::tuple(path, anchor), std::tuple(std::u16string(u"help/device.pdf"), kEQTOHELPTOPIC));
  EXPECT_EQ(model.GetHelpFileRef(2, path, anchor), 0);
  EXPECT_EQ(std::tuple(path, anchor), std::tuple(std::u16string(u"help/device.pdf"), kEQTOID));
}

TEST_F(ModuleQueries, ItemInfoLabelsConditionalLabelsAndFallback) {
  struct Case {
    const char16_t *module, *parent, *id;
    int32_t typeIn;
    Item expected;
  };
  const Case cases[] = {
      {u"modA", u"menuRoot", u"varKnown", -7, {0, u"Known", u"disMain", u"3", ITEM_VARIABLE, 0}},
      {u"modA", u"menuRoot", u"varCondLabel", -7, {0, u"", u"disMain", u"", ITEM_VARIABLE, 1}},
      // Label references: lblPlain, lblCond, and one that names nothing.
      {u"modA", u"menuRoot", u"varNoStorage", -7, {0, u"Plain label", u"disMain", u"", ITEM_VARIABLE, 0}},
      {u"modA", u"menuRoot", u"varUnknownType", -7, {0, u"", u"disMain", u"", ITEM_VARIABLE, 1}},
      {u"modA", u"menuRoot", u"varCond", -7, {-1, u"", u"disMain", u"", ITEM_VARIABLE, 0}},
      {u"modA", u"menuRoot", u"metPlain", -7, {0, u"Plain method", u"disMain", u"", ITEM_METHOD, 0}},
      {u"modA", u"menuRoot", u"modB", -7, {0, u"Module B", u"", u"", ITEM_MODULE, 0}},
      {u"modA", u"menuRoot", u"modNowhere", -7, {-1, u"", u"", u"", ITEM_MODULE, 0}},
      {u"modA", u"menuRoot", u"menuSub", -7, {0, u"Sub menu", u"disSub", u"1", ITEM_MENU, 0}},
      {u"modA", u"", u"menuRoot", -7, {0, u"", u"disMain", u"0", ITEM_ROOTMENU, 0}},
      // An entry the menu lacks keeps the caller's type, which then decides.
      {u"modA", u"menuRoot", u"notThere", ITEM_UNKNOWN, {0, u"", u"keep", u"keep", ITEM_UNKNOWN, 0}},
      {u"modA", u"menuRoot", u"notThere", ITEM_METHOD, {-1, u"", u"keep", u"keep", ITEM_METHOD, 0}},
      // No menu of that name: the variable is found all the same, but the result stays -1.
      {u"modA", u"menuNope", u"varKnown", -7, {-1, u"Known", u"disMain", u"", ITEM_VARIABLE, 0}},
      {u"modA", u"menuNope", u"nothing", -7, {-1, u"", u"keep", u"keep", -7, 0}},
      {u"modX", u"menuRoot", u"varKnown", -7, {-1, u"keep", u"keep", u"keep", -7, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.parent, c.parent + std::char_traits<char16_t>::length(c.parent)) + "/" +
                 std::string(c.id, c.id + std::char_traits<char16_t>::length(c.id)));
    EXPECT_EQ(Ask(model, c.module, c.parent, c.id, c.typeIn), c.expected);
  }
}

TEST(DemoDevice, WhatAHostSeesInGermanUnderTheOnlineFunction) {
  CDDModel model;
  const std::u16string demo = k42::FromNarrow(std::string(K42GUI_SOURCE_DIR) + "/examples/demo/");
  ASSERT_EQ(model.Initialize(demo, u"demo.xml", u"demo_loc.xml", u"de", 2, nullptr), 0);
  Strings tabs, offline;
  model.GetTabModules(1, tabs);
  model.GetTabModules(0, offline);
  EXPECT_EQ(tabs, (Strings{u"modSetup", u"modDiagnosis"}));
  EXPECT_EQ(offline, (Strings{u"modTrend", u"modService"}));

  std::u16string label, image;
  int32_t type = -1, rwro = -1;
  std::vector<CDDDisplayItem> items;
  model.GetDisplayItems(u"modSetup", u"disOutput", label, type, image, items, rwro);
  EXPECT_EQ(label, u"Stromausgang");
  EXPECT_EQ(rwro, 1);  // its menu is conditional through a COND entry
  const Item unit = Ask(model, u"modSetup", u"menuBasic", u"varPVUnit");
  EXPECT_EQ(std::get<1>(unit) + u"|" + std::get<3>(unit), u"Druckeinheit|4");
  std::u16string value, tooltip, topic, helpRef, parameter, status;
  int32_t conditional = 0, origin = -1, headerType = -1;
  model.GetParameterInfo(u"metaManufacturer", u"", PAR_META, value, label, conditional, tooltip, topic, helpRef);
  EXPECT_EQ(value + u"|" + label, u"Morvane Messtechnik GmbH|Hersteller");
  model.GetHeaderVarRef(MODE_OFFLINE, u"DEVICE_TYPE", parameter, origin, label, status, headerType);
  EXPECT_EQ(parameter, u"metaDeviceType");
}

TEST_F(ModuleQueries, ExactlyTheListedFileReferencesGetTheDirectory) {
  const std::u16string dir = k42test::DataDir();
  std::u16string icon, tree, link, help;
  EXPECT_EQ(model.GetModuleIcon(u"modA", icon), 0);
  EXPECT_EQ(model.GetModuleTreeIconList(u"modA", tree), 0);
  EXPECT_EQ(model.GetExternModulePath(u"modB", link), 0);
  EXPECT_EQ((Strings{icon, tree, link}), (Strings{dir + u"img/a.ico", dir + u"img/a_tree.bmp", dir + u"ext/modB.xml"}));
  EXPECT_EQ(model.GetModuleIcon(u"modB", icon), 0);
  EXPECT_EQ(icon, u"");  // nothing to prefix

  std::u16string name;
  EXPECT_EQ(model.GetModuleInfo(u"modA", name, icon, tree, help), 0);
  EXPECT_EQ((Strings{name, icon, tree, help}),
            (Strings{u"Module A", dir + u"img/a.ico", dir + u"img/a_tree.bmp", u""}));
  name = icon = u"keep";
  EXPECT_EQ(model.GetModuleInfo(u"modX", name, icon, tree, help), -1);
  EXPECT_EQ(name + icon, u"keepkeep");

  std::u16string init;
  EXPECT_EQ(model.GetExternModule(u"modB", link, name, init), 0);
  EXPECT_EQ((Strings{link, name, init}), (Strings{u"ext/modB.xml", u"Module B", u"mode=1"}));  // not prefixed

  std::vector<CDDLogo> logos;
  EXPECT_EQ(model.GetLogo(logos), -1);  // one logo has no path; the others are prefixed all the same
  ASSERT_EQ(logos.size(), 3u);
  EXPECT_EQ((Strings{logos[0].m_reference, logos[1].m_reference, logos[2].m_reference}),
            (Strings{dir + u"img/vendor.bmp", u"", dir + u"img/device.bmp"}));

  std::u16string reference;
  EXPECT_EQ(model.GetParameterRef(u"imgA", PAR_IMAGE, reference), 0);
  EXPECT_EQ(reference, dir + u"img/a.bmp");
  std::u16string toolbar;
  EXPECT_EQ(model.GetToolbarIconsList(toolbar), 0);
  EXPECT_EQ(toolbar, dir + u"img/toolbar.bmp");

  CDDModel bare;
  ASSERT_EQ(k42test::Load(bare, "queries/no_labels.xml", "common/minimal_loc.xml"), 0);
  toolbar = u"keep";
  EXPECT_EQ(bare.GetToolbarIconsList(toolbar), -1);
  EXPECT_EQ(toolbar, u"");
  EXPECT_EQ(bare.GetLogo(logos), -1);
  EXPECT_TRUE(logos.empty());
}

TEST(ModelPaths, FailedLanguageSwitchShowsTheGuiXmlFileInOpenFailed) {
  CDDModel model;
  // The localized file does not exist: loading fails at its end, the GUI XML content stays.
  EXPECT_EQ(k42test::Load(model, "queries/no_labels.xml", "queries/absent_loc.xml"), kParseLocFileFailed);
  k42test::MessageBoxCapture boxes;
  EXPECT_EQ(model.OnLanguageIDChange(u"en", nullptr), 0);  // the current language: nothing is read
  EXPECT_TRUE(boxes.Shown().empty());

  EXPECT_NE(model.OnLanguageIDChange(u"de", nullptr), 0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, k42test::DataDir() + u"queries/no_labels.xml");
  EXPECT_EQ(boxes.Shown()[0].caption, u"Open failed!");
  EXPECT_EQ(boxes.Shown()[0].type, static_cast<UINT>(MB_OK));
  std::u16string language;
  model.GetLanguage(language);
  EXPECT_EQ(language, u"de");
}

}  // namespace
