// The inspector as a command-line tool: option syntax, the files it reads and writes, its progress
// bar and what it says on standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "inspect_runner.h"
#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using inspect_test::Inspect;
using inspect_test::InspectRaw;
using inspect_test::Outcome;
using inspect_test::Quote;

const std::string kDemo = inspect_test::DemoPath();
const std::string kDemoDir = fs::path(kDemo).parent_path().string();

// A copy of a demo file in a directory of its own; its schema is named by an absolute path so
// that only the file's place changes.
std::string CopyDemoFile(const std::string& name, const std::string& as, const std::string& from = "",
                         const std::string& to = "") {
  std::string text = inspect_test::ReadFile(kDemoDir + "/" + name);
  text = std::regex_replace(text, std::regex(R"(\.\./\.\./schemas/)"), std::string(K42GUI_SOURCE_DIR) + "/schemas/");
  if (!from.empty()) text = std::regex_replace(text, std::regex(from), to);
  return k42test::WriteTempFile(as, text);
}

TEST(InspectCommandLine, OptionSyntax) {
  // --opt=value, a value bundled with its short option, and -- before the file.
  const Outcome german = Inspect("--format=json -lde -f2 -- " + Quote(kDemo));
  ASSERT_EQ(german.exitCode, 0) << german.err;
  EXPECT_NE(german.out.find("\"Einstellungen\""), std::string::npos);
  EXPECT_NE(german.out.find("\"online\": true"), std::string::npos);

  // A repeatable option takes one value each time and leaves the file after it alone.
  EXPECT_EQ(Inspect("--header-place EXTRA --header-place OTHER " + Quote(kDemo)).exitCode, 0);

  const Outcome version = Inspect("--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(std::regex_match(version.out, std::regex("k42gui-inspect \\d+\\.\\d+\\.\\d+\n"))) << version.out;

  // Usage errors name the problem and end with 64, before any file is read.
  for (const char* wrong :
       {"--colour=red x.xml", "-f 1x x.xml", "", "diff a.xml b.xml c.xml", "--format html check x.xml"}) {
    const Outcome run = Inspect(wrong);
    EXPECT_EQ(run.exitCode, 64) << wrong;
    EXPECT_NE(run.err.find("k42gui-inspect: "), std::string::npos) << wrong;
  }
}

TEST(InspectCommandLine, FilesAreTakenFromThePathsGiven) {
  // -d with and without its trailing separator: the same device, named relative to it.
  const Outcome plain = Inspect("-d " + Quote(kDemoDir) + " demo.xml");
  const Outcome slash = Inspect("-d " + Quote(kDemoDir + "/") + " demo.xml");
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  EXPECT_EQ(plain.out, slash.out);
  EXPECT_NE(plain.out.find("Modules:\n  modSetup"), std::string::npos);

  // A localized file elsewhere is read from there, not replaced by the one next to the device.
  const std::string other = CopyDemoFile("demo_loc.xml", "elsewhere/demo_loc.xml", "Einstellungen", "Anderswo");
  const Outcome elsewhere = Inspect("--format json -l de " + Quote(kDemo) + " " + Quote(other));
  ASSERT_EQ(elsewhere.exitCode, 0) << elsewhere.err;
  EXPECT_NE(elsewhere.out.find("\"Anderswo\""), std::string::npos);
  EXPECT_EQ(elsewhere.out.find("\"Einstellungen\""), std::string::npos);
  // ... and, with -d, relative to that directory.
  const std::string fromDir = fs::relative(other, kDemoDir).string();
  EXPECT_EQ(Inspect("--format json -l de -d " + Quote(kDemoDir) + " demo.xml " + Quote(fromDir)).out, elsewhere.out);
}

TEST(InspectCommandLine, OutputGoesWhereAskedAndWriteErrorsCount) {
  fs::remove("-");
  const Outcome dash = Inspect("-o - " + Quote(kDemo));
  EXPECT_EQ(dash.exitCode, 0);
  EXPECT_NE(dash.out.find("Modules:"), std::string::npos);
  EXPECT_FALSE(fs::exists("-"));

  const Outcome full = Inspect("--format json -o /dev/full " + Quote(kDemo));
  EXPECT_EQ(full.exitCode, 74);
  EXPECT_NE(full.err.find("cannot write /dev/full"), std::string::npos) << full.err;
  const Outcome nowhere =
      Inspect("-o " + Quote(k42test::WriteTempFile("x", "") + "/no/such/dir/r.txt") + " " + Quote(kDemo));
  EXPECT_EQ(nowhere.exitCode, 74);
}

TEST(InspectCommandLine, ProgressBarOnlyOnATerminalAndClearedAtTheEnd) {
  // Standard error is a file here: not one byte of progress.
  const Outcome quiet = InspectRaw("-o /dev/null " + Quote(kDemo));
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.err, "");

  // Under a terminal (script(1) provides one) the bar runs to its end through every phase and
  // leaves the line empty.
  const std::string log = k42test::WriteTempFile("progress/typescript", "");
  const std::string command = std::string(K42GUI_INSPECT_PATH) + " -o /dev/null " + Quote(kDemo);
  ASSERT_EQ(std::system(("script -qefc " + Quote(command) + " " + Quote(log) + " >/dev/null").c_str()), 0);
  const std::string screen = inspect_test::ReadFile(log);
  const size_t loaded = screen.find("] 11/11");
  const size_t writing = screen.find("writing the report [");
  EXPECT_NE(loaded, std::string::npos) << screen;
  EXPECT_LT(loaded, screen.find("reading the device ["));
  EXPECT_NE(writing, std::string::npos);
  EXPECT_NE(screen.find("] done\r\033[K", writing), std::string::npos) << screen;
}

