// Which outputs each method writes, sets to null or leaves untouched, and when it answers S_FALSE.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host.h"
#include "support/message_box_capture.h"

namespace {

using namespace k42host;

// An output BSTR that starts as the marker, to tell "untouched" from "written".
struct Out {
  BSTR value = Marker();
  ~Out() {
    if (value != Marker()) SysFreeString(value);
  }
  BSTR* Ptr() { return &value; }
  // Frees what a call wrote, before the output is used again.
  void Reset() {
    if (value != Marker()) SysFreeString(value);
    value = Marker();
  }
  bool Untouched() const { return value == Marker(); }
  std::u16string Text() const {
    if (Untouched()) return u"<untouched>";
    return value ? std::u16string(value, SysStringLen(value)) : u"<null>";
  }
};

class OutputRules : public HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(LoadFixture(Model(), u"outputs.xml", u"outputs_loc.xml"), S_OK);
  }
};

TEST_F(OutputRules, ModuleTexts) {
  Out icon, tree, link, label, init;
  EXPECT_EQ(Model()->GetModuleIcon(Bstr(u"modFull"), icon.Ptr()), S_OK);
  EXPECT_NE(icon.Text().find(u"/component/full.ico"), std::u16string::npos);

  Out bareIcon, unknownIcon;
  EXPECT_EQ(Model()->GetModuleIcon(Bstr(u"modBare"), bareIcon.Ptr()), S_FALSE);
  EXPECT_EQ(bareIcon.value, nullptr) << "found without icon: set to null";
  EXPECT_EQ(Model()->GetModuleIcon(Bstr(u"nope"), unknownIcon.Ptr()), S_FALSE);
  EXPECT_TRUE(unknownIcon.Untouched());

  EXPECT_EQ(Model()->GetModuleTreeIconList(Bstr(u"modBare"), tree.Ptr()), S_FALSE);
  EXPECT_TRUE(tree.Untouched()) << "an empty list is not written";

  EXPECT_EQ(Model()->GetExternModule(Bstr(u"modFull"), link.Ptr(), label.Ptr(), init.Ptr()), S_OK);
  EXPECT_EQ(link.Text(), u"ext/full.xml") << "the link as the file has it";
  EXPECT_EQ(label.Text(), u"Full");
  EXPECT_EQ(init.Text(), u"mode=1");
  Out bareLink, bareLabel, bareInit;
  EXPECT_EQ(Model()->GetExternModule(Bstr(u"modBare"), bareLink.Ptr(), bareLabel.Ptr(), bareInit.Ptr()), S_FALSE);
  EXPECT_TRUE(bareLink.Untouched() && bareLabel.Untouched() && bareInit.Untouched());

  Out offline, online, bareOffline, bareOnline;
  EXPECT_EQ(Model()->GetHeaderRefs(Bstr(u"modFull"), offline.Ptr(), online.Ptr()), S_OK);
  EXPECT_EQ(offline.value, nullptr);
  EXPECT_EQ(online.Text(), u"hdrOnline");
  EXPECT_EQ(Model()->GetHeaderRefs(Bstr(u"modBare"), bareOffline.Ptr(), bareOnline.Ptr()), S_FALSE);
  EXPECT_EQ(bareOffline.value, nullptr);
  EXPECT_EQ(bareOnline.value, nullptr);

  Out feature;
  EXPECT_EQ(Model()->GetModuleFeature(Bstr(u"modFull"), Bstr(u"Missing"), feature.Ptr()), S_FALSE);
  EXPECT_TRUE(feature.Untouched());
}

