// Localized texts landing on the records: language blocks, scopes, DDSTRING
// variants, character data and help files, through real file pairs.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

using k42test::Load;

std::u16string Label(const CDDModel& model, const std::u16string& id) {
    std::u16string text;
    return model.GetGlobalLabel(id, text) == 0 ? text : u"<none>";
}

TEST(LocalizedTexts, DefaultBlockIsTheFallbackOnlyWhenItComesFirst) {
    CDDModel german;
    ASSERT_EQ(Load(german, "localization/device.xml", "localization/default_first_loc.xml", u"de"), 0);
    EXPECT_EQ(Label(german, u"lblA"), u"Alfa");   // not the "DE" block: identifiers match case-sensitively
    EXPECT_EQ(Label(german, u"lblB"), u"Bravo");  // German lacks it: the default block's text

    CDDModel french;
    ASSERT_EQ(Load(french, "localization/device.xml", "localization/default_first_loc.xml", u"fr"), 0);
    EXPECT_EQ(Label(french, u"lblA"), u"Alpha");

    CDDModel upper;
    ASSERT_EQ(Load(upper, "localization/device.xml", "localization/default_first_loc.xml", u"DE"), 0);
    EXPECT_EQ(Label(upper, u"lblA"), u"ALFA (upper-case block)");

    CDDModel defaultLast;
    ASSERT_EQ(Load(defaultLast, "localization/device.xml", "localization/default_last_loc.xml", u"de"), 0);
    EXPECT_EQ(Label(defaultLast, u"lblA"), u"Alpha");  // the later block replaces the earlier one
}

TEST(LocalizedTexts, ScopesChooseTheCollectionAndUnknownScopesAreSilent) {
    CDDModel model;
    ASSERT_EQ(Load(model, "localization/device.xml", "localization/scopes_loc.xml"), 0);
    EXPECT_EQ(Label(model, u"modMain"), u"Main tab");                // modules are global identifiers too
    EXPECT_EQ(Label(model, u"lblB"), u"through the scope list");     // not in modAux: every scope is tried
    EXPECT_EQ(Label(model, u"lblC"), u"");                           // its scope names no module
    EXPECT_EQ(Label(model, u"noSuchId"), u"<none>");                 // "GLOBAL" creates nothing

    std::u16string text;
    EXPECT_EQ(model.GetGuiLabel(u"myDeviceText", text), 0);          // "SDKSTDGUI" creates it
    EXPECT_EQ(text, u"Created under SDKSTDGUI");
    EXPECT_EQ(model.GuiLabelDictionary().Count(), 28u);
}

TEST(LocalizedTexts, DdStringKeysFillVariantsAndPlainTextsStayApart) {
    CDDModel model;
    ASSERT_EQ(Load(model, "localization/device.xml", "localization/scopes_loc.xml"), 0);
    const auto* element = dynamic_cast<const CDDElement*>(model.ElementDictionary().FindChild(u"lblKeyed"));
    ASSERT_NE(element, nullptr);
    std::u16string label, tooltip, topic;
    element->GetLabel(label);
    element->GetTooltip(tooltip);
    element->GetHelpTopic(topic);
    EXPECT_EQ(label, u"Temperature");
    EXPECT_EQ(tooltip, u"Process temperature");
    EXPECT_EQ(topic, u"topic-temperature");
    EXPECT_TRUE(element->HasVariants());

    std::vector<CDDText> variants;
    element->GetVariants(variants);
    ASSERT_EQ(variants.size(), 2u);  // in the order the keys first appeared
    EXPECT_EQ(variants[0].m_key, u"UNIT_F");
    EXPECT_EQ(variants[0].m_label, u"Temp. (F)");
    EXPECT_EQ(variants[0].m_tooltip, u"");
    EXPECT_EQ(variants[1].m_key, u"UNIT_C");
    EXPECT_EQ(variants[1].m_label, u"Temperature (C)");
    EXPECT_EQ(variants[1].m_tooltip, u"in degrees Celsius");
}

TEST(LocalizedTexts, CharacterDataIsKeptUnlessTheGrammarMakesItIgnorable) {
    CDDModel model;
    ASSERT_EQ(Load(model, "localization/device.xml", "localization/scopes_loc.xml"), 0);
    EXPECT_EQ(Label(model, u"lblSpace"), u"  padded  ");
    EXPECT_EQ(Label(model, u"lblMarkup"), u"A & B, <C>");  // pieces reported separately are joined

    // Where "ID" has mixed content, the line break before "LABEL" stays in
    // the buffer: it is emptied only at end tags.
    CDDModel mixed;
    ASSERT_EQ(Load(mixed, "localization/device.xml", "localization/mixed_id_loc.xml"), 0);
    EXPECT_EQ(Label(mixed, u"lblA"), u"\n        Alpha");
}

// Each item as "value[/key]=label#order (legend)", in the list's order.
std::vector<std::u16string> Describe(const std::vector<CDDEnumItem*>& items) {
    std::vector<std::u16string> rows;
    for (const CDDEnumItem* item : items) {
        std::u16string key, label, legend;
        item->GetDdString(key);
        item->GetLabel(label);
        item->GetLegend(legend);
        rows.push_back(item->Id() + (key.empty() ? u"" : u"/" + key) + u"=" + label + u"#" +
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

// Exposes the help file references that the localized file sets.
struct HelpFiles : CDDModel {
    using CDDParserXML::m_dtmHelpAnchor;
    using CDDParserXML::m_dtmHelpFile;
    using CDDParserXML::m_uiHelpAnchor;
    using CDDParserXML::m_uiHelpFile;
};

TEST(LocalizedTexts, HelpFilesAndTheirAnchorKeywords) {
    HelpFiles model;
    ASSERT_EQ(Load(model, "localization/device.xml", "localization/scopes_loc.xml"), 0);
    EXPECT_EQ(model.m_dtmHelpFile, u"device_en.pdf");
    EXPECT_EQ(model.m_dtmHelpAnchor, kEQTOHELPTOPIC);
    EXPECT_EQ(model.m_uiHelpFile, u"ui_en.chm");
    EXPECT_EQ(model.m_uiHelpAnchor, kEQTOID);  // "no" is not a keyword: unchanged
}

}  // namespace
