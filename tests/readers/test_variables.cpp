// Variable declarations read through a parsed file: data types, formats,
// handling, enumeration items and their order, and the section's end rule.
#include <gtest/gtest.h>

#include <memory>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNodeList.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

class VariableDeclarations : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(k42test::Load(model_, "readers/decl_variables.xml", "common/minimal_loc.xml"), 0);
    }
    // The first variable in the list with that identifier.
    CDDVariable& Var(const std::u16string& id) {
        for (CDDVariable* variable : model_.Variables()) {
            if (variable->Id() == id) return *variable;
        }
        ADD_FAILURE() << "no variable " << std::string(id.begin(), id.end());
        static CDDVariable none;
        return none;
    }
    static std::vector<std::u16string> Ids(const std::vector<CDDEnumItem*>& items) {
        std::vector<std::u16string> ids;
        for (const CDDEnumItem* item : items) ids.push_back(item->Id());
        return ids;
    }
    CDDModel model_;
};

TEST_F(VariableDeclarations, SectionReadInOrderUntilADeclarationLacksItsIdentifier) {
    const auto& variables = model_.Variables();
    ASSERT_EQ(variables.size(), 25u);
    EXPECT_EQ(variables.front()->Id(), u"varFull");
    // Document order: the nested declaration comes inside the module, before
    // the identifier-less one that ends the section.
    EXPECT_EQ(variables.back()->Id(), u"varNested");
    EXPECT_EQ(variables[variables.size() - 2]->Id(), u"varFull");
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"varNeverRead"), nullptr);
    // The dictionary keeps the first declaration of an identifier.
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"varFull"), variables.front());
    EXPECT_EQ(variables.front()->GetType(), TYPE_DD_FLOAT);
    EXPECT_EQ(variables[variables.size() - 2]->GetType(), TYPE_DD_INT16);
    EXPECT_NE(model_.ElementDictionary().FindChild(u"varNested"), nullptr);
}

TEST_F(VariableDeclarations, AttributesAndDefaults) {
    const CDDVariable& full = Var(u"varFull");
    EXPECT_EQ(full.GetDisplayCondition(), kDISPLAYNOTZERO);
    EXPECT_EQ(full.GetFormat(), u"%.2f");
    EXPECT_EQ(full.GetAlignment(), u"RIGHT");
    EXPECT_EQ(full.GetStorage(), 2);
    EXPECT_EQ(full.GetSizeInBit(), 32);
    EXPECT_EQ(full.GetConditionalAttribute(), 1);
    EXPECT_EQ(full.GetHandling(), kREADONLY);
    EXPECT_EQ(full.GetConditionalFormat(), 0);

    // Nothing given: always displayed, read-write, no storage, size unknown (0).
    const CDDVariable& plain = Var(u"varDefaults");
    EXPECT_EQ(plain.GetDisplayCondition(), kDISPLAYALWAYS);
    EXPECT_EQ(plain.GetHandling(), kREADWRITE);
    EXPECT_EQ(plain.GetStorage(), 0);
    EXPECT_EQ(plain.GetType(), TYPE_UNKNOWN);
    EXPECT_EQ(plain.GetSizeInBit(), 0);
    EXPECT_TRUE(plain.GetFormat().empty());
    EXPECT_TRUE(plain.GetStyle().empty());
}

TEST_F(VariableDeclarations, OnlyAChildlessUnderscoreDigitIdentifierIsNotUnique) {
    EXPECT_EQ(Var(u"__1ab").GetType(), TYPE_DD_NOTUNIQUE);
    EXPECT_EQ(Var(u"__1a").GetType(), TYPE_UNKNOWN);   // four characters
    EXPECT_EQ(Var(u"_x1ab").GetType(), TYPE_UNKNOWN);  // second is not "_"
    EXPECT_EQ(Var(u"__x12").GetType(), TYPE_UNKNOWN);  // third is not a digit
    EXPECT_EQ(Var(u"__2cd").GetType(), TYPE_UNKNOWN);  // a line break is a child
    EXPECT_EQ(Var(u"__3ef").GetType(), TYPE_DD_UINT8);
}

TEST_F(VariableDeclarations, LastChildNodeOfDatatypeDecidesAndNumbersAreLeadingIntegers) {
    EXPECT_EQ(Var(u"varBlank").GetType(), TYPE_UNKNOWN);
    EXPECT_EQ(Var(u"varComment").GetType(), TYPE_UNKNOWN);
    EXPECT_EQ(Var(u"varLower").GetType(), TYPE_UNKNOWN);
    EXPECT_EQ(Var(u"varIndex").GetType(), TYPE_DD_INDEX);
    EXPECT_EQ(Var(u"varDuration").GetType(), TYPE_DD_DURATION);

    // Later "DATATYPE" elements win where they say something; an unknown
    // storage word and a childless element change nothing.
    const CDDVariable& two = Var(u"varTwoTypes");
    EXPECT_EQ(two.GetStorage(), 1);
    EXPECT_EQ(two.GetSizeInBit(), 16);
    EXPECT_EQ(two.GetConditionalAttribute(), 0);
    EXPECT_EQ(two.GetType(), TYPE_DD_UINT16);

    EXPECT_EQ(Var(u"varOddNumbers").GetSizeInBit(), 0);
    EXPECT_EQ(Var(u"varOddNumbers").GetConditionalAttribute(), -3);
}

