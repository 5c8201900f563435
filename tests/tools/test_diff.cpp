// `k42gui-inspect diff` on copies of the demo with known changes, and the JSON report's independence
// of the folder a device lies in.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "inspect_runner.h"
#include "support/test_paths.h"

namespace {

using inspect_test::Inspect;
using inspect_test::Outcome;
using inspect_test::Quote;
using Json = nlohmann::json;
using Edits = std::vector<std::pair<std::string, std::string>>;

const std::string kDemo = inspect_test::DemoPath();

std::string Edited(std::string text, const Edits& edits) {
  for (const auto& [from, to] : edits) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << "the demo no longer contains: " << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
  }
  return text;
}

// Copies the demo into folder (under the test's temporary directory) with the edits applied to its
// GUI XML and localized files; the schemas are named by absolute path so the copy still validates.
std::string CopyDemo(const std::string& folder, const Edits& xmlEdits = {}, const Edits& locEdits = {}) {
  const Edits schemas{{"../../schemas/", std::string(K42GUI_SOURCE_DIR) + "/schemas/"}};
  const std::string demoDir = std::string(K42GUI_SOURCE_DIR) + "/examples/demo/";
  k42test::WriteTempFile(folder + "/demo_loc.xml",
                         Edited(Edited(inspect_test::ReadFile(demoDir + "demo_loc.xml"), schemas), locEdits));
  const std::string xml = k42test::WriteTempFile(
      folder + "/demo.xml", Edited(Edited(inspect_test::ReadFile(demoDir + "demo.xml"), schemas), xmlEdits));
  // The pictures and help files come along, as with any copy of a device's folder.
  for (const char* files : {"images", "help"}) {
    std::filesystem::copy(demoDir + files, std::filesystem::path(xml).parent_path() / files,
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  }
  return xml;
}

Outcome Diff(const std::string& args) { return inspect_test::InspectRaw("diff --no-progress " + args); }

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

size_t IndexOf(const std::vector<std::string>& lines, const std::string& line) {
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == line) return i;
  }
  ADD_FAILURE() << "missing line: " << line;
  return lines.size();
}

