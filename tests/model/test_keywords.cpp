// Keyword tables and the SDK initialization string: look-ups both ways, "||" escapes, help entries.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "model/InitString.h"
#include "model/Keywords.h"

namespace {

TEST(Keywords, EachDataTypeKeywordIsItsEnumeratorNameWithoutTypePrefix) {
  // Spelled from the enumerator's name, so a typo in the table cannot hide behind the same typo here.
#define K42_TYPE(name) \
  { u"" #name, TYPE_##name }
  const std::pair<std::u16string, int32_t> types[] = {
      K42_TYPE(DD_FLOAT),       K42_TYPE(DD_DOUBLE),
      K42_TYPE(DD_INT8),        K42_TYPE(DD_INT16),
      K42_TYPE(DD_INT24),       K42_TYPE(DD_INT32),
      K42_TYPE(DD_UINT8),       K42_TYPE(DD_UINT16),
      K42_TYPE(DD_UINT24),      K42_TYPE(DD_UINT32),
      K42_TYPE(DD_ULONG),       K42_TYPE(DD_ENUM8),
      K42_TYPE(DD_ENUM16),      K42_TYPE(DD_ENUM24),
      K42_TYPE(DD_ENUM32),      K42_TYPE(DD_BIT_ENUM8),
      K42_TYPE(DD_BIT_ENUM16),  K42_TYPE(DD_BIT_ENUM24),
      K42_TYPE(DD_BIT_ENUM32),  K42_TYPE(DD_DATE),
      K42_TYPE(DD_TIME),        K42_TYPE(DD_DATETIME),
      K42_TYPE(DD_TIMEVALUE),   K42_TYPE(DD_INDEX),
      K42_TYPE(DD_VISIBLE_STR), K42_TYPE(DD_VISIBLE_STR_PACKED),
      K42_TYPE(DD_INT8_FP),     K42_TYPE(DD_INT16_FP),
      K42_TYPE(DD_INT24_FP),    K42_TYPE(DD_INT32_FP),
      K42_TYPE(DD_UINT8_FP),    K42_TYPE(DD_UINT16_FP),
      K42_TYPE(DD_UINT24_FP),   K42_TYPE(DD_UINT32_FP),
      K42_TYPE(DD_PASSWORD),    K42_TYPE(DD_DURATION),
  };
#undef K42_TYPE
  for (const auto& [keyword, type] : types) {
    EXPECT_EQ(k42::DataTypeFromKeyword(keyword), type) << std::string(keyword.begin(), keyword.end());
  }
  // No keyword for the kinds that only layouts or the childless rule give.
  for (const char16_t* other :
       {u"DD_BITSTRING", u"DD_BUTTON", u"DD_IMAGE", u"DD_NOTUNIQUE", u"dd_float", u"DD_FLOAT ", u"", u"DD_"}) {
    EXPECT_EQ(k42::DataTypeFromKeyword(other), TYPE_UNKNOWN);
  }

  // Conditional handling is read but never written back.
  int32_t value = -7;
  EXPECT_FALSE(k42::HandlingFromKeyword(u"readonly", value));
  EXPECT_EQ(value, -7);
  std::u16string text = u"kept";
  ASSERT_TRUE(k42::HandlingFromKeyword(u"COND", value));
  EXPECT_FALSE(k42::HandlingToText(value, text));
  EXPECT_FALSE(k42::StorageToText(0, text));
  EXPECT_EQ(text, u"kept");
  EXPECT_EQ(k42::ModeToText(7), u"GENERAL");
}

TEST(InitString, ValuesWithEscapesAndKeysMatchedExactly) {
  const std::u16string text = u"HelpApplication=viewer.exe|HelpParameter=/A page=3|Path=C:||x||||y|Tail=ab||";
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"HelpApplication", u"viewer.exe"},
      {u"HelpParameter", u"/A page=3"},
      {u"Path", u"C:|x||y"},
      {u"Tail", u"ab|"},  // an escaped separator at the very end
      {u"Help", u""},     // the beginning of a key is no key
      {u"Application", u""},
      {u"helpapplication", u""},
      {u"", u""},
  };
  for (const auto& [key, value] : cases) EXPECT_EQ(k42::InitStringValue(text, key), value);
  EXPECT_EQ(k42::InitStringValue(u"", u"Path"), u"");
  EXPECT_EQ(k42::InitStringValue(u"K=first|K=second", u"K"), u"first");
  // Escaped pairs are not seen while searching: "||B=" inside a value passes for the key B.
  EXPECT_EQ(k42::InitStringValue(u"A=x||B=y|B=z", u"B"), u"y");
}

TEST(InitString, ModelStoresTheTextAndTakesItsHelpEntries) {
  CDDModel model;
  std::u16string value = u"keep";
  EXPECT_EQ(model.ParseInitString(u"HelpApplication", value), 1);  // nothing stored yet
  EXPECT_EQ(value, u"keep");
  EXPECT_EQ(model.SetSDKInitialization(u"HelpParameter=-p ||1|HelpApplication=hv"), 0);
  std::u16string text, application, parameter;
  EXPECT_EQ(model.GetSDKInitialization(text), 0);
  EXPECT_EQ(text, u"HelpParameter=-p ||1|HelpApplication=hv");
  EXPECT_EQ(model.GetSDKInitHelp(application, parameter), 0);
  EXPECT_EQ(application + u"/" + parameter, u"hv/-p |1");
  EXPECT_EQ(model.ParseInitString(u"HelpParameter", value), 0);
  EXPECT_EQ(value, u"-p |1");
  EXPECT_EQ(model.ParseInitString(u"HelpParam", value), 1);
  EXPECT_EQ(value, u"");
  model.SetSDKInitialization(u"Other=1");
  model.GetSDKInitHelp(application, parameter);
  EXPECT_EQ(application + parameter, u"");
}

}  // namespace