TEST_F(OutputRules, ItemInfoIconNumbersAndLabels) {
  struct Case {
    const char16_t* item;
    long icon;
    const char16_t* label;
    long conditional;
  };
  for (const Case& c : {Case{u"varTwelve", 12, u"", 1}, Case{u"varLetters", 0, u"Letters", 0},
                        Case{u"varNoIndex", ICON_DEFAULT, u"", 0}}) {
    Out label, display;
    long conditional = 7, icon = 7;
    ItemType type = ITEM_UNKNOWN;
    ASSERT_EQ(Model()->GetItemInfo(Bstr(u"modFull"), Bstr(u"menuFull"), Bstr(c.item), label.Ptr(), &conditional, &icon,
                                   display.Ptr(), &type),
              S_OK)
        << std::string(c.item, c.item + 8);
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(label.Text(), c.label);
    EXPECT_EQ(conditional, c.conditional);
    EXPECT_EQ(display.Text(), u"disFull");
    EXPECT_EQ(type, ITEM_VARIABLE);
  }
  Out label, display;
  long conditional = 7, icon = 7;
  ItemType type = ITEM_MENU;
  EXPECT_EQ(Model()->GetItemInfo(Bstr(u"nope"), Bstr(u"menuFull"), Bstr(u"varTwelve"), label.Ptr(), &conditional, &icon,
                                 display.Ptr(), &type),
            S_FALSE);
  EXPECT_TRUE(label.Untouched() && display.Untouched());
  EXPECT_EQ(conditional, 7);
  EXPECT_EQ(icon, 7);
  EXPECT_EQ(type, ITEM_MENU);
}

TEST_F(OutputRules, ArraysLeftUntouchedOrEmpty) {
  Variant device, vendor, variants, none;
  ASSERT_EQ(Model()->GetLogo(LOGO_DEVICE, &device), S_OK) << "other logos exist";
  EXPECT_EQ(Shape(device), std::vector<LONG>{0});
  ASSERT_EQ(Model()->GetLogo(LOGO_VENDOR, &vendor), S_OK);
  EXPECT_NE(CellText(vendor, 0).find(u"/component/vendor.bmp"), std::u16string::npos);

  ASSERT_EQ(Model()->GetConditionalLabelData(Bstr(u"varTwelve"), &variants), S_OK);
  EXPECT_EQ(Shape(variants), (std::vector<LONG>{2, 3}));
  EXPECT_EQ(CellText(variants, 1, 0), u"LONG");
  none.vt = VT_I4;
  none.lVal = 7;
  EXPECT_EQ(Model()->GetConditionalLabelData(Bstr(u"varLetters"), &none), S_FALSE);
  EXPECT_EQ(Model()->GetMenubarItems(&none), S_FALSE);
  EXPECT_EQ(Model()->GetToolbarItems(&none), S_FALSE);
  EXPECT_EQ(Model()->GetModulebarItems(Bstr(u"modFull"), &none), S_FALSE);
  EXPECT_EQ(Model()->GetMetaVarRef(&none), S_FALSE);
  EXPECT_EQ(Model()->GetSupportedLanguages(&none), S_FALSE);
  EXPECT_EQ(Model()->GetModuleRootMenus(Bstr(u"modBare"), &none), S_FALSE);
  EXPECT_EQ(Model()->GetTabModules(1, &none), S_OK) << "modFull is a tab";
  EXPECT_EQ(Model()->GetLogo(LOGO_VENDOR, nullptr), S_FALSE) << "no place for the array";
  Out path;
  EXPECT_EQ(Model()->GetToolbarIconsList(path.Ptr()), S_FALSE);
  EXPECT_EQ(path.Text(), u"") << "written even when there is none";
}

TEST(OutputRulesWithoutLogos, NoLogoAtAllLeavesTheVariant) {
  Ref<IGuiXmlModel> model = CreateModel();
  ASSERT_EQ(LoadFixture(model.Get(), u"../common/minimal.xml"), S_OK);
  Variant logos;
  logos.vt = VT_I4;
  EXPECT_EQ(model->GetLogo(LOGO_VENDOR, &logos), S_FALSE);
  EXPECT_EQ(logos.vt, VT_I4);
}

class DemoOutputs : public HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(LoadDemo(Model()), S_OK);
  }
};

