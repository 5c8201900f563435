// `k42gui-inspect check` as an author runs it: the demo is clean, a mistake is one editor-readable line,
// rules can be chosen, JSON is there for editors and CI, and a device copied away from its schemas says so once.
#include <gtest/gtest.h>

#include <k42gui/DeviceCheck.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "inspect_runner.h"
#include "support/test_paths.h"

namespace {

using inspect_test::Inspect;
using inspect_test::InspectRaw;
using inspect_test::Outcome;
using inspect_test::Quote;

std::string Broken(const std::string& name) {
  return Quote(k42test::DataPathNarrow("authoring/" + name)) + " " +
         Quote(k42test::DataPathNarrow("authoring/clean_loc.xml"));
}

TEST(InspectCheck, TheDemoIsCleanInEveryLanguageAndFunction) {
  for (const std::string args : {"", "-l de", "-f 2", "-l de -f 2"}) {
    const Outcome run = InspectRaw("check " + args + " " + Quote(inspect_test::DemoPath()));
    EXPECT_EQ(run.exitCode, 0) << args << "\n" << run.out << run.err;
    EXPECT_EQ(run.out, "no problems found\n") << args;
  }
}

TEST(InspectCheck, AMistakeIsOneLineWithItsPositionAndRuleAndTheExitCodeTellsErrorsFromWarnings) {
  const Outcome keyword = InspectRaw("check " + Broken("keyword.xml"));
  EXPECT_EQ(keyword.exitCode, 2);
  EXPECT_EQ(keyword.out, k42test::DataPathNarrow("authoring/keyword.xml") +
                             ":23:57: error: 'COMBOBOX' is not a CONTROLSTYLE keyword (known: COMBO, LIST, RADIO, "
                             "CHECKBOX, STATIC, EDIT, LED) [unknown-keyword]\n1 error, 0 warnings\n");

  const Outcome shadowed = InspectRaw("check --format json " + Broken("shadowed.xml"));
  EXPECT_EQ(shadowed.exitCode, 1);
  const nlohmann::json json = nlohmann::json::parse(shadowed.out);
  EXPECT_EQ(json["formatVersion"], 1);
  EXPECT_EQ(json["summary"]["warnings"], 4);
  EXPECT_EQ(json["summary"]["errors"], 0);
  ASSERT_EQ(json["findings"].size(), 4u);
  EXPECT_EQ(json["findings"][0]["line"], 10);
  EXPECT_EQ(json["findings"][0]["rule"], "shadowed-id");
  EXPECT_EQ(json["findings"][0]["severity"], "warning");
}

TEST(InspectCheck, RulesAreChosenByNameAndAnUnknownNameIsAUsageError) {
  EXPECT_EQ(InspectRaw("check --ignore unresolved-ref " + Broken("unresolved.xml")).exitCode, 0);
  EXPECT_EQ(InspectRaw("check --rule unknown-keyword --rule missing-file " + Broken("unresolved.xml")).exitCode, 0);
  EXPECT_EQ(InspectRaw("check --rule unresolved-ref " + Broken("unresolved.xml")).exitCode, 2);
  const Outcome unknown = InspectRaw("check --rule no-such-rule " + Broken("clean.xml"));
  EXPECT_EQ(unknown.exitCode, 64);
  // The message names every rule there is, and so does the subcommand's help, with what each finds.
  std::string names;
  const Outcome help = InspectRaw("check --help");
  EXPECT_EQ(help.exitCode, 0);
  for (const k42gui::Rule& rule : k42gui::CheckRules()) {
    names += (names.empty() ? "" : ", ") + std::string(rule.name);
    EXPECT_NE(help.out.find(std::string(rule.name) + " "), std::string::npos) << rule.name;
    EXPECT_NE(help.out.find(rule.description), std::string::npos) << rule.name;
  }
  EXPECT_EQ(unknown.err, "k42gui-inspect: unknown rule: no-such-rule (the rules: " + names + ")\n");
  EXPECT_EQ(InspectRaw("check --ignore no-such-rule " + Broken("clean.xml")).err, unknown.err);
}

std::string Device(const std::string& gui, const std::string& loc) {
  return Quote(k42test::DataPathNarrow("authoring/" + gui)) + " " + Quote(k42test::DataPathNarrow("authoring/" + loc));
}

size_t Mentions(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(InspectCheck, ADeviceThatDoesNotLoadStillGetsTheRulesOverItsFilesAndASummaryOfWhatDidNotRun) {
  const std::string gui = k42test::DataPathNarrow("authoring/unresolved_no_schema.xml");
  const Outcome all = InspectRaw("check " + Device("unresolved_no_schema.xml", "clean_loc.xml"));
  EXPECT_EQ(all.exitCode, 2);
  EXPECT_NE(all.out.find(gui + ":17:52: error: display 'disMian' is not declared in module 'modMain'"),
            std::string::npos)
      << all.out;
  EXPECT_NE(all.out.find("\nnot run (the device does not load): shadowed-id, unknown-function, unknown-language\n"),
            std::string::npos)
      << all.out;
  // The text rules ran over every text but the choices' ones, and the summary says no more than that.
  EXPECT_NE(all.out.find("\nnot run (on choice texts, which need the device loaded): missing-text, unused-text\n"),
            std::string::npos)
      << all.out;
  EXPECT_NE(all.out.find("\n3 errors, 0 warnings; the device does not load\n"), std::string::npos) << all.out;

  // With the rule that says why left out, the summary says it; "no problems found" never comes with exit 2.
  for (const std::string rules : {"--ignore schema-missing", "--rule missing-text"}) {
    const Outcome run = InspectRaw("check " + rules + " " + Device("no_schema.xml", "clean_loc.xml"));
    EXPECT_EQ(run.exitCode, 2) << rules;
    EXPECT_EQ(run.out.find("no problems found"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("the device does not load: " + k42test::DataPathNarrow("authoring/no_schema.xml") +
                           ":5:12: schema schemas/guixml.xsd not found"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("[schema-missing, not asked for]\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("0 errors, 0 warnings; the device does not load\n"), std::string::npos) << run.out;
  }
}

TEST(InspectCheck, AFileThatIsNotWellFormedIsOneFindingInTheAuthorsWordsInCheckAndInTheReport) {
  const std::string latin1 = k42test::DataPathNarrow("authoring/latin1_loc.xml");
  const std::string utf8 =
      ":24:36: error: not UTF-8: byte 0xE4 on line 24, column 36; save the file as UTF-8 or "
      "declare its encoding";
  const Outcome checked = InspectRaw("check " + Device("clean.xml", "latin1_loc.xml"));
  EXPECT_EQ(checked.exitCode, 2);
  EXPECT_EQ(checked.out.rfind(latin1 + utf8 + " [xml]\n", 0), 0u) << checked.out;
  const Outcome reported = Inspect("-o /dev/null " + Device("clean.xml", "latin1_loc.xml"));
  EXPECT_NE(reported.err.find(latin1 + ":24:36: fatal: not UTF-8: byte 0xE4"), std::string::npos) << reported.err;
  EXPECT_EQ(Mentions(reported.err, "latin1_loc.xml:"), 1u) << reported.err;

  const std::string unclosed = k42test::DataPathNarrow("authoring/unclosed.xml");
  const Outcome report = Inspect("-o /dev/null " + Device("unclosed.xml", "clean_loc.xml"));
  EXPECT_EQ(report.exitCode, 2);
  EXPECT_NE(report.err.find(unclosed + ":16:7: fatal: element 'MENU_DEC' opened on line 16, column 7 is not closed"),
            std::string::npos)
      << report.err;
  EXPECT_EQ(Mentions(report.err, "unclosed.xml:"), 1u) << report.err;
}

TEST(InspectCheck, ADemoCopiedAwayFromItsSchemasGetsOneLinePerFileInsteadOfAFloodOfUndeclaredElements) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("k42-check-copy-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::filesystem::path demo = std::filesystem::path(inspect_test::DemoPath()).parent_path();
  std::filesystem::copy(demo, dir,
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  const Outcome run = InspectRaw("check " + Quote((dir / "demo.xml").string()));
  std::filesystem::remove_all(dir);
  EXPECT_EQ(run.exitCode, 2);
  std::istringstream lines(run.out);
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), 5u) << run.out;
  EXPECT_EQ(all[0].rfind((dir / "demo.xml").string() + ":5:12: error: schema ../../schemas/guixml.xsd not found", 0),
            0u)
      << all[0];
  EXPECT_NE(all[1].find("demo_loc.xml:4:19: error: schema ../../schemas/guixml-loc.xsd not found"), std::string::npos)
      << all[1];
  EXPECT_EQ(all[2], "not run (the device does not load): shadowed-id, unknown-function, unknown-language");
  EXPECT_EQ(all[4], "2 errors, 0 warnings; the device does not load");
}

TEST(InspectCheck, APipeOrADeviceGivenAsAFileIsOneErrorLineAndNeverAWait) {
  const std::filesystem::path pipe =
      std::filesystem::temp_directory_path() / ("k42-check-pipe-" + std::to_string(getpid()) + ".xml");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const Outcome run = InspectRaw("check " + Quote(pipe.string()) + " /dev/zero");
  std::filesystem::remove(pipe);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("\n2 errors, 0 warnings; the device does not load\n"), std::string::npos) << run.out;
  // The localized file is named as the inspector joins it to the device's directory.
  EXPECT_NE(run.out.find("dev/zero: error: the file is not a regular file (a device), which the component does not "
                         "read [xml]\n" +
                         pipe.string() +
                         ": error: the file is not a regular file (a named pipe), which the component does not "
                         "read [xml]\nnot run (" +
                         pipe.string() + " cannot be read): unresolved-ref"),
            std::string::npos)
      << run.out;
}

}  // namespace
