// The checker on files a crafted device could hold: what the component refuses is one error finding (never
// a crash, a wait on a pipe or a read without end), positions stay right whatever the lines and their length,
// and a file reference that leads out of the device's directory or to no regular file is reported.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <k42gui/DeviceCheck.h>
#include <k42gui/DeviceFiles.h>

#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;

std::string Fixture(const std::string& name) {
  std::ifstream in(k42test::DataPathNarrow("authoring/" + name), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// A device written to a temporary directory, its schemas named where they are in the source tree.
std::string WriteDevice(const std::string& name, const std::string& text) {
  return k42test::WriteTempFile(name, Replaced(text, "../../../schemas/", K42GUI_SOURCE_DIR "/schemas/"));
}

k42gui::CheckResult Check(const std::string& gui, const std::string& loc, std::vector<std::string> rules = {}) {
  k42gui::CheckRequest request;
  request.guiXmlPath = gui;
  request.localizedPath = loc;
  request.rules = std::move(rules);
  return k42gui::CheckDevice(request);
}

// Every message, for a failure's output.
std::string Messages(const k42gui::CheckResult& result) {
  std::string all;
  for (const k42gui::Finding& f : result.findings) all += f.rule + ": " + f.message + "\n";
  return all;
}

std::string Where(const k42gui::Finding& f) { return std::to_string(f.line) + ":" + std::to_string(f.column); }

// The one finding of a file the checker does not read, with that fragment in its message.
void ExpectRefused(const k42gui::CheckResult& result, const std::string& file, const std::string& where,
                   const std::string& fragment) {
  EXPECT_FALSE(result.loaded);
  ASSERT_EQ(result.findings.size(), 1u) << Messages(result);
  const k42gui::Finding& finding = result.findings.front();
  EXPECT_EQ(finding.file, file);
  EXPECT_EQ(finding.rule, "xml");
  EXPECT_EQ(finding.severity, k42gui::Severity::kError);
  EXPECT_EQ(Where(finding), where) << finding.message;
  EXPECT_NE(finding.message.find(fragment), std::string::npos) << finding.message;
}

TEST(CheckRefusals, AFileThatIsNoRegularFileOrTooLargeIsOneErrorInsteadOfACrashOrAWait) {
  const std::string gui = WriteDevice("kinds/clean.xml", Fixture("clean.xml"));
  const std::string loc = WriteDevice("kinds/clean_loc.xml", Fixture("clean_loc.xml"));
  const std::string pipe = fs::path(gui).parent_path() / "pipe.xml";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string huge = WriteDevice("kinds/huge.xml", "");
  fs::resize_file(huge, (uint64_t{256} << 20) + 1);  // sparse: nothing is written
  const std::string directory = fs::path(gui).parent_path().string();
  const std::vector<std::pair<std::string, std::string>> files = {{directory, "(a directory)"},
                                                                  {pipe, "(a named pipe)"},
                                                                  {"/dev/zero", "(a device)"},
                                                                  {huge, "larger than 256 MiB"}};
  for (const auto& [file, fragment] : files) {
    SCOPED_TRACE(file);
    ExpectRefused(Check(file, loc), file, "0:0", fragment);
    ExpectRefused(Check(gui, file), file, "0:0", fragment);
  }
}

TEST(CheckRefusals, WhatTheComponentRefusesIsAnErrorWithItsReasonAtTheRefusedText) {
  const std::string loc = k42test::DataPathNarrow("authoring/clean_loc.xml");
  const std::string clean = Fixture("clean.xml");
  // A document type declaration with entities, which the parser alone would expand and report clean.
  const std::string doctype =
      WriteDevice("bounds/doctype.xml", Replaced(clean, "?>\n", "?>\n<!DOCTYPE tv:GUIXML [<!ENTITY a \"aaaa\">]>\n"));
  ExpectRefused(Check(doctype, loc), doctype, "2:1", "document type declaration refused");

  std::string attributes = "<A";
  for (int i = 0; i < 100000; ++i) attributes += " a" + std::to_string(i) + "=\"\"";
  const std::string wide =
      WriteDevice("bounds/attributes.xml", "<?xml version=\"1.0\"?>\n<R>\n " + attributes + "/></R>");
  ExpectRefused(Check(wide, loc), wide, "3:2", "more than 1000 attributes refused");

  std::string nested;
  for (int i = 0; i < 100000; ++i) nested += "<E>";
  const std::string deep = WriteDevice("bounds/deep.xml", nested);
  ExpectRefused(Check(deep, loc), deep, "1:3001", "nested deeper than 1000 levels refused");
}

TEST(CheckRefusals, PositionsCountLinesAsTheParserDoesAndAOneLineDeviceIsCheckedInLinearTime) {
  const std::string loc = k42test::DataPathNarrow("authoring/clean_loc.xml");
  const std::string keyword = Fixture("keyword.xml");
  // Each line end as LF, CRLF, a lone CR or, in an XML 1.1 file, NEL: the same line and column.
  const std::string xml11 = Replaced(keyword, "version=\"1.0\"", "version=\"1.1\"");
  for (const std::string& text :
       {Replaced(keyword, "\n", "\r\n"), Replaced(keyword, "\n", "\r"), Replaced(xml11, "\n", "\xC2\x85")}) {
    const k42gui::CheckResult result = Check(WriteDevice("lines/keyword.xml", text), loc);
    ASSERT_EQ(result.findings.size(), 1u) << Messages(result);
    EXPECT_EQ(Where(result.findings[0]), "23:57") << result.findings[0].message;
  }

  // A minified megabyte: every line end gone, many labels before the mistake.
  std::string oneLine = Replaced(keyword, "\n", " ");
  std::string labels;
  for (int i = 0; labels.size() < (1u << 20); ++i) labels += "<LABEL_DEC LABEL_ID=\"lbl" + std::to_string(i) + "\"/>";
  const size_t first = oneLine.find("<LABEL_DEC");
  oneLine.insert(first, labels);
  const std::string gui = WriteDevice("lines/minified.xml", oneLine);
  const std::string written = Replaced(oneLine, "../../../schemas/", K42GUI_SOURCE_DIR "/schemas/");
  // The labels have no texts: only the rules that have nothing to say about them.
  const k42gui::CheckResult result = Check(gui, loc, {"xml", "unresolved-ref", "unknown-keyword"});
  ASSERT_EQ(result.findings.size(), 1u) << Messages(result);
  EXPECT_EQ(result.findings[0].rule, "unknown-keyword");
  EXPECT_EQ(Where(result.findings[0]), "1:" + std::to_string(written.find("COMBOBOX") + 1));
}

TEST(CheckRefusals, AFileReferenceOutsideTheDeviceOrToNoRegularFileIsReportedWhereItIsWritten) {
  const std::string device = Fixture("missing_file.xml");
  const std::string loc = WriteDevice("refs/clean_loc.xml", Fixture("clean_loc.xml"));
  const fs::path dir = fs::path(loc).parent_path();
  fs::create_directories(dir / "icons" / "folder.ico");
  ASSERT_EQ(mkfifo((dir / "icons" / "pipe.ico").c_str(), 0600), 0);
  k42test::WriteTempFile("secret.txt", "not the device's");
  fs::create_symlink("../../secret.txt", dir / "icons" / "link.ico");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"icons/folder.ico", "not a regular file (a directory)"},
      {"icons/pipe.ico", "not a regular file (a named pipe)"},
      {"../secret.txt", "is outside the device's directory (it leads to "},
      {"icons/link.ico",
       "is outside the device's directory (it leads to " + (dir.parent_path() / "secret.txt").string()},
      {"/dev/zero", "is outside the device's directory"},
  };
  for (const auto& [reference, fragment] : cases) {
    SCOPED_TRACE(reference);
    const std::string gui = WriteDevice("refs/device.xml", Replaced(device, "icons/main.ico", reference));
    const k42gui::CheckResult result = Check(gui, loc);
    EXPECT_TRUE(result.loaded);
    ASSERT_EQ(result.findings.size(), 1u) << Messages(result);
    EXPECT_EQ(result.findings[0].rule, "file-outside-device");
    EXPECT_EQ(Where(result.findings[0]), "13:64");
    EXPECT_NE(result.findings[0].message.find(fragment), std::string::npos) << result.findings[0].message;
  }
}

TEST(CheckRefusals, OnlyAnXmlFileWithAnSvgRootCountsAsAPicture) {
  EXPECT_EQ(k42gui::ImageMediaType("<?xml version=\"1.0\"?>\n<!-- logo -->\n<svg xmlns=\"x\"/>"), "image/svg+xml");
  EXPECT_EQ(k42gui::ImageMediaType("<svg>"), "image/svg+xml");
  EXPECT_EQ(k42gui::ImageMediaType("<?xml version=\"1.0\"?><LANGUAGE_SUPPORT/>"), "");
  EXPECT_EQ(k42gui::ImageMediaType("<?xml version=\"1.0\"?><svgx/>"), "");
}

TEST(CheckRefusals, TheRuleNamesAreTheOnesAuthorsPassToRuleAndIgnore) {
  std::vector<std::string> names;
  for (const k42gui::Rule& rule : k42gui::CheckRules()) names.push_back(rule.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"xml", "schema-missing", "unresolved-ref", "unknown-keyword", "shadowed-id",
                                      "unknown-function", "unknown-language", "missing-file", "file-outside-device",
                                      "missing-text", "unused-text", "missing-builtin-text", "index-past-strip",
                                      "header-image", "unlabelled-command", "help-anchor"}));
}

}  // namespace
