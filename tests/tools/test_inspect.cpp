// The inspector on the demo device: the facts a host relies on in its JSON,
// the HTML page as one self-contained file, and its exit codes; and a device's control characters in
// the text outputs.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "inspect_runner.h"
#include "support/test_paths.h"

namespace {

using Json = nlohmann::json;

using inspect_test::Inspect;
using inspect_test::InspectRaw;
using inspect_test::Outcome;
using inspect_test::Quote;

const std::string kDemo = inspect_test::DemoPath();

Json DemoJson(const std::string& extra = "") {
  const Outcome run = Inspect("--format json " + extra + " " + Quote(kDemo));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  // The report is written piece by piece; laid out as one tree would be, it reads back to the same text.
  EXPECT_EQ(nlohmann::ordered_json::parse(run.out).dump(2) + "\n", run.out);
  return Json::parse(run.out);
}

const Json* Find(const Json& list, const std::string& key, const std::string& value) {
  for (const Json& entry : list) {
    if (entry.value(key, "") == value) return &entry;
  }
  return nullptr;
}

TEST(InspectJson, ModulesTreesAndDisplaysAsTheHostSeesThem) {
  const Json json = DemoJson();
  EXPECT_EQ(json["device"]["online"], false);  // function 1 works offline

  std::vector<std::pair<std::string, bool>> modules;
  for (const Json& m : json["modules"]) modules.emplace_back(m["id"], m["tab"]);
  EXPECT_EQ(modules, (std::vector<std::pair<std::string, bool>>{
                         {"modSetup", true}, {"modDiagnosis", true}, {"modTrend", false}}));

  const Json& setup = *Find(json["modules"], "id", "modSetup");
  EXPECT_EQ(setup["name"], "Setup");
  ASSERT_EQ(setup["tree"].size(), 1u);
  const Json& root = setup["tree"][0];
  EXPECT_EQ(root["type"], "rootmenu");
  EXPECT_EQ(root["label"], "Setup");
  ASSERT_EQ(root["children"].size(), 4u);
  const Json& basic = root["children"][0];
  EXPECT_EQ(basic["label"], "Basic setup");
  ASSERT_EQ(basic["children"].size(), 3u);
  EXPECT_EQ(basic["children"][1]["label"], "Pressure unit");  // taken from its label reference
  EXPECT_EQ(root["children"][2]["type"], "method");
  EXPECT_EQ(root["children"][3]["type"], "module");

  const Json& trend = *Find(json["modules"], "id", "modTrend");
  const Json& pv = trend["tree"][0]["children"][0];
  EXPECT_EQ(pv["reference"], "varPV");
  EXPECT_EQ(pv["conditionalLabel"], true);
  EXPECT_EQ(pv["label"], "");

  const Json& overview = *Find(json["displays"], "id", "disSetupOverview");
  std::vector<std::string> controls;
  for (const Json& item : overview["items"]) controls.push_back(item["control"]);
  EXPECT_EQ(controls,
            (std::vector<std::string>{"headline", "unknown", "static", "static", "newcolumn", "static", "button"}));
  EXPECT_EQ(overview["items"][0]["font"]["weightOrWidth"], 700);
  EXPECT_EQ(overview["items"][0]["colorNormal"], 8388608);
  EXPECT_EQ(Find(json["displays"], "id", "disOutput")->at("rwroConditional"), true);
  EXPECT_EQ(Find(json["displays"], "id", "disBasic")->at("rwroConditional"), false);
}

TEST(InspectJson, ParametersMenusToolbarAndTexts) {
  const Json json = DemoJson();
  const Json& unit = *Find(json["parameters"], "id", "varPVUnit");
  std::vector<std::string> items;
  for (const Json& item : unit["enumItems"]) items.push_back(item["label"]);
  EXPECT_EQ(items, (std::vector<std::string>{"kPa", "bar", "mbar", "psi"}));  // in localized-file order

  const Json& pv = *Find(json["parameters"], "id", "varPV");
  ASSERT_EQ(pv["variants"].size(), 2u);
  EXPECT_EQ(pv["variants"][0]["key"], "GAUGE");

  ASSERT_EQ(json["menubar"].size(), 4u);
  const Json& device = json["menubar"][0];
  EXPECT_EQ(device["type"], "popup-begin");
  ASSERT_EQ(device["children"].size(), 5u);
  EXPECT_EQ(device["children"][2]["type"], "separator");
  EXPECT_EQ(device["children"][3]["children"].size(), 2u);  // the nested popup
  EXPECT_EQ(json["menubar"][1]["action"], "enum");
  EXPECT_EQ(json["menubar"][1]["variableId"], "varPVUnit");

  EXPECT_EQ(json["toolbar"]["items"].size(), 6u);
  EXPECT_EQ(json["toolbar"]["items"][0]["action"], "function-online");
  EXPECT_EQ(json["builtinTexts"]["naviColumnHeadLabel"], "Parameter");
  EXPECT_EQ(json["builtinTexts"]["toolInfoRangeTo"], "up to ");
  ASSERT_EQ(json["logos"]["vendor"].size(), 1u);
  EXPECT_EQ(json["logos"]["vendor"][0], "images/morvane_logo.bmp");  // as the device names it
}

TEST(InspectJson, GermanAndOnlineFunctionAndStableOutput) {
  const Json german = DemoJson("--language de --function 2");
  EXPECT_EQ(german["device"]["online"], true);
  EXPECT_EQ(german["modules"].size(), 4u);
  EXPECT_EQ(Find(german["modules"], "id", "modSetup")->at("name"), "Einstellungen");
  EXPECT_EQ(german["builtinTexts"]["navBarGoHome"], "Zur Übersicht");

  const Outcome first = Inspect("--format json " + Quote(kDemo));
  const Outcome second = Inspect("--format json " + Quote(kDemo));
  EXPECT_EQ(first.out, second.out);
}

// The page's behaviour is driven in Chromium (test_preview.cpp); here: what makes it one file that is
// safe to mail around.
TEST(InspectHtml, OneSelfContainedPageNamedAfterTheDevice) {
  const Outcome run = Inspect("--format html " + Quote(kDemo));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string& page = run.out;
  EXPECT_NE(page.find("<title>Morvane Messtechnik GmbH PT-42</title>"), std::string::npos);
  for (const char* external : {"src=\"http", "href=", "url(http", "@import", "<link", "<script src"}) {
    EXPECT_EQ(page.find(external), std::string::npos) << external;
  }
  // The device's data is one JSON blob without a '<' that could end its element, and it carries both
  // languages of the localized file.
  const std::string open = "<script type=\"application/json\" id=\"device-data\">";
  const size_t begin = page.find(open);
  ASSERT_NE(begin, std::string::npos);
  const size_t end = page.find("</script>", begin);
  const std::string blob = page.substr(begin + open.size(), end - begin - open.size());
  EXPECT_EQ(blob.find('<'), std::string::npos);
  const Json data = Json::parse(blob);
  EXPECT_EQ(data["languages"].size(), 2u);
  EXPECT_EQ(data["texts"]["navBarGoHome"], Json({"Back to overview", "Zur Übersicht"}));
}

TEST(InspectExitCodes, MissingInvalidAndBrokenLocalizedFiles) {
  const Outcome missing = Inspect(Quote(k42test::DataPathNarrow("tools/no_such_device.xml")));
  EXPECT_EQ(missing.exitCode, 2);

  const std::string model = "-d " + Quote(k42test::DataPathNarrow("model")) + " ";
  const Outcome invalid = Inspect(model + "schema_errors.xml minimal_loc.xml");
  EXPECT_EQ(invalid.exitCode, 2);
  EXPECT_NE(invalid.err.find("schema_errors.xml:7:"), std::string::npos) << invalid.err;
  EXPECT_NE(invalid.err.find("schema_errors.xml:9:"), std::string::npos);  // a schema found: every error stays
  EXPECT_NE(invalid.err.find(": error: "), std::string::npos);

  const Outcome broken = Inspect(model + "not_well_formed.xml minimal_loc.xml");
  EXPECT_EQ(broken.exitCode, 2);
  EXPECT_NE(broken.err.find("not_well_formed.xml:"), std::string::npos) << broken.err;
  EXPECT_NE(broken.err.find(": fatal: "), std::string::npos);

  const Outcome brokenLoc = Inspect("-d " + Quote(k42test::DataPathNarrow("tools")) + " device.xml broken_loc.xml");
  EXPECT_EQ(brokenLoc.exitCode, 1) << brokenLoc.err;
  EXPECT_NE(brokenLoc.err.find("broken_loc.xml"), std::string::npos) << brokenLoc.err;

  EXPECT_EQ(Inspect("--format yaml x.xml").exitCode, 64);
}

// A file that is not well-formed is read a second time for the error's position. That read opens the
// file the system finds, as the component did: here "link/.." leads through a symbolic link into real/,
// while the same path with "link/.." taken out as text names a named pipe, on which a read would wait
// for ever (this suite's time limit catches that).
TEST(InspectBounds, TheSecondLookAtABrokenFileReadsWhatTheComponentRead) {
  namespace fs = std::filesystem;
  const fs::path root =
      fs::path(k42test::WriteTempFile("look/real/b/x.xml", "<?xml version=\"1.0\"?>\n<root>\n<open>\n</root>\n"))
          .parent_path()
          .parent_path()
          .parent_path();
  fs::create_directories(root / "real" / "a");
  fs::create_directories(root / "b");
  fs::create_directory_symlink("real/a", root / "link");
  ASSERT_EQ(mkfifo((root / "b" / "x.xml").c_str(), 0600), 0);
  const Outcome run = Inspect("-d " + Quote((root / "link").string() + "/") + " ../b/x.xml");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("x.xml:3:1: fatal: element 'open' opened on line 3, column 1 is not closed"),
            std::string::npos)
      << run.err;
}

