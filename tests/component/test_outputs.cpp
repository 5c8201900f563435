// Which outputs each method writes, sets to null or leaves untouched, and when it answers S_FALSE.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "host.h"
#include "support/message_box_capture.h"

namespace {

using namespace k42host;

// An output BSTR that starts as a marker no method writes, to tell "untouched" from "written".
struct Out {
  static inline OLECHAR marker[] = u"untouched";
  BSTR value = marker;
  ~Out() {
    if (value != marker) SysFreeString(value);
  }
  BSTR* Ptr() { return &value; }
  std::u16string Text() const {
    return value == marker ? u"<untouched>" : value ? std::u16string(value, SysStringLen(value)) : u"<null>";
  }
};

constexpr const char16_t* kKept = u"<untouched>";
constexpr const char16_t* kNull = u"<null>";
// Each output holds its text (kKept, kNull for those states).
void ExpectTexts(std::initializer_list<std::pair<const Out&, const char16_t*>> outputs) {
  int index = 0;
  for (const auto& [out, text] : outputs) EXPECT_EQ(out.Text(), text) << "output " << index++;
}

// Fixture files loaded into one model; `m` is the model, `nope` an identifier nothing has.
class OutputRules : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    ASSERT_EQ(LoadFixture(m, u"outputs.xml", u"outputs_loc.xml"), S_OK);
  }
  AutoBstr full{u"modFull"}, bare{u"modBare"}, nope{u"nope"};
};

TEST_F(OutputRules, ModuleTexts) {
  Out icon, bareIcon, unknownIcon, tree, link, label, init, bareLink, bareLabel, bareInit;
  Out offline, online, bareOffline, bareOnline, feature;
  EXPECT_EQ(m->GetModuleIcon(full, icon.Ptr()), S_OK);
  EXPECT_EQ(m->GetModuleIcon(bare, bareIcon.Ptr()), S_FALSE);
  EXPECT_EQ(m->GetModuleIcon(nope, unknownIcon.Ptr()), S_FALSE);
  EXPECT_EQ(m->GetModuleTreeIconList(bare, tree.Ptr()), S_FALSE);
  EXPECT_EQ(m->GetExternModule(full, link.Ptr(), label.Ptr(), init.Ptr()), S_OK);
  EXPECT_EQ(m->GetExternModule(bare, bareLink.Ptr(), bareLabel.Ptr(), bareInit.Ptr()), S_FALSE);
  EXPECT_EQ(m->GetHeaderRefs(full, offline.Ptr(), online.Ptr()), S_OK);
  EXPECT_EQ(m->GetHeaderRefs(bare, bareOffline.Ptr(), bareOnline.Ptr()), S_FALSE);
  EXPECT_EQ(m->GetModuleFeature(full, AutoBstr(u"Missing"), feature.Ptr()), S_FALSE);
  EXPECT_NE(icon.Text().find(u"/component/full.ico"), std::u16string::npos);
  // A module found without icon gets null, an unknown one nothing; an empty list is not written; the link stays as
  // the file has it.
  ExpectTexts({{bareIcon, kNull},
               {unknownIcon, kKept},
               {tree, kKept},
               {link, u"ext/full.xml"},
               {label, u"Full"},
               {init, u"mode=1"},
               {bareLink, kKept},
               {bareLabel, kKept},
               {bareInit, kKept},
               {offline, kNull},
               {online, u"hdrOnline"},
               {bareOffline, kNull},
               {bareOnline, kNull},
               {feature, kKept}});
}

