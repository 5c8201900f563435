// The device checker on small devices that each hold one kind of mistake: which rule finds it, where in
// which file, and that the clean device and the rules left out stay silent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <k42gui/DeviceCheck.h>

#include "support/test_paths.h"

namespace {

struct Expected {
  std::string rule;
  std::string where;     // "file:line:column", the file relative to the data directory
  std::string fragment;  // part of the message
  k42gui::Severity severity = k42gui::Severity::kError;
};

struct Case {
  std::string gui;
  std::string loc;
  std::string language;
  long function;
  std::vector<Expected> findings;
};

std::string Where(const k42gui::Finding& finding) {
  const std::string prefix = k42test::DataPathNarrow("");
  const std::string file = finding.file.rfind(prefix, 0) == 0 ? finding.file.substr(prefix.size()) : finding.file;
  return file + ":" + std::to_string(finding.line) + ":" + std::to_string(finding.column);
}

k42gui::CheckResult Check(const Case& c, std::vector<std::string> rules = {}) {
  k42gui::CheckRequest request;
  request.guiXmlPath = k42test::DataPathNarrow("authoring/" + c.gui);
  request.localizedPath = k42test::DataPathNarrow("authoring/" + c.loc);
  request.language = c.language;
  request.functionId = c.function;
  request.rules = std::move(rules);
  return k42gui::CheckDevice(request);
}

TEST(DeviceCheck, EachBrokenDeviceIsFoundByItsRuleAtThePlaceOfTheMistake) {
  using k42gui::Severity;
  const std::string gui = "authoring/";
  const std::vector<Case> cases = {
      {"clean.xml", "clean_loc.xml", "en", 1, {}},
      {"clean.xml", "clean_loc.xml", "de", 1, {}},
      {"unresolved.xml",
       "clean_loc.xml",
       "en",
       1,
       {{"unresolved-ref", gui + "unresolved.xml:17:52",
         "display 'disMian' is not declared in module 'modMain' (PARDIS_REF); did you mean 'disMain'?"},
        {"unresolved-ref", gui + "unresolved.xml:23:35",
         "variable 'varTga' is not declared (VAR_REF); did you mean 'varTag'?"}}},
      {"keyword.xml", "clean_loc.xml", "en", 1, {{"unknown-keyword", gui + "keyword.xml:23:57", "'COMBOBOX'"}}},
      {"shadowed.xml",
       "clean_loc.xml",
       "en",
       1,
       {{"shadowed-id", gui + "shadowed.xml:10:20", "declaration, at line 7, is the one used", Severity::kWarning},
        {"shadowed-id", gui + "shadowed.xml:17:23", "hidden by the label", Severity::kWarning},
        {"shadowed-id", gui + "shadowed.xml:31:20", "function '01' is declared again", Severity::kWarning},
        {"shadowed-id", gui + "shadowed.xml:34:42", "header place 'DEVICE_TAG' is declared again",
         Severity::kWarning}}},
      {"clean.xml", "clean_loc.xml", "en", 3, {{"unknown-function", gui + "clean.xml:10:3", "function 3"}}},
      {"clean.xml",
       "clean_loc.xml",
       "fr",
       1,
       {{"unknown-language", gui + "clean.xml:28:5", "'fr' is not declared"},
        {"unknown-language", gui + "clean_loc.xml:3:1", "no texts for language 'fr'"}}},
      {"clean.xml",
       "texts_loc.xml",
       "en",
       1,
       {{"missing-text", gui + "clean.xml:8:52", "choice '1' of 'varTag' has no text in language 'de'",
         Severity::kWarning},
        {"missing-text", gui + "clean.xml:17:32", "'varTag' has no text in language 'de'", Severity::kWarning},
        {"unused-text", gui + "texts_loc.xml:9:78", "choice '2' of 'varTag' is not a choice", Severity::kWarning},
        {"unused-text", gui + "texts_loc.xml:20:17", "'varTagOld'", Severity::kWarning}}},
      // A help file given as a web address is the host's to open, not a file to look for.
      {"missing_file.xml",
       "help_loc.xml",
       "en",
       1,
       {{"missing-file", gui + "help_loc.xml:7:23", "'help/ui_en.html' does not exist"},
        {"missing-file", gui + "missing_file.xml:13:64", "'icons/main.ico' does not exist"}}},
      // Help topics against an HTML device help addressed by them: a place in a comment, or only in a
      // look-alike attribute, or in another letter case, is none; German is addressed by identifiers.
      {"clean.xml",
       "anchors_loc.xml",
       "en",
       1,
       {{"help-anchor", gui + "anchors_loc.xml:11:45",
         "help topic 'Main_Help' of 'modMain' is no anchor in 'help/anchors_en.html' (no element has it as id or "
         "name) for language 'en': its help opens at the start of the file",
         Severity::kWarning},
        {"help-anchor", gui + "anchors_loc.xml:15:44", "help topic 'commented_help' of 'disMain'",
         Severity::kWarning}}},
      // One line for the missing schema, not one per element that could not be validated.
      {"no_schema.xml", "clean_loc.xml", "en", 1, {{"schema-missing", gui + "no_schema.xml:5:12", "not found"}}},
      {"invalid.xml",
       "clean_loc.xml",
       "en",
       1,
       {{"xml", gui + "invalid.xml:23:25", "no declaration found for element 'SPACER_PARDIS'"},
        {"xml", gui + "invalid.xml:25:20", "'SPACER_PARDIS' is not allowed"}}},
      // What the host draws: pictures cut from strips, the header's pictures, the commands' labels.
      {"strip.xml",
       "clean_loc.xml",
       "en",
       1,
       {{"index-past-strip", gui + "strip.xml:17:78",
         "tree icon 3 (IMAGELIST_INDEX) is past the end of "
         "'icons/strip.bmp', which holds 3 pictures of 16x16 pixels"},
        {"index-past-strip", gui + "strip.xml:36:96", "toolbar bitmap 12 (TOOLBAR_BITMAPINDEX)"}}},
      {"header_image.xml",
       "clean_loc.xml",
       "en",
       1,
       {{"header-image", gui + "header_image.xml:37:61", "'imgLogo' has no REGULAR picture"}}},
      {"commands.xml",
       "clean_loc.xml",
       "en",
       1,
       {{"unlabelled-command", gui + "commands.xml:34:5", "MENUBAR_POPUP without MENUBAR_ID", Severity::kWarning},
        {"unlabelled-command", gui + "commands.xml:35:7", "MENUBAR_ITEM without MENUBAR_ID", Severity::kWarning},
        {"unlabelled-command", gui + "commands.xml:40:5", "toolbar button without a picture", Severity::kWarning}}},
      {"clean.xml",
       "builtin_loc.xml",
       "en",
       1,
       {{"missing-builtin-text", gui + "builtin_loc.xml:19:3",
         "built-in text 'navBarGoHome' has no text in language 'de' (given for 'en')", Severity::kWarning}}},
      // A file that is not well-formed: the first reason in the author's words, and nothing that follows.
      {"clean.xml",
       "latin1_loc.xml",
       "en",
       1,
       {{"xml", gui + "latin1_loc.xml:24:36",
         "not UTF-8: byte 0xE4 on line 24, column 36; save the file as UTF-8 or declare its encoding"}}},
      {"unclosed.xml",
       "clean_loc.xml",
       "en",
       1,
       {{"xml", gui + "unclosed.xml:16:7",
         "element 'MENU_DEC' opened on line 16, column 7 is not closed (the parser noticed on line 18, column 7"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gui + " " + c.loc + " -l " + c.language + " -f " + std::to_string(c.function));
    const k42gui::CheckResult result = Check(c);
    ASSERT_EQ(result.findings.size(), c.findings.size());
    for (size_t i = 0; i < c.findings.size(); ++i) {
      const k42gui::Finding& finding = result.findings[i];
      EXPECT_EQ(finding.rule, c.findings[i].rule) << finding.message;
      EXPECT_EQ(Where(finding), c.findings[i].where) << finding.message;
      EXPECT_EQ(finding.severity, c.findings[i].severity) << finding.message;
      EXPECT_NE(finding.message.find(c.findings[i].fragment), std::string::npos) << finding.message;
    }
  }
}

TEST(DeviceCheck, OnlyTheRulesAskedForReportAndAnUnloadableDeviceStillGetsTheRulesOverItsFiles) {
  const Case unresolved{"unresolved.xml", "clean_loc.xml", "fr", 1, {}};
  EXPECT_EQ(Check(unresolved, {"unknown-keyword", "missing-file"}).findings.size(), 0u);
  const k42gui::CheckResult languageOnly = Check(unresolved, {"unknown-language"});
  ASSERT_EQ(languageOnly.findings.size(), 2u);
  EXPECT_EQ(languageOnly.findings[0].rule, "unknown-language");

  // Without its schema the device is not loaded: the rules over the files still run (references resolve
  // against the file's declarations), those over the loaded device are named with the reason.
  const k42gui::CheckResult noSchema = Check({"no_schema.xml", "texts_loc.xml", "fr", 3, {}});
  EXPECT_FALSE(noSchema.loaded);
  std::vector<std::string> rules;
  for (const k42gui::Finding& finding : noSchema.findings) rules.push_back(finding.rule + " " + Where(finding));
  EXPECT_EQ(rules, (std::vector<std::string>{"schema-missing authoring/no_schema.xml:5:12",
                                             "missing-text authoring/no_schema.xml:17:32",
                                             "unused-text authoring/texts_loc.xml:20:17"}));
  ASSERT_FALSE(noSchema.skipped.empty());
  EXPECT_EQ(noSchema.skipped[0].rule, "shadowed-id");
  EXPECT_EQ(noSchema.skipped[0].reason, "the device does not load");
  EXPECT_EQ(noSchema.notLoadedBecause.rule, "schema-missing");

  // The reason is kept when its rule is left out, and a rule over the files finds its mistake all the same.
  const k42gui::CheckResult referencesOnly =
      Check({"unresolved_no_schema.xml", "clean_loc.xml", "en", 1, {}}, {"unresolved-ref"});
  ASSERT_EQ(referencesOnly.findings.size(), 2u);
  EXPECT_EQ(Where(referencesOnly.findings[0]), "authoring/unresolved_no_schema.xml:17:52");
  EXPECT_EQ(referencesOnly.findings[1].message, "variable 'varTga' is not declared (VAR_REF); did you mean 'varTag'?");
  EXPECT_EQ(referencesOnly.notLoadedBecause.rule, "schema-missing");
  EXPECT_TRUE(referencesOnly.skipped.empty());

  // The help topics of a localized file that is not well-formed are not known: the rule says so.
  const k42gui::CheckResult anchors = Check({"clean.xml", "latin1_loc.xml", "en", 1, {}}, {"help-anchor"});
  EXPECT_TRUE(anchors.findings.empty());
  ASSERT_EQ(anchors.skipped.size(), 1u);
  EXPECT_EQ(anchors.skipped[0].rule, "help-anchor");
  EXPECT_NE(anchors.skipped[0].reason.find("latin1_loc.xml is not well-formed"), std::string::npos);
}

}  // namespace
