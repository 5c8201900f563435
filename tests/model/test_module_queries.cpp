// Module, menu, display and item queries against a loaded device.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "platform/text.h"
#include "support/test_paths.h"

namespace {

using Strings = std::vector<std::u16string>;

// A loaded model that can receive one more module, to reach what loading
// never builds: a later module of a taken identifier that has a display.
class QueryModel : public CDDModel {
public:
    void AppendModule(CDDModule* module) { m_modules.push_back(module); }
};

class ModuleQueries : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(k42test::Load(model, "queries/queries.xml", "queries/queries_loc.xml"), 0); }
    QueryModel model;
};

TEST_F(ModuleQueries, FirstModuleAnswersWhileDisplayItemsTriesLaterModules) {
    auto* late = new CDDModule;
    late->SetId(u"modA");
    auto* display = new CDDPardis;
    display->SetId(u"disLate");
    display->SetLabel(u"Late", 0, u"");
    CDDDisplayItem item;
    item.m_reference = u"varLate";
    display->AddItem(item);
    late->AddDisplay(display);
    model.AppendModule(late);

    std::u16string label = u"keep", valid = u"keep";
    int32_t type = 9;
    EXPECT_EQ(model.GetDisplayInfo(u"modA", u"disLate", label, type, valid), -1);
    EXPECT_EQ(label, u"keep");
    EXPECT_EQ(type, 9);

    std::u16string image = u"img";
    std::vector<CDDDisplayItem> items(3);
    int32_t rwro = 5;
    model.GetDisplayItems(u"modA", u"disLate", label, type, image, items, rwro);
    EXPECT_EQ(label, u"Late");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].m_reference, u"varLate");
    EXPECT_EQ(rwro, 0);

    model.GetDisplayItems(u"modA", u"disMain", label, type, image, items, rwro);
    EXPECT_EQ(label, u"Main display");
    EXPECT_EQ(type, DISPLAY_CUSTOM);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].m_reference, u"varKnown");

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
    EXPECT_EQ(model.CDDParserXML::GetHelpFilePath(kHELPDTM, path, anchor), 0);
    EXPECT_EQ(path, u"help/device.pdf");
    EXPECT_EQ(anchor, kEQTOHELPTOPIC);
    EXPECT_EQ(model.CDDParserXML::GetHelpFilePath(2, path, anchor), 0);
    EXPECT_EQ(path, u"help/device.pdf");
    EXPECT_EQ(anchor, kEQTOID);
}

struct Item {
    int32_t result;
    std::u16string label, display, index;
    int32_t type, conditional;
};

Item Ask(const CDDModel& model, const std::u16string& module, const std::u16string& parent,
         const std::u16string& id, int32_t typeIn = -7) {
    Item item{0, u"keep", u"keep", u"keep", typeIn, 9};
    item.result = model.GetItemInfo(module, parent, id, item.label, item.display, item.index, item.type,
                                    item.conditional);
    return item;
}

TEST_F(ModuleQueries, ItemInfoLabelsConditionalLabelsAndFallback) {
    Item known = Ask(model, u"modA", u"menuRoot", u"varKnown");
    EXPECT_EQ(known.result, 0);
    EXPECT_EQ((Strings{known.label, known.display, known.index}), (Strings{u"Known", u"disMain", u"3"}));
    EXPECT_EQ(known.type, ITEM_VARIABLE);
    EXPECT_EQ(known.conditional, 0);

    Item conditional = Ask(model, u"modA", u"menuRoot", u"varCondLabel");
    EXPECT_EQ(conditional.result, 0);
    EXPECT_EQ(conditional.label, u"");
    EXPECT_EQ(conditional.conditional, 1);
    EXPECT_EQ(Ask(model, u"modA", u"menuRoot", u"varNoStorage").label, u"Plain label");  // its label reference
    EXPECT_EQ(Ask(model, u"modA", u"menuRoot", u"varUnknownType").conditional, 1);      // references lblCond
    EXPECT_EQ(Ask(model, u"modA", u"menuRoot", u"varCond").result, -1);                 // reference names nothing

    Item method = Ask(model, u"modA", u"menuRoot", u"metPlain");
    EXPECT_EQ(method.label, u"Plain method");
    EXPECT_EQ(method.type, ITEM_METHOD);
    EXPECT_EQ(Ask(model, u"modA", u"menuRoot", u"modB").label, u"Module B");
    EXPECT_EQ(Ask(model, u"modA", u"menuRoot", u"modNowhere").result, -1);
    Item menu = Ask(model, u"modA", u"menuRoot", u"menuSub");
    EXPECT_EQ(menu.result, 0);
    EXPECT_EQ((Strings{menu.label, menu.display, menu.index}), (Strings{u"Sub menu", u"disSub", u"1"}));
    EXPECT_EQ(Ask(model, u"modA", u"", u"menuRoot").type, ITEM_ROOTMENU);
    // An entry the menu lacks keeps the caller's type, which then decides.
    EXPECT_EQ(Ask(model, u"modA", u"menuRoot", u"notThere", ITEM_UNKNOWN).result, 0);
    EXPECT_EQ(Ask(model, u"modA", u"menuRoot", u"notThere", ITEM_METHOD).result, -1);

    // No menu of that name: the variable is found all the same, but the result stays -1.
    Item fallback = Ask(model, u"modA", u"menuNope", u"varKnown");
    EXPECT_EQ(fallback.result, -1);
    EXPECT_EQ(fallback.type, ITEM_VARIABLE);
    EXPECT_EQ((Strings{fallback.label, fallback.display, fallback.index}), (Strings{u"Known", u"disMain", u""}));
    EXPECT_EQ(Ask(model, u"modA", u"menuNope", u"nothing").type, -7);

    Item noModule = Ask(model, u"modX", u"menuRoot", u"varKnown");
    EXPECT_EQ(noModule.result, -1);
    EXPECT_EQ(noModule.conditional, 0);
    EXPECT_EQ(noModule.label, u"keep");
}