TEST(InspectDiff, KnownChangesOneLineEachGroupedByArea) {
  const std::string before = CopyDemo("diff-old");
  const std::string after =
      CopyDemo("diff-new",
               {{R"(VAR_REF="varPVUnit" LABEL_REF="lblPressureUnit" CONTROLSTYLE="COMBO")",
                 R"(VAR_REF="varPVUnit" LABEL_REF="lblPressureUnit" CONTROLSTYLE="LIST")"},
                // An item inserted in the middle is one change; the items after it are not shifted.
                {R"(<EMPTYFIELD_PARDIS/>)", R"(<EMPTYFIELD_PARDIS/><VARIABLE_PARDIS VAR_REF="varSensorTemp"/>)"},
                {R"(<VARIABLE_NAV VAR_REF="varDamping" PARDIS_REF="disBasic" IMAGELIST_INDEX="4"/>)", ""},
                {R"(FORMAT_CONTROL="%.1f s")", R"(FORMAT_CONTROL="%.2f s")"},
                {R"(TOOLBAR_ID="tbPrint" TOOLBAR_BITMAPINDEX="3")", R"(TOOLBAR_ID="tbPrint" TOOLBAR_BITMAPINDEX="5")"}},
               {{"<LABEL>Druckeinheit</LABEL>", "<LABEL>Einheit des Drucks</LABEL>"}});

  const Outcome text = Diff(Quote(before) + " " + Quote(after));
  EXPECT_EQ(text.exitCode, 1) << text.err;
  const std::vector<std::string> lines = Lines(text.out);
  const size_t tree = IndexOf(lines, "module modSetup: tree menuSetupRoot/menuBasic/varDamping removed");
  const size_t control = IndexOf(lines, "display disBasic: item 3 (varPVUnit): control combo -> list");
  const size_t inserted = IndexOf(lines, "display disBasic: item 5 (varSensorTemp) added");
  // The label shows in the tree and on the display: one edit, one line.
  const size_t german =
      IndexOf(lines,
              "[de] module modSetup: tree menuSetupRoot/menuBasic/varPVUnit: label \"Druckeinheit\" -> "
              "\"Einheit des Drucks\" (also at display disBasic: item 3 (varPVUnit): label)");
  const size_t format = IndexOf(lines, "variable varDamping: format \"%.1f s\" -> \"%.2f s\"");
  const size_t toolbar = IndexOf(lines, "toolbar: item 5 (tbPrint): bitmap 3 -> 5");
  EXPECT_LT(tree, control);
  EXPECT_LT(inserted, format);
  EXPECT_LT(german, format);
  EXPECT_LT(format, toolbar);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find("varPollAddress"), std::string::npos) << line;  // after the inserted item
    EXPECT_EQ(line.find("[en]"), std::string::npos) << line;            // the same in both languages
  }

  const Outcome json = Diff("--format json " + Quote(before) + " " + Quote(after));
  EXPECT_EQ(json.exitCode, 1);
  const Json report = Json::parse(json.out);
  EXPECT_EQ(report["formatVersion"], 1);
  EXPECT_EQ(report["changes"].size(), lines.size());
  for (const Json& change : report["changes"]) {
    if (change["path"] == "display disBasic: item 3 (varPVUnit): control") {
      EXPECT_EQ(change["kind"], "changed");
      EXPECT_EQ(change["old"], "combo");
      EXPECT_EQ(change["new"], "list");
      EXPECT_FALSE(change.contains("language"));
    } else if (change["path"] == "display disBasic: item 5 (varSensorTemp)") {
      EXPECT_EQ(change["kind"], "added");
      EXPECT_FALSE(change.contains("old"));
      EXPECT_EQ(change["new"]["reference"], "varSensorTemp");
    } else if (change["path"] == "module modSetup: tree menuSetupRoot/menuBasic/varPVUnit: label") {
      EXPECT_EQ(change["language"], "de");
      EXPECT_EQ(change["alsoAt"], Json::array({"display disBasic: item 3 (varPVUnit): label"}));
    }
  }
}

TEST(InspectDiff, EqualDevicesAndExitCodes) {
  // A copy elsewhere is the same device: its paths are relative to its own folder.
  const Outcome same = Diff(Quote(kDemo) + " " + Quote(CopyDemo("diff-copy")));
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(same.out, "");
  const Outcome sameJson = Diff("--format json " + Quote(kDemo) + " " + Quote(kDemo));
  EXPECT_EQ(sameJson.exitCode, 0);
  EXPECT_EQ(Json::parse(sameJson.out)["changes"], Json::array());

  EXPECT_EQ(Diff(Quote(kDemo) + " " + Quote(k42test::DataPathNarrow("tools/no_such_device.xml"))).exitCode, 2);
  EXPECT_EQ(Diff("--format html " + Quote(kDemo) + " " + Quote(kDemo)).exitCode, 64);
}