TEST_F(DemoOutputs, ParameterOutputsAreAlwaysWritten) {
  Out value, label, tooltip, topic, help;
  long conditional = 7;
  EXPECT_EQ(Model()->GetParameterInfo(Bstr(u"varTag"), nullptr, Bstr(u"Legend"), PAR_VARIABLE, value.Ptr(), label.Ptr(),
                                      &conditional, tooltip.Ptr(), topic.Ptr(), help.Ptr()),
            S_OK);
  EXPECT_EQ(label.Text(), u"Legend Tag");
  EXPECT_EQ(tooltip.Text(), u"Measuring point name");
  EXPECT_EQ(value.Text(), u"") << "a plain variable has no value text";
  EXPECT_EQ(conditional, 0);
  Out plain;
  EXPECT_EQ(Model()->GetParameterInfo(Bstr(u"varTag"), nullptr, Bstr(u""), PAR_VARIABLE, nullptr, plain.Ptr(), nullptr,
                                      nullptr, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(plain.Text(), u"Tag");
  Out v2, l2, t2, h2, r2;
  conditional = 7;
  EXPECT_EQ(Model()->GetParameterInfo(Bstr(u"nope"), nullptr, Bstr(u"L"), PAR_VARIABLE, v2.Ptr(), l2.Ptr(),
                                      &conditional, t2.Ptr(), h2.Ptr(), r2.Ptr()),
            S_FALSE);
  EXPECT_EQ(l2.Text(), u"L ");
  EXPECT_TRUE(v2.Text().empty() && t2.Text().empty() && h2.Text().empty() && r2.Text().empty());
  EXPECT_EQ(conditional, 0);

  // The three integers start at 0, the texts are written even for a parameter that does not exist.
  VarType type = TYPE_DD_FLOAT;
  long size = 7, attribute = 7;
  Out storage, handling;
  EXPECT_EQ(Model()->GetParameterDatatype(Bstr(u"nope"), PAR_VARIABLE, &type, &size, &attribute, storage.Ptr(),
                                          handling.Ptr()),
            S_FALSE);
  EXPECT_EQ(type, TYPE_UNKNOWN);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(attribute, 0);
  EXPECT_EQ(storage.Text(), u"");

  Out format, alignment, style;
  long condition = 7, conditionalFormat = 7;
  EXPECT_EQ(Model()->GetParameterFormat(Bstr(u"nope"), PAR_VARIABLE, format.Ptr(), alignment.Ptr(), &condition,
                                        style.Ptr(), &conditionalFormat),
            S_FALSE);
  EXPECT_EQ(condition, kDISPLAYALWAYS) << "the chosen value when nothing is found";
  EXPECT_EQ(conditionalFormat, 0);
  EXPECT_EQ(format.Text(), u"");

  VarType varType = TYPE_DD_FLOAT;
  HandlingType handlingType = kWRITEONLY;
  EXPECT_EQ(Model()->GetParameterType(Bstr(u"metZeroTrim"), PAR_METHODE, &varType, &handlingType), S_FALSE);
  EXPECT_EQ(varType, TYPE_DD_FLOAT) << "a method has no type";
  EXPECT_EQ(handlingType, kCONDITIONAL);
}

TEST_F(DemoOutputs, HeaderDisplaysAndNullPointers) {
  Out parameter, labelRef, status;
  BSTR origin = Marker();
  long type = 0;
  ASSERT_EQ(Model()->GetHeaderVarRef(MODE_ONLINE, Bstr(u"PRIMARY_VALUE"), parameter.Ptr(), &origin, labelRef.Ptr(),
                                     status.Ptr(), &type),
            S_OK);
  EXPECT_EQ(parameter.Text(), u"varPV");
  EXPECT_EQ(reinterpret_cast<intptr_t>(origin), PAR_VARIABLE) << "the origin is a number";
  EXPECT_EQ(labelRef.Text(), u"");
  EXPECT_EQ(status.Text(), u"varDeviceStatus");
  EXPECT_EQ(type, HEADERVARTYPE_STATIC);
  Out general;
  ASSERT_EQ(Model()->GetHeaderVarRef(static_cast<Mode>(7), Bstr(u"MANUFACTURER"), general.Ptr(), &origin, nullptr,
                                     nullptr, nullptr),
            S_OK)
      << "any other mode means GENERAL";
  EXPECT_EQ(general.Text(), u"metaManufacturer");

  Out image;
  Variant items;
  items.vt = VT_I4;
  long condition = 7;
  EXPECT_EQ(Model()->GetDisplayItems(Bstr(u"modSetup"), Bstr(u"nope"), image.Ptr(), &items, &condition), S_FALSE);
  EXPECT_EQ(image.Text(), u"") << "the image path is always written";
  EXPECT_EQ(items.vt, VT_I4);
  EXPECT_EQ(condition, 7);

  Out displayLabel, valid;
  DisplayType displayType = DISPLAY_UNKNOWN;
  EXPECT_EQ(Model()->GetDisplayInfo(Bstr(u"modDiagnosis"), Bstr(u"disDiagHistory"), displayLabel.Ptr(), &displayType,
                                    valid.Ptr()),
            S_OK);
  EXPECT_EQ(displayLabel.Text(), u"Event history");
  EXPECT_EQ(displayType, DISPLAY_SINGLE_MODULE);

  // Null outputs are skipped, never written through.
  EXPECT_EQ(Model()->GetModuleInfo(Bstr(u"modSetup"), nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(
      Model()->GetDisplayButtonNav(Bstr(u"modSetup"), Bstr(u"disBasic"), nullptr, nullptr, nullptr, nullptr, nullptr),
      S_OK);
  EXPECT_EQ(Model()->GetItemInfo(Bstr(u"modSetup"), Bstr(u"menuBasic"), Bstr(u"varTag"), nullptr, nullptr, nullptr,
                                 nullptr, nullptr),
            S_OK);
  EXPECT_EQ(Model()->GetDisplayItems(Bstr(u"modSetup"), Bstr(u"disBasic"), nullptr, nullptr, nullptr), S_FALSE);
  EXPECT_EQ(Model()->GetParameterDatatype(Bstr(u"varPV"), PAR_VARIABLE, nullptr, nullptr, nullptr, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(
      Model()->GetHeaderCtrlInfo(MODE_ONLINE, Bstr(u"HEADER_CONTROL"), nullptr, nullptr, nullptr, nullptr, nullptr),
      S_OK);
  EXPECT_EQ(Model()->GetFunctionIdIsOnline(nullptr), S_FALSE);
  long online = 7;
  EXPECT_EQ(Model()->GetFunctionIdIsOnline(&online), S_OK);
  EXPECT_EQ(online, 0) << "function 1 works offline";
}

TEST_F(DemoOutputs, LanguagesLabelsAndInitializationString) {
  Out language, gui, unknown, global;
  EXPECT_EQ(Model()->GetGuiLabel(Bstr(u"toolInfoRangeTo"), gui.Ptr()), S_OK);
  EXPECT_EQ(gui.Text(), u"up to ");
  EXPECT_EQ(Model()->GetGuiLabel(Bstr(u"nope"), unknown.Ptr()), S_FALSE);
  EXPECT_TRUE(unknown.Untouched());
  EXPECT_EQ(Model()->OnLanguageIDChange(Bstr(u"de"), 0), S_OK);
  EXPECT_EQ(Model()->GetGlobalLabel(Bstr(u"lblPressureUnit"), global.Ptr()), S_OK);
  EXPECT_EQ(global.Text(), u"Druckeinheit");
  EXPECT_EQ(Model()->GetLanguage(language.Ptr()), S_OK);
  EXPECT_EQ(language.Text(), u"de");

  Out value;
  EXPECT_EQ(Model()->ParseInitString(Bstr(u"HelpApplication"), value.Ptr()), S_FALSE) << "nothing stored yet";
  EXPECT_TRUE(value.Untouched());
  EXPECT_EQ(Model()->SetSDKInitialization(Bstr(u"HelpApplication=viewer.exe|HelpParameter=-a||b")), S_OK);
  EXPECT_EQ(Model()->ParseInitString(Bstr(u"HelpParameter"), value.Ptr()), S_OK);
  EXPECT_EQ(value.Text(), u"-a|b");
}

TEST(Loading, FailedLoadAnswersFalse) {
  k42test::MessageBoxCapture boxes;
  Ref<IGuiXmlModel> model = CreateModel();
  EXPECT_EQ(LoadFixture(model.Get(), u"missing.xml"), S_FALSE);
  Variant modules;
  EXPECT_EQ(model->GetTabModules(1, &modules), S_FALSE);
  EXPECT_EQ(modules.vt, VT_EMPTY);
  EXPECT_EQ(boxes.Shown().size(), 1u) << "the host's message-box handler sees the component's box";
}

}  // namespace
