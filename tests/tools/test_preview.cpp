// The HTML preview driven in Debian's Chromium through puppeteer-core (tests/tools/preview/drive_preview.js):
// the demo with some of its pictures, and a device with 10,000 menu entries; and which files the page
// takes in.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "inspect_runner.h"
#include "support/test_paths.h"

namespace {

using inspect_test::Inspect;
using inspect_test::Outcome;
using inspect_test::Quote;

const std::string kChromium = "/usr/bin/chromium";
const std::string kSchemas = std::string(K42GUI_SOURCE_DIR) + "/schemas/";

// Runs a shell command and returns its exit code and merged output.
Outcome Shell(const std::string& command) {
  Outcome run;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// puppeteer-core goes into the build tree, never the sources; tests running in parallel install it once.
std::string Puppeteer() {
  const std::string prefix = std::string(K42GUI_BINARY_DIR) + "/browser-test";
  std::filesystem::create_directories(prefix);
  const Outcome run = Shell("cd " + Quote(prefix) + " && flock .lock sh -c " +
                            Quote("test -d node_modules/puppeteer-core || npm install --no-audit --no-fund "
                                  "--prefix . puppeteer-core@23"));
  EXPECT_EQ(run.exitCode, 0) << "npm could not install puppeteer-core:\n" << run.out;
  return prefix + "/node_modules";
}

void Drive(const std::string& scenario, const std::string& page) {
  ASSERT_TRUE(std::filesystem::exists(kChromium)) << "Chromium is missing: scripts/install-deps.sh installs it";
  const std::string modules = Puppeteer();
  const std::string script = std::string(K42GUI_SOURCE_DIR) + "/tests/tools/preview/drive_preview.js";
  const Outcome run =
      Shell("NODE_PATH=" + Quote(modules) + " timeout 600 node " + Quote(script) + " " + scenario + " " + Quote(page));
  EXPECT_EQ(run.exitCode, 0) << run.out;
}

// A 16-pixel-high 24-bit Windows bitmap, as toolbar strips and logos are.
std::string Bitmap(int width) {
  const int height = 16, row = (width * 3 + 3) / 4 * 4, size = 54 + row * height;
  std::string bmp(size, '\0');
  auto put = [&bmp](int at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp[at + i] = static_cast<char>(value >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, width, 4);
  put(22, height, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  for (int i = 54; i < size; i += 3) bmp[i] = static_cast<char>(i % 251);
  return bmp;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

TEST(PreviewInBrowser, DemoTreeDisplaysHeaderToolbarMenusAndLanguages) {
  // The demo copied out with its toolbar strip and vendor logo; the device picture stays missing, and a
  // second device logo lies outside the device's directory.
  const std::string demo = std::string(K42GUI_SOURCE_DIR) + "/examples/demo/";
  const std::string xml = k42test::WriteTempFile(
      "preview-demo/demo.xml",
      Replace(Replace(inspect_test::ReadFile(demo + "demo.xml"), "../../schemas/", kSchemas),
              R"(<LOGO TYPE="DEVICE" HREF="images/pt42.bmp"/>)",
              R"(<LOGO TYPE="DEVICE" HREF="images/pt42.bmp"/><LOGO TYPE="DEVICE" HREF="../preview-outside.bmp"/>)"));
  // German device help as HTML, addressed by identifiers, with a place for the damping far down.
  k42test::WriteTempFile(
      "preview-demo/demo_loc.xml",
      Replace(Replace(inspect_test::ReadFile(demo + "demo_loc.xml"), "../../schemas/", kSchemas),
              R"(help/PT42_de.pdf" ANCHORS="EQTOHELPTOPIC")", R"(help/PT42_de.html" ANCHORS="EQTOID")"));
  k42test::WriteTempFile("preview-demo/help/PT42_de.html",
                         "<!DOCTYPE html><html><body><h1>PT-42</h1><div style=\"height:5000px\"></div>"
                         "<h2 id=\"varDamping\">D\u00e4mpfung</h2><div style=\"height:5000px\"></div></body></html>");
  k42test::WriteTempFile("preview-demo/images/toolbar.bmp", Bitmap(5 * 16));
  k42test::WriteTempFile("preview-demo/images/morvane_logo.bmp", Bitmap(48));
  for (const char* help : {"PT42_en.pdf", "PT42_ui_en.html", "PT42_ui_de.html"}) {
    k42test::WriteTempFile(std::string("preview-demo/help/") + help, inspect_test::ReadFile(demo + "help/" + help));
  }
  // A picture outside the device's directory: the page names it and says why it is not shown.
  k42test::WriteTempFile("preview-outside.bmp", Bitmap(48));
  const std::string page = std::filesystem::path(xml).replace_filename("demo.html").string();
  const Outcome run = Inspect("--format html -o " + Quote(page) + " " + Quote(xml));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  Drive("demo", page);
}

TEST(PreviewInBrowser, TenThousandMenuEntriesStayUsable) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tv:GUIXML xmlns:tv=\"urn:k42gui:guixml\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\"urn:k42gui:guixml " +
      kSchemas + "guixml.xsd\">\n";
  std::string loc =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LANGUAGE_SUPPORT "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"" +
      kSchemas + "guixml-loc.xsd\">\n<LANG ID=\"en\" DEFAULT=\"1\">\n<SCOPE ID=\"GLOBAL\">\n";
  std::string groups, menus;
  for (int v = 0; v < 10000; ++v) {
    const std::string id = "var" + std::to_string(v);
    xml += "<VAR_DEC VAR_ID=\"" + id + "\"><DATATYPE>DD_UINT8</DATATYPE></VAR_DEC>\n";
    loc += "<ID NAME=\"" + id + "\"><LABEL>Parameter " + std::to_string(v) + "</LABEL></ID>\n";
    if (v % 1000 == 0) {
      const std::string group = "menuGroup" + std::to_string(v / 1000 + 1);
      groups += "<MENU MENU_REF=\"" + group + "\" PARDIS_REF=\"disFirst\"/>\n";
      menus += std::string(v == 0 ? "" : "</MENU_DEC>\n") + "<MENU_DEC MENU_ID=\"" + group + "\">\n";
    }
    menus += "<VARIABLE_NAV VAR_REF=\"" + id + "\" PARDIS_REF=\"" + (v == 9999 ? "disLast" : "disFirst") + "\"/>\n";
  }
  xml +=
      "<FUNCTION_ID ID=\"1\"><MODULE MOD_REF=\"modBig\"/></FUNCTION_ID>\n"
      "<MODULE_DEC MOD_ID=\"modBig\" MOD_INTEGRATION=\"TAB\"><NAVIGATION_AREA>\n"
      "<MENU MENU_REF=\"menuAll\" PARDIS_REF=\"disFirst\"/>\n<MENU_DEC MENU_ID=\"menuAll\">\n" +
      groups + "</MENU_DEC>\n" + menus +
      "</MENU_DEC>\n</NAVIGATION_AREA>\n<PARDIS_AREA>\n"
      "<PARDIS_DEC PARDIS_ID=\"disFirst\" xsi:type=\"tv:custompardisdecType\"><VARIABLE_PARDIS VAR_REF=\"var0\"/>"
      "</PARDIS_DEC>\n<PARDIS_DEC PARDIS_ID=\"disLast\" xsi:type=\"tv:custompardisdecType\">"
      "<VARIABLE_PARDIS VAR_REF=\"var9999\"/></PARDIS_DEC>\n</PARDIS_AREA>\n</MODULE_DEC>\n</tv:GUIXML>\n";
  loc += "</SCOPE>\n<SCOPE ID=\"modBig\">\n<ID NAME=\"menuAll\"><LABEL>All parameters</LABEL></ID>\n";
  for (int g = 1; g <= 10; ++g) {
    loc += "<ID NAME=\"menuGroup" + std::to_string(g) + "\"><LABEL>Group " + std::to_string(g) + "</LABEL></ID>\n";
  }
  loc +=
      "<ID NAME=\"disLast\"><LABEL>Last &lt;/script&gt;&lt;script&gt;window.injected=1&lt;/script&gt;</LABEL>"
      "</ID>\n</SCOPE>\n</LANG>\n</LANGUAGE_SUPPORT>\n";
  const std::string file = k42test::WriteTempFile("preview-large/large.xml", xml);
  k42test::WriteTempFile("preview-large/large_loc.xml", loc);
  const std::string page = std::filesystem::path(file).replace_filename("large.html").string();
  const Outcome run = Inspect("--format html -o " + Quote(page) + " " + Quote(file));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  Drive("large", page);
}

TEST(PreviewInBrowser, SampleValuesLabelVariantsAndHelpAddresses) {
  const std::string page = k42test::WriteTempFile("preview-samples/samples.html", "");
  const Outcome run = Inspect("--format html -o " + Quote(page) + " " +
                              Quote(std::string(K42GUI_TEST_DATA_DIR) + "/tools/preview/samples.xml"));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  Drive("samples", page);
}

// The demo copied out without its help files: they are not reported as found with an empty path.
TEST(PreviewData, MissingHelpFilesAreNotFound) {
  const std::string demo = std::string(K42GUI_SOURCE_DIR) + "/examples/demo/";
  const std::string xml = k42test::WriteTempFile(
      "help-demo/demo.xml", Replace(inspect_test::ReadFile(demo + "demo.xml"), "../../schemas/", kSchemas));
  k42test::WriteTempFile("help-demo/demo_loc.xml",
                         Replace(inspect_test::ReadFile(demo + "demo_loc.xml"), "../../schemas/", kSchemas));
  const Outcome run = Inspect("--format json " + Quote(xml));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const nlohmann::json help = nlohmann::json::parse(run.out)["helpFiles"];
  for (const char* type : {"dtm", "ui"}) {
    EXPECT_EQ(help[type]["path"], "") << type;
    EXPECT_EQ(help[type]["found"], false) << type;
  }
}

// The page is sent to reviewers, so it takes in only the device's own pictures and help files. A file
// outside the device's directory (a picture, even), a named pipe, /dev/zero, a directory, a file that is no
// picture, a help file the browser cannot show and one over the size bound are each a placeholder that
// says why, and the report succeeds as it does with a missing picture. Read as before, the pipe would hang the inspector (this suite's time limit
// catches that) and /dev/zero would exhaust its memory.
TEST(PreviewBounds, OnlyTheDevicesOwnPicturesAreTakenIn) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(k42test::WriteTempFile("refused/device/good.bmp", Bitmap(16))).parent_path();
  k42test::WriteTempFile("refused/outside.bmp", Bitmap(16));
  k42test::WriteTempFile("refused/device/notes.txt", "no picture\n");
  k42test::WriteTempFile("refused/device/help.chm", "ITSF");
  fs::create_directories(dir / "folder");
  ASSERT_EQ(mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", dir / "zero.bmp");
  fs::create_symlink("../outside.bmp", dir / "link.bmp");
  fs::resize_file(k42test::WriteTempFile("refused/device/big.bmp", Bitmap(16)), uint64_t{17} << 20);
  const std::map<std::string, std::string> refused{{"../outside.bmp", "outside the device's directory"},
                                                   {"link.bmp", "outside the device's directory"},
                                                   {"zero.bmp", "outside the device's directory"},
                                                   {"pipe.bmp", "not a regular file (a named pipe)"},
                                                   {"folder", "not a regular file (a directory)"},
                                                   {"notes.txt", "not a picture"},
                                                   {"help.chm", "not a help file the page shows (PDF, HTML or text)"}};
  std::string logos;
  for (const char* logo : {"../outside.bmp", "link.bmp", "zero.bmp", "pipe.bmp", "folder", "notes.txt", "big.bmp",
                           "good.bmp", "gone.bmp"}) {
    logos += std::string("<LOGO TYPE=\"VENDOR\" HREF=\"") + logo + "\"/>";
  }
  std::ofstream(dir / "device.xml")
      << "<?xml version=\"1.0\"?>\n<tv:GUIXML xmlns:tv=\"urn:k42gui:guixml\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\"urn:k42gui:guixml "
      << kSchemas << "guixml.xsd\">\n<METAINFORMATION><AUX_FILES>" << logos
      << "</AUX_FILES></METAINFORMATION>\n</tv:GUIXML>\n";
  std::ofstream(dir / "device_loc.xml")
      << "<LANGUAGE_SUPPORT xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
         "xsi:noNamespaceSchemaLocation=\""
      << kSchemas
      << "guixml-loc.xsd\"><LANG ID=\"en\" DEFAULT=\"1\"><HELPFILE FREF=\"help.chm\"/>"
         "<UIHELPFILE FREF=\"notes.txt\"/></LANG></LANGUAGE_SUPPORT>\n";

  const Outcome run = Inspect("--format html " + Quote((dir / "device.xml").string()));
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string open = "id=\"device-data\">";
  const size_t begin = run.out.find(open) + open.size();
  const nlohmann::json data = nlohmann::json::parse(run.out.substr(begin, run.out.find("</script>", begin) - begin));
  const std::string prefix = dir.string() + "/";
  for (const auto& [logo, why] : refused) {
    EXPECT_EQ(data["refused"][prefix + logo], why) << logo;
    EXPECT_TRUE(data["images"].value(prefix + logo, nlohmann::json()).is_null()) << logo;
  }
  EXPECT_EQ(data["refused"].value(prefix + "big.bmp", "").rfind("larger than ", 0), 0u) << data["refused"];
  EXPECT_EQ(data["refused"].size(), refused.size() + 1);
  EXPECT_EQ(data["images"][prefix + "good.bmp"].get<std::string>().rfind("data:image/bmp;base64,", 0), 0u);
  EXPECT_TRUE(data["images"][prefix + "gone.bmp"].is_null());  // missing, as before: not refused
  // A text file is no picture but a help file the page shows.
  const nlohmann::json& files = data["files"];
  EXPECT_EQ(files.value(prefix + "notes.txt", "").rfind("data:text/plain;base64,", 0), 0u) << files;
  EXPECT_TRUE(files.contains(prefix + "help.chm") && files[prefix + "help.chm"].is_null()) << files;
}

}  // namespace