TEST_F(OutputRules, ItemInfoIconNumbersAndLabels) {
  struct Case {
    const char16_t* module;
    const char16_t* item;
    HRESULT result;
    long icon;
    const char16_t* label;
    long conditional;
  };
  const Case cases[] = {{u"modFull", u"varTwelve", S_OK, 12, u"", 1},
                        {u"modFull", u"varLetters", S_OK, 0, u"Letters", 0},
                        {u"modFull", u"varNoIndex", S_OK, ICON_DEFAULT, u"", 0},
                        {u"nope", u"varTwelve", S_FALSE, 7, u"<untouched>", 7}};  // nothing written
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item, c.item + 8));
    Out label, display;
    long conditional = 7, icon = 7;
    ItemType type = ITEM_MENU;
    ASSERT_EQ(m->GetItemInfo(AutoBstr(c.module), AutoBstr(u"menuFull"), AutoBstr(c.item), label.Ptr(), &conditional,
                             &icon, display.Ptr(), &type),
              c.result);
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(label.Text(), c.label);
    EXPECT_EQ(conditional, c.conditional);
    EXPECT_EQ(display.Text(), c.result == S_OK ? u"disFull" : u"<untouched>");
    EXPECT_EQ(type, c.result == S_OK ? ITEM_VARIABLE : ITEM_MENU);
  }
}

TEST_F(OutputRules, ArraysLeftUntouchedOrEmpty) {
  AutoVariant device, variants, none;
  ASSERT_EQ(m->GetLogo(LOGO_DEVICE, &device), S_OK) << "other logos exist";
  EXPECT_EQ(Shape(device), std::vector<LONG>{0});
  ASSERT_EQ(m->GetConditionalLabelData(AutoBstr(u"varTwelve"), &variants), S_OK);
  EXPECT_EQ(CellText(variants, 1, 0), u"LONG");

  none.vt = VT_I4;
  EXPECT_EQ(m->GetConditionalLabelData(AutoBstr(u"varLetters"), &none), S_FALSE);
  EXPECT_EQ(m->GetMenubarItems(&none), S_FALSE);
  EXPECT_EQ(m->GetToolbarItems(&none), S_FALSE);
  EXPECT_EQ(m->GetModulebarItems(full, &none), S_FALSE);
  EXPECT_EQ(m->GetMetaVarRef(&none), S_FALSE);
  EXPECT_EQ(m->GetSupportedLanguages(&none), S_FALSE);
  EXPECT_EQ(m->GetModuleRootMenus(bare, &none), S_FALSE);
  EXPECT_EQ(none.vt, VT_I4) << "an empty array is not written";
  EXPECT_EQ(m->GetTabModules(1, &none), S_OK) << "modFull is a tab";
  EXPECT_EQ(m->GetLogo(LOGO_VENDOR, nullptr), S_FALSE) << "no place for the array";
  Out path;
  EXPECT_EQ(m->GetToolbarIconsList(path.Ptr()), S_FALSE);
  EXPECT_EQ(path.Text(), u"") << "written even when there is none";
}

TEST_F(HostTest, NoLogoAtAllLeavesTheVariant) {
  ASSERT_EQ(LoadFixture(m, u"../common/minimal.xml"), S_OK);
  AutoVariant logos;
  logos.vt = VT_I4;
  EXPECT_EQ(m->GetLogo(LOGO_VENDOR, &logos), S_FALSE);
  EXPECT_EQ(logos.vt, VT_I4);
}

class DemoOutputs : public DemoTest {
 protected:
  AutoBstr setup{u"modSetup"}, nope{u"nope"};
};