TEST_F(VariableDeclarations, FormatAndHandlingKeywordsAreExact) {
    const CDDVariable& cond = Var(u"varCondFormat");
    EXPECT_EQ(cond.GetFormat(), u"%d");
    EXPECT_EQ(cond.GetConditionalFormat(), 1);
    EXPECT_EQ(cond.GetDisplayCondition(), kDISPLAYOFFLINE);
    EXPECT_EQ(cond.GetAlignment(), u"LEFT");

    const CDDVariable& lower = Var(u"varLowerCond");
    EXPECT_EQ(lower.GetFormat(), u"%cond%");
    EXPECT_EQ(lower.GetConditionalFormat(), 0);
    EXPECT_EQ(lower.GetDisplayCondition(), kDISPLAYALWAYS);

    const CDDVariable& empty = Var(u"varEmptyFormat");
    EXPECT_EQ(empty.GetFormat(), u"");
    EXPECT_EQ(empty.GetAlignment(), u"");
    EXPECT_EQ(empty.GetDisplayCondition(), kDISPLAYREADONLY);

    EXPECT_EQ(Var(u"varLowerHandling").GetHandling(), kREADWRITE);
    EXPECT_EQ(Var(u"varCondHandling").GetHandling(), kCONDITIONAL);
    EXPECT_EQ(Var(u"varTwoModifiers").GetHandling(), kWRITEONLY);
}

TEST_F(VariableDeclarations, EnumerationItemsKeepReadingOrderAndFirstWinsByValue) {
    CDDVariable& variable = Var(u"varEnum");
    std::vector<CDDEnumItem*> items;
    variable.EnumItems().GetItems(items);
    ASSERT_EQ(Ids(items), (std::vector<std::u16string>{u"1", u"1", u"0x1F", u" 12", u"-5 mA"}));
    EXPECT_EQ(items[2]->GetValue(), 0);
    EXPECT_EQ(items[3]->GetValue(), 12);
    EXPECT_EQ(items[4]->GetValue(), -5);

    EXPECT_EQ(variable.FindChild(u"1"), items[0]);
    EXPECT_EQ(variable.FindChildByDdString(u"1", u"LEGACY"), items[1]);
    EXPECT_EQ(variable.FindChildByDdString(u"1", u"NAMUR"), items[0]);
    EXPECT_EQ(variable.FindChildByDdString(u"1", u""), nullptr);
    EXPECT_EQ(variable.FindChildByDdString(u"0x1F", u""), items[2]);
    EXPECT_EQ(variable.FindChild(u"12"), nullptr);  // the blank is part of the identifier
    std::u16string ddString;
    items[1]->GetDdString(ddString);
    EXPECT_EQ(ddString, u"LEGACY");

    // A plain variable has no place for a value: nothing is handed out.
    std::u16string source = u"untouched";
    variable.GetSource(source);
    EXPECT_EQ(source, u"untouched");
}

TEST_F(VariableDeclarations, ItemsAreListedInTheOrderTheirLabelsArrived) {
    // The localized reader finds each item through its variable and stamps it
    // with the variable's next order number. Labels arrive for 30, then 10;
    // 20 never gets one.
    CDDVariable& variable = Var(u"varOrder");
    std::vector<CDDEnumItem*> items;
    variable.EnumItems().GetItems(items);
    EXPECT_EQ(Ids(items), (std::vector<std::u16string>{u"10", u"20", u"30"}));

    for (const char16_t* id : {u"30", u"10"}) {
        CDDBase* item = variable.FindChild(id);
        ASSERT_NE(item, nullptr);
        item->SetLabel(u"text", variable.NextOrder(), u"");
    }
    // Orders: 30 -> 0, 10 -> 1, 20 -> 0 (never set). Slot 0 is taken by 20 and
    // then by 30, which is read later, so 20 is not listed.
    variable.EnumItems().GetItems(items);
    EXPECT_EQ(Ids(items), (std::vector<std::u16string>{u"30", u"10"}));
    EXPECT_EQ(variable.NextOrder(), 2);
}

// A display control's "GUI_FORMAT" children read through a scratch variable:
// the last one decides all three fields and "%COND%" leaves no format.
TEST(ControlFormat, LastGuiFormatDecidesAndConditionalFormatIsNotCopied) {
    CDDModel model;  // keeps the XML library initialized
    auto parser = std::make_unique<xercesc::XercesDOMParser>();
    parser->parse(k42test::DataPath("readers/decl_control_format.xml").c_str());
    xercesc::DOMDocument* document = parser->getDocument();
    ASSERT_NE(document, nullptr);
    DOMNodeList* controls = document->getElementsByTagName(u"VARIABLE_PARDIS");
    ASSERT_NE(controls->item(2), nullptr);

    CDDDisplayItem item;
    item.m_format = u"old";
    model.ParseControlFormat(controls->item(0)->getChildNodes(), &item);
    EXPECT_EQ(item.m_format, u"");
    EXPECT_EQ(item.m_alignment, u"");
    EXPECT_EQ(item.m_displayCondition, kDISPLAYALWAYS);

    CDDDisplayItem both;
    model.ParseControlFormat(controls->item(1)->getChildNodes(), &both);
    EXPECT_EQ(both.m_format, u"%5.1f");
    EXPECT_EQ(both.m_alignment, u"RIGHT");
    EXPECT_EQ(both.m_displayCondition, kDISPLAYNOTZERO);

    CDDDisplayItem none;
    none.m_format = u"kept";
    model.ParseControlFormat(controls->item(2)->getChildNodes(), &none);
    EXPECT_EQ(none.m_format, u"kept");
}

}  // namespace