TEST(InspectDiff, UsedDeclarationsKeptApartFromDeclared) {
  const std::string before = CopyDemo("usage-old");
  const std::string after =
      CopyDemo("usage-new",
               {{R"(<VARIABLE_PARDIS VAR_REF="varSerialNumber" CONTROLSTYLE="STATIC"/>)", ""},
                // varServicePassword is declared for another function only; varLoopCurrent is new.
                {R"(<VARIABLE_PARDIS VAR_REF="varPollAddress" CONTROLSTYLE="EDIT"/>)",
                 R"(<VARIABLE_PARDIS VAR_REF="varServicePassword"/><VARIABLE_PARDIS VAR_REF="varLoopCurrent"/>)"},
                {R"(<VAR_DEC VAR_ID="varCalDate">)",
                 R"(<VAR_DEC VAR_ID="varLoopCurrent"><DATATYPE SIZE_IN_BIT="32">DD_FLOAT</DATATYPE></VAR_DEC>)"
                 R"(<VAR_DEC VAR_ID="varCalDate">)"},
                // Its declaration and its only use go.
                {R"(<VAR_DEC VAR_ID="varDescriptor">)", R"(<VAR_DEC VAR_ID="varDescriptorOld">)"},
                {R"(<VARIABLE_PARDIS VAR_REF="varDescriptor"/>)", ""},
                // Its declaration goes, its uses stay: one line, not one per member that now reads empty.
                {R"(<VAR_DEC VAR_ID="varOperatingTime">)", R"(<VAR_DEC VAR_ID="varRunTime">)"}},
               {{"<LABEL>Pressure unit</LABEL>", "<LABEL>Unit of pressure</LABEL>"}});

  const Outcome text = Diff(Quote(before) + " " + Quote(after));
  EXPECT_EQ(text.exitCode, 1) << text.err;
  const std::vector<std::string> lines = Lines(text.out);
  IndexOf(lines, "variable varSerialNumber no longer used");
  IndexOf(lines, "variable varServicePassword newly used");
  IndexOf(lines, "variable varLoopCurrent declared");
  IndexOf(lines, "variable varDescriptor removed");
  IndexOf(lines, "variable varOperatingTime no longer declared, still used");
  IndexOf(lines, "display disSetupOverview: item 6 (varSerialNumber) removed");  // the use itself
  IndexOf(lines,
          "[en] module modSetup: tree menuSetupRoot/menuBasic/varPVUnit: label \"Pressure unit\" -> "
          "\"Unit of pressure\" (also at display disBasic: item 3 (varPVUnit): label)");
  for (const std::string& line : lines) EXPECT_EQ(line.find("variable varOperatingTime:"), std::string::npos) << line;
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& line) { return line.find("Unit of pressure") != std::string::npos; }),
            1);

  // The other way round: the undeclared use gets its declaration back, the unused one is used again.
  const std::vector<std::string> back = Lines(Diff(Quote(after) + " " + Quote(before)).out);
  IndexOf(back, "variable varOperatingTime declared");
  IndexOf(back, "variable varSerialNumber newly used");
  IndexOf(back, "variable varServicePassword no longer used");

  const Json report = Json::parse(Diff("--format json " + Quote(before) + " " + Quote(after)).out);
  std::map<std::string, Json> byPath;
  for (const Json& change : report["changes"]) byPath[change["path"]] = change;
  EXPECT_EQ(byPath["variable varSerialNumber"]["kind"], "noLongerUsed");
  EXPECT_EQ(byPath["variable varSerialNumber"]["old"]["id"], "varSerialNumber");
  EXPECT_FALSE(byPath["variable varSerialNumber"].contains("new"));
  EXPECT_EQ(byPath["variable varServicePassword"]["kind"], "newlyUsed");
  EXPECT_FALSE(byPath["variable varServicePassword"].contains("old"));
  EXPECT_EQ(byPath["variable varLoopCurrent"]["kind"], "declared");
}

