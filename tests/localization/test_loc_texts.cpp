// Localized texts landing on the records: language blocks, scopes, variants, character data, help files.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "support/test_paths.h"

namespace {

using k42test::Load;

std::u16string Label(const CDDModel& model, const std::u16string& id) {
  std::u16string text;
  return model.GetGlobalLabel(id, text) == 0 ? text : u"<none>";
}

// Exposes the help file references that the localized file sets.
struct HelpFiles : CDDModel {
  using CDDParserXML::m_dtmHelpAnchor;
  using CDDParserXML::m_dtmHelpFile;
  using CDDParserXML::m_uiHelpAnchor;
  using CDDParserXML::m_uiHelpFile;
};

class ScopedTexts : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Load(model, "localization/device.xml", "localization/scopes_loc.xml"), 0); }
  HelpFiles model;
};

TEST(LocalizedTexts, DefaultBlockIsTheFallbackOnlyWhenItComesFirst) {
  struct Case {
    const char* file;
    std::u16string language, lblA, lblB;
  };
  const Case cases[] = {
      // Not the "DE" block: identifiers match case-sensitively; German lacks lblB: the default block's text.
      {"localization/default_first_loc.xml", u"de", u"Alfa", u"Bravo"},
      {"localization/default_first_loc.xml", u"fr", u"Alpha", u"Bravo"},
      {"localization/default_first_loc.xml", u"DE", u"ALFA (upper-case block)", u"Bravo"},
      {"localization/default_last_loc.xml", u"de", u"Alpha", u""},  // the later block replaces the earlier one
  };
  for (const Case& c : cases) {
    CDDModel model;
    ASSERT_EQ(Load(model, "localization/device.xml", c.file, c.language), 0);
    EXPECT_EQ(Label(model, u"lblA") + u"|" + Label(model, u"lblB"), c.lblA + u"|" + c.lblB) << c.file;
  }
}

TEST_F(ScopedTexts, ScopesChooseTheCollectionAndUnknownScopesAreSilent) {
  EXPECT_EQ(Label(model, u"modMain"), u"Main tab");             // modules are global identifiers too
  EXPECT_EQ(Label(model, u"lblB"), u"through the scope list");  // not in modAux: every scope is tried
  EXPECT_EQ(Label(model, u"lblC"), u"");                        // its scope names no module
  EXPECT_EQ(Label(model, u"noSuchId"), u"<none>");              // "GLOBAL" creates nothing

  std::u16string text;
  EXPECT_EQ(model.GetGuiLabel(u"myDeviceText", text), 0);  // "SDKSTDGUI" creates it
  EXPECT_EQ(text, u"Created under SDKSTDGUI");
  EXPECT_EQ(model.GuiLabelDictionary().Count(), 28u);
}

// The label (and help topic) of a module's menu or display, found in its local dictionary.
std::u16string LocalText(const CDDModel& model, const std::u16string& moduleId, const std::u16string& id,
                         bool helpTopic = false) {
  for (const auto& module : model.Modules()) {
    if (module->Id() != moduleId) continue;
    const CDDBase* element = module->FindChild(id);
    if (element == nullptr) return u"<none>";
    std::u16string text;
    helpTopic ? element->GetHelpTopic(text) : element->GetLabel(text);
    return text;
  }
  return u"<no module>";
}

TEST_F(ScopedTexts, ModuleScopesReachMenusAndDisplaysAndUnfoundIdsReachEveryCollection) {
  EXPECT_EQ(LocalText(model, u"modMain", u"mnuMain"), u"Main menu");
  EXPECT_EQ(LocalText(model, u"modMain", u"pdMain"), u"Main display");
  EXPECT_EQ(LocalText(model, u"modMain", u"pdMain", true), u"main-help");
  EXPECT_EQ(LocalText(model, u"modAux", u"pdSame"), u"auxiliary only");
  EXPECT_EQ(LocalText(model, u"modMain", u"pdSame"), u"");  // another module's display of that name

  // "pdShared" is not in modAux: the label and modMain's display both get it.
  EXPECT_EQ(Label(model, u"pdShared"), u"shared text");
  EXPECT_EQ(LocalText(model, u"modMain", u"pdShared"), u"shared text");
}

// An identifier missing from its scope reaches the element of that name in every module of the scope list.
// A second load appends empty modules of the same names (their contents go to the first ones) and the
// scope list then names only those: the first load's modules get no such texts any more.
TEST_F(ScopedTexts, UnfoundIdsReachEveryModuleOfTheCurrentScopeList) {
  const auto tooltip = [&](size_t module, const char16_t* id) {
    const CDDBase* element = model.Modules()[module]->FindChild(id);
    std::u16string text = u"<none>";
    if (element != nullptr) element->GetTooltip(text);
    return text;
  };
  EXPECT_EQ(tooltip(0, u"pdSame") + u"|" + tooltip(1, u"pdSame"), u"every module's|every module's");

  model.Modules()[0]->FindChild(u"pdShared")->SetLabel(u"first load", 0, u"");
  model.Modules()[1]->FindChild(u"pdSame")->SetTooltip(u"first load", u"");
  ASSERT_EQ(Load(model, "localization/device.xml", "localization/scopes_loc.xml"), 0);
  ASSERT_EQ(model.Modules().size(), 4u);
  EXPECT_EQ(LocalText(model, u"modMain", u"pdShared") + u"|" + Label(model, u"pdShared"), u"first load|shared text");
  EXPECT_EQ(tooltip(0, u"pdSame") + u"|" + tooltip(1, u"pdSame") + u"|" + tooltip(3, u"pdSame"),
            u"every module's|first load|<none>");
}