TEST(DemoDevice, WhatAHostSeesInGermanUnderTheOnlineFunction) {
    CDDModel model;
    const std::u16string demo = k42::FromNarrow(std::string(K42GUI_SOURCE_DIR) + "/examples/demo/");
    ASSERT_EQ(model.Initialize(demo, u"demo.xml", u"demo_loc.xml", u"de", 2, nullptr), 0);
    Strings tabs;
    model.GetTabModules(1, tabs);
    EXPECT_EQ(tabs, (Strings{u"modSetup", u"modDiagnosis"}));
    model.GetTabModules(0, tabs);
    EXPECT_EQ(tabs, (Strings{u"modTrend", u"modService"}));

    std::u16string label, image;
    int32_t type = -1, rwro = -1;
    std::vector<CDDDisplayItem> items;
    model.GetDisplayItems(u"modSetup", u"disOutput", label, type, image, items, rwro);
    EXPECT_EQ(label, u"Stromausgang");
    EXPECT_EQ(rwro, 1);  // its menu is conditional through a COND entry
    model.GetDisplayItems(u"modService", u"disService", label, type, image, items, rwro);
    EXPECT_EQ(rwro, 0);

    Item unit = Ask(model, u"modSetup", u"menuBasic", u"varPVUnit");
    EXPECT_EQ(unit.label + u"|" + unit.index, u"Druckeinheit|4");
    std::u16string value, tooltip, topic, helpRef;
    int32_t conditional = 0;
    EXPECT_EQ(model.GetParameterInfo(u"metaManufacturer", u"", PAR_META, value, label, conditional, tooltip, topic,
                                     helpRef), 0);
    EXPECT_EQ(value + u"|" + label, u"Morvane Messtechnik GmbH|Hersteller");

    std::u16string parameter, status;
    int32_t origin = -1, headerType = -1;
    EXPECT_EQ(model.GetHeaderVarRef(MODE_OFFLINE, u"DEVICE_TYPE", parameter, origin, label, status, headerType), 0);
    EXPECT_EQ(parameter, u"metaDeviceType");
    EXPECT_EQ(origin, PAR_META);
    EXPECT_EQ(model.GetHeaderVarRef(MODE_ONLINE, u"DEVICE_TYPE", parameter, origin, label, status, headerType), -1);
}

TEST(ModuleQueriesEmpty, NeverInitializedModelAnswersWithoutTouchingOutputs) {
    CDDModel model;
    Strings ids{u"keep"};
    EXPECT_EQ(model.GetTabModules(1, ids), -1);
    std::vector<CDDMenuEntry> entries(1);
    EXPECT_EQ(model.GetMenuItems(u"m", u"n", entries), -1);
    EXPECT_EQ(ids.size() + entries.size(), 2u);
    std::u16string text = u"keep";
    int32_t number = 4;
    EXPECT_EQ(model.GetItemInfo(u"m", u"", u"i", text, text, text, number, number), -1);
    EXPECT_EQ(model.GetModuleInfo(u"m", text, text, text, text), -1);
    EXPECT_EQ(model.GetDisplayButtonNav(u"m", u"d", text, text, text, text, text), -1);
    EXPECT_EQ(model.GetFunctionIdIsOnline(nullptr), -1);
    EXPECT_EQ(text, u"keep");
    std::vector<CDDMenubarItem*> bar{nullptr};
    model.GetMenubarItems(bar);
    EXPECT_TRUE(bar.empty());
}

}  // namespace