TEST(InspectDiff, NewLanguageListsUntranslatedAndMissingTexts) {
  // German: one label emptied, one left out (the English one shows instead); the rest of the demo's
  // German texts are translations and stay out of the list.
  const std::string device = CopyDemo("lang", {},
                                      {{"<LABEL>Druckeinheit</LABEL>", "<LABEL></LABEL>"},
                                       {R"(<ID NAME="varSerialNumber"><LABEL>Seriennummer</LABEL></ID>)", ""}});
  const Outcome text = Diff("--new-language de " + Quote(device));
  EXPECT_EQ(text.exitCode, 1) << text.err;
  const std::vector<std::string> lines = Lines(text.out);
  IndexOf(lines,
          "[de] module modSetup: tree menuSetupRoot/menuBasic/varPVUnit: label missing (en: \"Pressure unit\") "
          "(also at display disBasic: item 3 (varPVUnit): label)");
  IndexOf(lines,
          "[de] display disSetupOverview: item 6 (varSerialNumber): label untranslated \"Serial number\" "
          "(also at variable varSerialNumber: label)");
  IndexOf(lines, "[de] variable varPVUnit: enum 1: legend untranslated \"Bar\"");
  IndexOf(lines, "[de] built-in texts: navBarCloseButton untranslated \"Close\"");
  for (const std::string& line : lines) {
    EXPECT_EQ(line.rfind("[de] ", 0), 0u) << line;  // texts only: the device is the same
    for (const char* quiet : {"Druckeinheit", "Werkzeuge", "Back to overview", "helpTopic", "Primary value", "help/"}) {
      EXPECT_EQ(line.find(quiet), std::string::npos) << line;
    }
  }

  const Json report = Json::parse(Diff("--format json --new-language de " + Quote(device)).out);
  const Json& missing = report["changes"][0];
  EXPECT_EQ(missing["kind"], "missing");
  EXPECT_EQ(missing["old"], "Pressure unit");
  EXPECT_EQ(missing["new"], "");
  EXPECT_EQ(missing["language"], "de");
  EXPECT_EQ(missing["oldLanguage"], "en");

  // German against itself: nothing left to list.
  const Outcome same = Diff("-l de --new-language de " + Quote(kDemo));
  EXPECT_EQ(same.exitCode, 0) << same.out;
}

TEST(InspectJson, SameDeviceInTwoFoldersGivesTheSameBytes) {
  // Texts that must be escaped, and text beyond ASCII, are written as the JSON library writes them.
  const Edits texts{
      {"<TOOLTIP>Time constant in seconds</TOOLTIP>", "<TOOLTIP>Say \"hi\" C:\\tag&#9;tab&#10;line &#x7F;</TOOLTIP>"},
      {"<TOOLTIP>Measuring point name</TOOLTIP>", "<TOOLTIP>20 \u00b0C \u20ac \U0001F600 \"x\"</TOOLTIP>"}};
  const std::string copy = CopyDemo("json-a", {}, texts);
  const Outcome first = Inspect("--format json " + Quote(copy));
  const Outcome second = Inspect("--format json " + Quote(CopyDemo("nested/json-b", {}, texts)));
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(first.out, second.out);
  EXPECT_EQ(first.out.find(std::filesystem::path(copy).parent_path().string()), std::string::npos);
  EXPECT_EQ(nlohmann::ordered_json::parse(first.out).dump(2) + "\n", first.out);
  EXPECT_NE(first.out.find(R"(Say \"hi\" C:\\tag\ttab\nline)"), std::string::npos);

  const Json json = Json::parse(first.out);
  // Items without a label reference show their parameter's label, after the legend when there is one.
  std::map<std::string, std::string> labels;
  for (const Json& display : json["displays"]) {
    for (const Json& item : display["items"]) labels[item["reference"]] = item["label"];
  }
  EXPECT_EQ(labels["varTag"], "Tag");
  EXPECT_EQ(labels["varPV"], "Primary value ");  // a conditional label is empty
  EXPECT_EQ(labels["varPVUnit"], "Pressure unit");
  EXPECT_EQ(json["formatVersion"], 1);
  EXPECT_EQ(json["toolbar"]["icons"], "images/toolbar.bmp");
  EXPECT_EQ(json["modules"][0]["icon"], "images/setup.ico");
  std::vector<std::string> ids;
  for (const Json& parameter : json["parameters"]) {
    ids.push_back(parameter["id"]);
    if (parameter["id"] == "imgDevice") {
      EXPECT_EQ(parameter["image"], "images/pt42.bmp");
    }
  }
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
}

}  // namespace