TEST_F(ScopedTexts, DdStringKeysFillVariantsAndPlainTextsStayApart) {
  const auto* element = dynamic_cast<const CDDElement*>(model.ElementDictionary().FindChild(u"lblKeyed"));
  ASSERT_NE(element, nullptr);
  std::u16string label, tooltip, topic;
  element->GetLabel(label);
  element->GetTooltip(tooltip);
  element->GetHelpTopic(topic);
  EXPECT_EQ(label + u"|" + tooltip + u"|" + topic, u"Temperature|Process temperature|topic-temperature");
  EXPECT_TRUE(element->HasVariants());

  std::vector<CDDText> variants;
  element->GetVariants(variants);
  ASSERT_EQ(variants.size(), 2u);  // in the order the keys first appeared
  for (const CDDText& v : variants) label += u"|" + v.m_key + u"=" + v.m_label + u"/" + v.m_tooltip;
  EXPECT_EQ(label, u"Temperature|UNIT_F=Temp. (F)/|UNIT_C=Temperature (C)/in degrees Celsius");
}

TEST_F(ScopedTexts, CharacterDataIsKeptUnlessTheGrammarMakesItIgnorable) {
  EXPECT_EQ(Label(model, u"lblSpace"), u"  padded  ");
  EXPECT_EQ(Label(model, u"lblMarkup"), u"A & B, <C>");  // pieces reported separately are joined

  // Where "ID" has mixed content, the line break before "LABEL" stays in
  // the buffer: it is emptied only at end tags.
  CDDModel mixed;
  ASSERT_EQ(Load(mixed, "localization/device.xml", "localization/mixed_id_loc.xml"), 0);
  EXPECT_EQ(Label(mixed, u"lblA"), u"\n        Alpha");

  // The same holds for text between the language blocks, whichever block it stands before.
  CDDModel between;
  ASSERT_EQ(Load(between, "localization/device.xml", "localization/text_between_blocks_loc.xml"), 0);
  EXPECT_EQ(Label(between, u"lblA"), u"kept Alpha");
  EXPECT_EQ(Label(between, u"lblB"), u"Bravo");
}

// Each item as "value[/key]=label#order (legend)", in the list's order.
std::vector<std::u16string> Describe(const std::vector<CDDEnumItem*>& items) {
  std::vector<std::u16string> rows;
  for (const auto& item : items) {
    std::u16string key, label, legend;
    item->GetDdString(key);
    item->GetLabel(label);
    item->GetLegend(legend);
    rows.push_back(std::u16string(item->Id()) + (key.empty() ? u"" : u"/" + key) + u"=" + label + u"#" +
                   static_cast<char16_t>(u'0' + item->GetOrder()) + u" (" + legend + u")");
  }
  return rows;
}

TEST(LocalizedTexts, EnumerationTextsRecordTheirOrderAcrossALanguageSwitch) {
  CDDModel model;
  ASSERT_EQ(Load(model, "localization/device.xml", "localization/enum_loc.xml", u"en"), 0);
  ASSERT_EQ(model.Variables().size(), 1u);
  const CDDEnumItemList& list = model.Variables()[0]->EnumItems();
  // An "ENUM" without "ID", or naming no item, hands out no order number.
  std::vector<CDDEnumItem*> items;
  list.GetItems(items);
  EXPECT_EQ(Describe(items), (std::vector<std::u16string>{u"2=Two#0 (third)", u"0=Zero#1 ()",
                                                          u"1/ALT=One (alt)#2 (alternative)", u"1=One#3 ()"}));

  // The numbers go on counting: the default block comes again, then German.
  ASSERT_EQ(model.ChangeLanguage(u"de", nullptr), 0);
  list.GetItems(items);
  EXPECT_EQ(Describe(items), (std::vector<std::u16string>{u"2=Two#4 (third)", u"1/ALT=One (alt)#6 (alternative)",
                                                          u"1=Eins#8 ()", u"0=Null#9 ()"}));
  std::u16string label;
  model.GetGlobalLabel(u"lblA", label);
  EXPECT_EQ(label, u"");  // an element without items takes no enumeration text
}

TEST_F(ScopedTexts, HelpFilesAndTheirAnchorKeywords) {
  EXPECT_EQ(model.m_dtmHelpFile + u"|" + model.m_uiHelpFile, u"device_en.pdf|ui_en.chm");
  EXPECT_EQ(model.m_dtmHelpAnchor, kEQTOHELPTOPIC);
  EXPECT_EQ(model.m_uiHelpAnchor, kEQTOID);  // "no" is not a keyword: unchanged
}

}  // namespace