TEST_F(DemoOutputs, ParameterOutputsAreAlwaysWritten) {
  Out value, label, tooltip, topic, help, plain, v2, l2, t2, h2, r2;
  long conditional = 7;
  EXPECT_EQ(m->GetParameterInfo(AutoBstr(u"varTag"), nullptr, AutoBstr(u"Legend"), PAR_VARIABLE, value.Ptr(),
                                label.Ptr(), &conditional, tooltip.Ptr(), topic.Ptr(), help.Ptr()),
            S_OK);
  ExpectTexts({{label, u"Legend Tag"}, {tooltip, u"Measuring point name"}, {value, u""}});  // no value text
  EXPECT_EQ(conditional, 0);
  EXPECT_EQ(m->GetParameterInfo(AutoBstr(u"varTag"), nullptr, AutoBstr(u""), PAR_VARIABLE, nullptr, plain.Ptr(),
                                nullptr, nullptr, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(plain.Text(), u"Tag");
  conditional = 7;
  EXPECT_EQ(m->GetParameterInfo(nope, nullptr, AutoBstr(u"L"), PAR_VARIABLE, v2.Ptr(), l2.Ptr(), &conditional, t2.Ptr(),
                                h2.Ptr(), r2.Ptr()),
            S_FALSE);
  ExpectTexts({{l2, u"L "}, {v2, u""}, {t2, u""}, {h2, u""}, {r2, u""}});
  EXPECT_EQ(conditional, 0);

  // The integers start at 0 (or the chosen default), the texts are written even for a missing parameter.
  VarType type = TYPE_DD_FLOAT;
  long size = 7, attribute = 7, condition = 7, conditionalFormat = 7;
  Out storage, handling, format, alignment, style;
  EXPECT_EQ(m->GetParameterDatatype(nope, PAR_VARIABLE, &type, &size, &attribute, storage.Ptr(), handling.Ptr()),
            S_FALSE);
  EXPECT_EQ(type, TYPE_UNKNOWN);
  EXPECT_TRUE(size == 0 && attribute == 0) << size << " " << attribute;
  EXPECT_EQ(storage.Text(), u"");
  EXPECT_EQ(m->GetParameterFormat(nope, PAR_VARIABLE, format.Ptr(), alignment.Ptr(), &condition, style.Ptr(),
                                  &conditionalFormat),
            S_FALSE);
  EXPECT_EQ(condition, kDISPLAYALWAYS);
  EXPECT_EQ(conditionalFormat, 0);
  EXPECT_EQ(format.Text(), u"");

  HandlingType handlingType = kWRITEONLY;
  type = TYPE_DD_FLOAT;
  EXPECT_EQ(m->GetParameterType(AutoBstr(u"metZeroTrim"), PAR_METHODE, &type, &handlingType), S_FALSE);
  EXPECT_EQ(type, TYPE_DD_FLOAT) << "a method has no type";
  EXPECT_EQ(handlingType, kCONDITIONAL);
}

TEST_F(DemoOutputs, HeaderDisplaysAndNullPointers) {
  Out parameter, labelRef, status, general, image, displayLabel, valid;
  BSTR origin = Out::marker;
  long type = 0, condition = 7, online = 7;
  ASSERT_EQ(m->GetHeaderVarRef(MODE_ONLINE, AutoBstr(u"PRIMARY_VALUE"), parameter.Ptr(), &origin, labelRef.Ptr(),
                               status.Ptr(), &type),
            S_OK);
  ExpectTexts({{parameter, u"varPV"}, {labelRef, u""}, {status, u"varDeviceStatus"}});
  EXPECT_EQ(reinterpret_cast<intptr_t>(origin), PAR_VARIABLE) << "the origin is a number";
  EXPECT_EQ(type, HEADERVARTYPE_STATIC);
  ASSERT_EQ(m->GetHeaderVarRef(static_cast<Mode>(7), AutoBstr(u"MANUFACTURER"), general.Ptr(), &origin, nullptr,
                               nullptr, nullptr),
            S_OK)
      << "any other mode means GENERAL";
  EXPECT_EQ(general.Text(), u"metaManufacturer");

  AutoVariant items;
  items.vt = VT_I4;
  EXPECT_EQ(m->GetDisplayItems(setup, nope, image.Ptr(), &items, &condition), S_FALSE);
  EXPECT_EQ(image.Text(), u"") << "the image path is always written";
  EXPECT_TRUE(items.vt == VT_I4 && condition == 7);

  DisplayType displayType = DISPLAY_UNKNOWN;
  EXPECT_EQ(m->GetDisplayInfo(AutoBstr(u"modDiagnosis"), AutoBstr(u"disDiagHistory"), displayLabel.Ptr(), &displayType,
                              valid.Ptr()),
            S_OK);
  EXPECT_EQ(displayLabel.Text(), u"Event history");
  EXPECT_EQ(displayType, DISPLAY_SINGLE_MODULE);

  // Null outputs are skipped, never written through.
  EXPECT_EQ(m->GetModuleInfo(setup, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(m->GetDisplayButtonNav(setup, AutoBstr(u"disBasic"), nullptr, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(
      m->GetItemInfo(setup, AutoBstr(u"menuBasic"), AutoBstr(u"varTag"), nullptr, nullptr, nullptr, nullptr, nullptr),
      S_OK);
  EXPECT_EQ(m->GetDisplayItems(setup, AutoBstr(u"disBasic"), nullptr, nullptr, nullptr), S_FALSE);
  EXPECT_EQ(m->GetParameterDatatype(AutoBstr(u"varPV"), PAR_VARIABLE, nullptr, nullptr, nullptr, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(m->GetHeaderCtrlInfo(MODE_ONLINE, AutoBstr(u"HEADER_CONTROL"), nullptr, nullptr, nullptr, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(m->GetFunctionIdIsOnline(nullptr), S_FALSE);
  EXPECT_EQ(m->GetFunctionIdIsOnline(&online), S_OK);
  EXPECT_EQ(online, 0) << "function 1 works offline";
}

TEST_F(DemoOutputs, LanguagesLabelsAndInitializationString) {
  Out language, gui, unknown, global, value;
  EXPECT_EQ(m->GetGuiLabel(AutoBstr(u"toolInfoRangeTo"), gui.Ptr()), S_OK);
  EXPECT_EQ(m->GetGuiLabel(nope, unknown.Ptr()), S_FALSE);
  EXPECT_EQ(m->OnLanguageIDChange(AutoBstr(u"de"), 0), S_OK);
  EXPECT_EQ(m->GetGlobalLabel(AutoBstr(u"lblPressureUnit"), global.Ptr()), S_OK);
  EXPECT_EQ(m->GetLanguage(language.Ptr()), S_OK);
  ExpectTexts({{gui, u"up to "}, {unknown, kKept}, {global, u"Druckeinheit"}, {language, u"de"}});

  EXPECT_EQ(m->ParseInitString(AutoBstr(u"HelpApplication"), value.Ptr()), S_FALSE) << "nothing stored yet";
  EXPECT_EQ(value.Text(), kKept);
  EXPECT_EQ(m->SetSDKInitialization(AutoBstr(u"HelpApplication=viewer.exe|HelpParameter=-a||b")), S_OK);
  EXPECT_EQ(m->ParseInitString(AutoBstr(u"HelpParameter"), value.Ptr()), S_OK);
  EXPECT_EQ(value.Text(), u"-a|b");
}

TEST_F(HostTest, FailedLoadAnswersFalse) {
  k42test::MessageBoxCapture boxes;
  EXPECT_EQ(LoadFixture(m, u"missing.xml"), S_FALSE);
  AutoVariant modules;
  EXPECT_EQ(m->GetTabModules(1, &modules), S_FALSE);
  EXPECT_EQ(modules.vt, VT_EMPTY);
  EXPECT_EQ(boxes.Shown().size(), 1u) << "the host's message-box handler sees the component's box";
}

TEST_F(HostTest, RefusedFilesAnswerFalseWithoutABox) {
  k42test::MessageBoxCapture boxes;
  // A document type declaration (with entities, or with a stray subset end) is refused before it is read.
  for (const char16_t* file : {u"../model/billion_laughs.xml", u"../model/doctype_stray.xml"}) {
    EXPECT_EQ(LoadFixture(m, file), S_FALSE);
    AutoVariant modules;
    EXPECT_EQ(m->GetTabModules(1, &modules), S_FALSE);
  }
  EXPECT_TRUE(boxes.Shown().empty());
}

}  // namespace
