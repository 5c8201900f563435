// Built-in interface texts, the label look-ups and switching the language.
#include <gtest/gtest.h>

#include <algorithm>

#include "loading/DDModel.h"
#include "platform/text.h"
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

// A localized file with the given blocks, its schema named by absolute path so that it can lie anywhere.
std::string LocFile(const std::string& blocks) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<LANGUAGE_SUPPORT xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
         "xsi:noNamespaceSchemaLocation=\"" +
         k42test::DataPathNarrow("../../schemas/guixml-loc.xsd") + "\">" + blocks + "</LANGUAGE_SUPPORT>\n";
}

std::string Block(const std::string& language, const std::string& scopes) {
  return "<LANG ID=\"" + language + "\"" + (language == "en" ? " DEFAULT=\"1\"" : "") + ">" + scopes + "</LANG>";
}

// SCOPE with one ID per "name=text" entry.
std::string Scope(const std::string& scope, std::initializer_list<std::pair<const char*, const char*>> texts) {
  std::string ids;
  for (const auto& [name, text] : texts)
    ids += std::string("<ID NAME=\"") + name + "\"><LABEL>" + text + "</LABEL></ID>";
  return "<SCOPE ID=\"" + scope + "\">" + ids + "</SCOPE>";
}

std::u16string Label(const CDDModel& model, const std::u16string& id) {
  std::u16string text;
  return model.GetGlobalLabel(id, text) == 0 ? text : u"<none>";
}

std::u16string ModuleLabel(const CDDModel& model, size_t module, const std::u16string& id) {
  std::u16string text;
  if (const CDDBase* element = model.Modules()[module]->FindChild(id)) element->GetLabel(text);
  return text;
}

// A switch finds each identifier through the order the previous read met them in, and each text through
// the pool's text the previous read of the block used at its place: when the file changed in between
// (scopes in another order, the same identifier now first in another scope, identifiers and texts left
// out, added or changed), every text must still land on the record its own scope names.
TEST(LanguageSwitching, TextsLandInTheirOwnScopeWhenTheFileChangedBetweenSwitches) {
  // Texts long enough to live in the model's pool.
  const auto scopes = [](const std::string& t) {
    return Scope("GLOBAL", {{"pdShared", ("global " + t).c_str()},
                            {"lblA", ("label A " + t).c_str()},
                            {"lblB", ("label B " + t).c_str()}}) +
           Scope("modMain", {{"pdShared", ("main " + t).c_str()}, {"pdSame", ("same " + t).c_str()}}) +
           Scope("modAux", {{"pdSame", ("aux " + t).c_str()}});
  };
  const std::string path =
      k42test::WriteTempFile("changing_loc.xml", LocFile(Block("en", scopes("first")) + Block("de", scopes("erste"))));
  CDDModel model;
  ASSERT_EQ(
      model.Initialize(u"", k42test::DataPath("localization/device.xml"), k42::FromNarrow(path), u"en", 1, nullptr), 0);
  ASSERT_EQ(model.ChangeLanguage(u"de", nullptr), 0);
  ASSERT_EQ(ModuleLabel(model, 0, u"pdShared") + u"|" + Label(model, u"pdShared"), u"main erste|global erste");

  k42test::WriteTempFile(
      "changing_loc.xml",
      LocFile(Block(
          "en", Scope("modMain", {{"pdShared", "main second"}, {"pdSame", "same first"}}) +
                    Scope("GLOBAL", {{"pdShared", "global first"}, {"lblC", "label C"}, {"lblB", "label B first"}}) +
                    Scope("modAux", {{"pdSame", "aux second"}}))));
  ASSERT_EQ(model.ChangeLanguage(u"en", nullptr), 0);
  EXPECT_EQ(ModuleLabel(model, 0, u"pdShared") + u"|" + ModuleLabel(model, 0, u"pdSame") + u"|" +
                ModuleLabel(model, 1, u"pdSame"),
            u"main second|same first|aux second");
  std::u16string texts;
  for (const char16_t* id : {u"pdShared", u"lblA", u"lblB", u"lblC"}) texts += Label(model, id) + u"|";
  EXPECT_EQ(texts, u"global first|label A erste|label B first|label C|");
}

}  // namespace