TEST(InspectCommandLine, TheComponentsReportsBecomeDiagnostics) {
  // A device copied away from its schema: one line that says so, not one per element.
  const std::string lost = k42test::WriteTempFile("lost/demo.xml", inspect_test::ReadFile(kDemo));
  const Outcome noSchema = Inspect(Quote(lost) + " " + Quote(CopyDemoFile("demo_loc.xml", "lost/demo_loc.xml")));
  EXPECT_EQ(noSchema.exitCode, 2);
  EXPECT_TRUE(std::regex_search(noSchema.err, std::regex("demo.xml:5:\\d+: error: schema not found: "
                                                         "'../../schemas/guixml.xsd'")))
      << noSchema.err;
  EXPECT_EQ(std::count(noSchema.err.begin(), noSchema.err.end(), '\n'), 2) << noSchema.err;

  // The platform's message-box line and the parser's own stderr lines are not passed through raw.
  const Outcome broken =
      Inspect("-d " + Quote(k42test::DataPathNarrow("model")) + " not_well_formed.xml minimal_loc.xml");
  EXPECT_EQ(broken.err.find("MessageBox"), std::string::npos) << broken.err;
  const Outcome brokenLoc = Inspect("-d " + Quote(k42test::DataPathNarrow("tools")) + " device.xml broken_loc.xml");
  EXPECT_EQ(brokenLoc.err.find("CDDParserXML"), std::string::npos) << brokenLoc.err;

  // Mistakes the component passes in silence are warned about; the report and exit code stay.
  const Outcome noModule = Inspect("-f 3 " + Quote(kDemo));
  EXPECT_EQ(noModule.exitCode, 0);
  EXPECT_NE(noModule.err.find("warning: function identifier 3 selects no module"), std::string::npos);
  const Outcome wrongCase = Inspect("-l DE " + Quote(kDemo));
  EXPECT_EQ(wrongCase.exitCode, 0);
  EXPECT_NE(wrongCase.err.find("warning: language 'DE' is not in demo.xml (it has: de, en; did you mean 'de'?)"),
            std::string::npos)
      << wrongCase.err;
  EXPECT_EQ(Inspect("-l de " + Quote(kDemo)).err, "");
}

}  // namespace
