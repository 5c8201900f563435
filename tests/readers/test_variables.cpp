// Variable declarations read through a parsed file: types, formats, handling and enumeration items.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNodeList.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "support/test_paths.h"

namespace {

class VariableDeclarations : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(k42test::Load(m_model, "readers/decl_variables.xml", "common/minimal_loc.xml"), 0);
  }
  // The first variable in the list with that identifier.
  CDDVariable& Var(const std::u16string& id) {
    for (const auto& variable : m_model.Variables()) {
      if (variable->Id() == id) return *variable;
    }
    ADD_FAILURE() << "no variable " << std::string(id.begin(), id.end());
    static CDDVariable none;
    return none;
  }
  static std::vector<std::u16string> Ids(const std::vector<CDDEnumItem*>& items) {
    std::vector<std::u16string> ids;
    for (const auto& item : items) ids.emplace_back(item->Id());
    return ids;
  }
  CDDModel m_model;
};

// Type, storage, size, conditional attribute, handling, display condition, format, alignment, conditional format.
using Fields =
    std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, std::u16string, std::u16string, int32_t>;

TEST_F(VariableDeclarations, SectionOrderAttributesDefaultsAndKeywordRules) {
  const auto& variables = m_model.Variables();
  ASSERT_EQ(variables.size(), 25u);
  EXPECT_EQ(variables.front()->Id(), u"varFull");
  // Document order: the nested declaration comes inside the module, before
  // the identifier-less one that ends the section.
  EXPECT_EQ(variables.back()->Id(), u"varNested");
  EXPECT_EQ(variables[variables.size() - 2]->Id(), u"varFull");
  EXPECT_EQ(variables[variables.size() - 2]->GetType(), TYPE_DD_INT16);
  // The dictionary keeps the first declaration of an identifier.
  const CDDElementMap& dictionary = m_model.ElementDictionary();
  EXPECT_EQ(dictionary.FindChild(u"varFull"), variables.front().get());
  EXPECT_EQ(dictionary.FindChild(u"varNeverRead"), nullptr);
  EXPECT_NE(dictionary.FindChild(u"varNested"), nullptr);
  const int32_t U = TYPE_UNKNOWN, RW = kREADWRITE, ALWAYS = kDISPLAYALWAYS;
  const std::pair<const char16_t*, Fields> cases[] = {
      {u"varFull", {TYPE_DD_FLOAT, 2, 32, 1, kREADONLY, kDISPLAYNOTZERO, u"%.2f", u"RIGHT", 0}},
      // Nothing given: always displayed, read-write, no storage, size unknown (0).
      {u"varDefaults", {U, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},
      // Only a childless identifier of "__", a digit and two more characters is not unique.
      {u"__1ab", {TYPE_DD_NOTUNIQUE, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},
      {u"__1a", {U, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},   // four characters
      {u"_x1ab", {U, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},  // second is not "_"
      {u"__x12", {U, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},  // third is not a digit
      {u"__2cd", {U, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},  // a line break is a child
      {u"__3ef", {TYPE_DD_UINT8, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},
      // The last child node of "DATATYPE" decides, exactly spelled.
      {u"varBlank", {U, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},
      {u"varComment", {U, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},
      {u"varLower", {U, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},
      {u"varIndex", {TYPE_DD_INDEX, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},
      {u"varDuration", {TYPE_DD_DURATION, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},
      // Later "DATATYPE" elements win where they say something; an unknown
      // storage word and a childless element change nothing.
      {u"varTwoTypes", {TYPE_DD_UINT16, 1, 16, 0, RW, ALWAYS, u"", u"", 0}},
      {u"varOddNumbers", {TYPE_DD_INT32, 0, 0, -3, RW, ALWAYS, u"", u"", 0}},  // leading integers only
      {u"varCondFormat", {U, 0, 0, 0, RW, kDISPLAYOFFLINE, u"%d", u"LEFT", 1}},
      {u"varLowerCond", {U, 0, 0, 0, RW, ALWAYS, u"%cond%", u"", 0}},
      {u"varEmptyFormat", {U, 0, 0, 0, RW, kDISPLAYREADONLY, u"", u"", 0}},
      {u"varLowerHandling", {U, 0, 0, 0, RW, ALWAYS, u"", u"", 0}},
      {u"varCondHandling", {U, 0, 0, 0, kCONDITIONAL, ALWAYS, u"", u"", 0}},
      {u"varTwoModifiers", {U, 0, 0, 0, kWRITEONLY, ALWAYS, u"", u"", 0}},
  };
  for (const auto& [id, expected] : cases) {
    const CDDVariable& v = Var(id);
    EXPECT_EQ(Fields(v.GetType(), v.GetStorage(), v.GetSizeInBit(), v.GetConditionalAttribute(), v.GetHandling(),
                     v.GetDisplayCondition(), v.GetFormat(), v.GetAlignment(), v.GetConditionalFormat()),
              expected)
        << std::string(id, id + std::char_traits<char16_t>::length(id));
  }
  EXPECT_TRUE(Var(u"varDefaults").GetStyle().empty());
}

TEST_F(VariableDeclarations, EnumerationItemsFirstWinsByValueAndOrderByLabels) {
  CDDVariable& variable = Var(u"varEnum");
  std::vector<CDDEnumItem*> items;
  variable.EnumItems().GetItems(items);
  ASSERT_EQ(Ids(items), (std::vector<std::u16string>{u"1", u"1", u"0x1F", u" 12", u"-5 mA"}));
  EXPECT_EQ(std::tuple(items[2]->GetValue(), items[3]->GetValue(), items[4]->GetValue()), std::tuple(0, 12, -5));

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

  // Items are listed in the order their labels arrived: the localized reader
  // stamps each with the variable's next order number. Labels arrive for 30,
  // then 10; 20 never gets one.
  CDDVariable& ordered = Var(u"varOrder");
  ordered.EnumItems().GetItems(items);
  EXPECT_EQ(Ids(items), (std::vector<std::u16string>{u"10", u"20", u"30"}));
  for (const char16_t* id : {u"30", u"10"}) {
    CDDBase* item = ordered.FindChild(id);
    ASSERT_NE(item, nullptr);
    item->SetLabel(u"text", ordered.NextOrder(), u"");
  }
  // Orders: 30 -> 0, 10 -> 1, 20 -> 0 (never set). Slot 0 is taken by 20 and
  // then by 30, which is read later, so 20 is not listed.
  ordered.EnumItems().GetItems(items);
  EXPECT_EQ(Ids(items), (std::vector<std::u16string>{u"30", u"10"}));
  EXPECT_EQ(ordered.NextOrder(), 2);
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

  // Format, alignment, display condition after reading each control; the format starts as "kept".
  const std::tuple<std::u16string, std::u16string, int32_t> expected[] = {
      {u"", u"", kDISPLAYALWAYS}, {u"%5.1f", u"RIGHT", kDISPLAYNOTZERO}, {u"kept", u"", 0}};
  for (int i = 0; i < 3; ++i) {
    CDDDisplayItem item;
    item.m_format = model.Texts().Intern(u"kept");
    model.ParseControlFormat(controls->item(i)->getChildNodes(), &item);
    EXPECT_EQ(std::tuple(item.m_format.String(), item.m_alignment.String(), item.m_displayCondition), expected[i]) << i;
  }
}

}  // namespace