// The control characters of a text, but for the line ends: what would reach the terminal raw.
std::string RawControls(const std::string& text) {
  std::string raw;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool c1 = c == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xa0;
    if ((c < 0x20 && c != '\n') || c == 0x7f || c1) raw += Quote(std::to_string(c)) + " at " + std::to_string(i) + "; ";
  }
  return raw;
}

const std::string kEscapes = "-d " + Quote(k42test::DataPathNarrow("tools")) + " escapes.xml escapes_loc.xml";

// Identifiers and texts of escapes.xml hold a clear-screen and a set-title sequence and a line break:
// every text output prints them escaped, and one finding or change stays one line.
TEST(InspectEscapes, TheTextReportPrintsControlCharactersEscaped) {
  const Outcome run = Inspect(kEscapes);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(RawControls(run.out), "");
  EXPECT_NE(run.out.find("  mod\\x1b[2J  "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("variable var\\x1b]0;owned\\x07  \"Tag\\x1b[2J\\tend\\u009b1m\""), std::string::npos);
  EXPECT_NE(run.out.find("mod\\x1b[2J/dis\\nnext line"), std::string::npos);
}

TEST(InspectEscapes, CheckPrintsEachFindingEscapedOnOneLine) {
  const Outcome run = InspectRaw("check " + kEscapes);
  EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
  EXPECT_EQ(RawControls(run.out), "");
  EXPECT_NE(run.out.find("'undeclared\\x1b[31m'"), std::string::npos) << run.out;
  std::istringstream lines(run.out);
  std::string line, last;
  while (std::getline(lines, line)) {
    if (!last.empty()) {
      EXPECT_NE(last.find("escapes"), std::string::npos) << "not a finding: " << last;
    }
    last = line;
  }
  EXPECT_NE(last.find(" error"), std::string::npos) << last;  // the summary
}

TEST(InspectEscapes, DiffPrintsChangedIdentifiersEscaped) {
  const std::string dir = k42test::DataPathNarrow("tools") + "/";
  auto copied = [&dir](const std::string& file, const std::string& from = "", const std::string& to = "") {
    std::string text = inspect_test::ReadFile(dir + file);
    const std::string schemas = "../../../schemas/";
    text.replace(text.find(schemas), schemas.size(), std::string(K42GUI_SOURCE_DIR) + "/schemas/");
    for (size_t at; !from.empty() && (at = text.find(from)) != std::string::npos;) text.replace(at, from.size(), to);
    return k42test::WriteTempFile("escapes-new/" + file, text);
  };
  const std::string after = copied("escapes.xml", "dis&#xa;next line", "dis&#x1b;[1m");
  copied("escapes_loc.xml");
  const Outcome run = InspectRaw("diff --no-progress " + Quote(dir + "escapes.xml") + " " + Quote(after));
  EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
  EXPECT_EQ(RawControls(run.out), "");
  EXPECT_NE(run.out.find("dis\\x1b[1m"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("dis\\nnext line"), std::string::npos) << run.out;
}

}  // namespace
