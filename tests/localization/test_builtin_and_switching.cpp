// Built-in interface texts, the label look-ups and switching the language.
#include <gtest/gtest.h>

#include <algorithm>

#include "loading/DDModel.h"
#include "support/log_capture.h"
#include "support/test_paths.h"

namespace {

using k42test::Load;

std::u16string GuiLabel(const CDDModel& model, const std::u16string& id) {
  std::u16string text;
  return model.GetGuiLabel(id, text) == 0 ? text : u"<none>";
}

TEST(LanguageSwitching, BuiltinTextsTheNewLanguageLacksKeepThePreviousText) {
  CDDModel model;
  ASSERT_EQ(Load(model, "localization/device.xml", "localization/switch_loc.xml", u"en"), 0);
  EXPECT_EQ(GuiLabel(model, u"navBarGoHome"), u"Home");
  EXPECT_EQ(GuiLabel(model, u"navBarGoBack"), u"one step back");  // the English default
  EXPECT_EQ(GuiLabel(model, u"navBarGoNowhere"), u"<none>");
  EXPECT_EQ(GuiLabel(model, u"lblA"), u"<none>");  // declared labels live in the element dictionary

  ASSERT_EQ(model.ChangeLanguage(u"de", nullptr), 0);
  EXPECT_EQ(GuiLabel(model, u"navBarGoHome"), u"Home");  // not reset to "Go home"
  EXPECT_EQ(GuiLabel(model, u"navBarGoBack"), u"Einen Schritt zurück");
  std::u16string a, b;
  model.GetGlobalLabel(u"lblA", a);
  model.GetGlobalLabel(u"lblB", b);
  EXPECT_EQ(a + u"|" + b, u"Alpha|Bravo (de)");  // texts of the previous language stay
  EXPECT_EQ(model.GuiLabelDictionary().Count(), 27u) << "the built-in texts, none added";
}

TEST(LanguageSwitching, ChangingToTheStoredLanguageReadsNothingAndLanguagesAreListed) {
  CDDModel model;
  ASSERT_EQ(Load(model, "localization/device.xml", "localization/switch_loc.xml", u"en"), 0);
  k42test::LogCapture log;
  EXPECT_EQ(model.ChangeLanguage(u"en", nullptr), 0);
  EXPECT_EQ(model.SetLanguage(u"de"), 0);
  EXPECT_EQ(GuiLabel(model, u"navBarGoBack"), u"one step back");  // setting alone reads nothing
  EXPECT_EQ(model.ChangeLanguage(u"de", nullptr), 0);
  EXPECT_EQ(GuiLabel(model, u"navBarGoBack"), u"one step back");
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(model.Language(), u"de");

  EXPECT_EQ(model.ChangeLanguage(u"en", nullptr), 0);  // a real change reads the file and logs it
  const auto lines = log.Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), u"Language : en"), lines.end());

  // Supported languages are ordered by identifier and the first entry wins.
  std::map<std::u16string, std::u16string> languages;
  EXPECT_EQ(model.GetSupportedLanguages(languages), 0);
  EXPECT_EQ(languages, (std::map<std::u16string, std::u16string>{{u"de", u"Deutsch"}, {u"en", u"English"}}));
  CDDModel none;
  ASSERT_EQ(Load(none, "common/minimal.xml", "common/minimal_loc.xml"), 0);
  EXPECT_EQ(none.GetSupportedLanguages(languages), -1);
  EXPECT_TRUE(languages.empty());
}

}  // namespace
