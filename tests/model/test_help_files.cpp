// Help file resolution: local files, URLs, default help next to the module, and the file-test cache.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "platform/text.h"
#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using k42::FromNarrow;

const std::string kSchemas = std::string(K42GUI_SOURCE_DIR) + "/schemas/";

// Writes a one-module device whose localized file holds the given help
// elements into a fresh directory; returns that directory with its '/'.
std::string WriteDevice(const std::string& name, const std::string& helpElements) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<tv:GUIXML xmlns:tv=\"urn:k42gui:guixml\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
      " xsi:schemaLocation=\"urn:k42gui:guixml " +
      kSchemas +
      "guixml.xsd\">\n"
      " <FUNCTION_ID ID=\"1\"><MODULE MOD_REF=\"modMain\"/></FUNCTION_ID>\n</tv:GUIXML>\n";
  const std::string loc =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<LANGUAGE_SUPPORT xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
      " xsi:noNamespaceSchemaLocation=\"" +
      kSchemas +
      "guixml-loc.xsd\">\n"
      " <LANG ID=\"en\" DEFAULT=\"1\">" +
      helpElements + "</LANG>\n</LANGUAGE_SUPPORT>\n";
  k42test::WriteTempFile(name + "/device_loc.xml", loc);
  return fs::path(k42test::WriteTempFile(name + "/device.xml", xml)).parent_path().string() + "/";
}

int32_t LoadDevice(CDDModel& model, const std::string& directory, const std::u16string& language) {
  return model.Initialize(FromNarrow(directory), u"device.xml", u"device_loc.xml", language, 1, nullptr);
}

// Result, path and anchor; the anchor starts as -1.
using Help = std::tuple<int32_t, std::u16string, int32_t>;

Help Ask(CDDModel& model, int32_t type) {
  std::u16string path;
  int32_t anchor = -1;
  const int32_t result = model.GetHelpFilePath(type, path, anchor);
  return {result, path, anchor};
}

void Touch(const std::string& path) { std::ofstream(path) << "%PDF"; }

// Removes a file or directory when the test ends, however it ends.
struct RemovedAtEnd {
  std::string path;
  ~RemovedAtEnd() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

TEST(HelpFiles, FileInTheDirectoryIsTestedOnceForTheSamePathAndLanguage) {
  const std::string dir = WriteDevice("present", "<HELPFILE FREF=\"manual.pdf\" ANCHORS=\"EQTOHELPTOPIC\"/>");
  const RemovedAtEnd cleanup{dir};
  Touch(dir + "manual.pdf");
  CDDModel model;
  ASSERT_EQ(LoadDevice(model, dir, u"en"), 0);
  model.SetSDKInitialization(u"HelpApplication=hv|HelpParameter=-p");

  const Help found{0, FromNarrow(dir + "manual.pdf"), kEQTOHELPTOPIC};
  EXPECT_EQ(Ask(model, kHELPDTM), found);
  fs::remove(dir + "manual.pdf");  // not noticed: the cache holds the first test's outcome
  EXPECT_EQ(Ask(model, kHELPDTM), found);
  std::u16string application, parameter;
  model.GetSDKInitHelp(application, parameter);
  EXPECT_EQ(application + parameter, u"hv-p");
}

TEST(HelpFiles, UrlsAreHandedOutUnchangedWithTheirAnchor) {
  const std::string dir = WriteDevice("url",
                                      "<HELPFILE FREF=\"http://x.example/h\" ANCHORS=\"EQTOID\"/>"
                                      "<UIHELPFILE FREF=\"https://x.example/ui\" ANCHORS=\"EQTOHELPTOPIC\"/>");
  const RemovedAtEnd cleanup{dir};
  CDDModel model;
  ASSERT_EQ(LoadDevice(model, dir, u"en"), 0);
  EXPECT_EQ(Ask(model, kHELPDTM), Help(0, u"http://x.example/h", kEQTOID));
  EXPECT_EQ(Ask(model, kHELPUI), Help(0, u"https://x.example/ui", kEQTOHELPTOPIC));
}

// One test for every fall-back to the default help files, which live next to
// the component module (the test program itself, which links the model in).
TEST(HelpFiles, MissingFileFallsBackToLanguageDefaultThenEnglishDefaultThenNothing) {
  const std::string moduleDir = fs::read_symlink("/proc/self/exe").parent_path().string() + "/";
  const std::string language = "zz" + std::to_string(getpid());
  const std::string languageDefault = moduleDir + "default_device_help_" + language + ".pdf";
  const std::string englishDefault = moduleDir + "default_device_help_en.pdf";
  if (fs::exists(englishDefault)) GTEST_SKIP() << "an English default help file is installed: " << englishDefault;

  // "HTTP://" is no URL (the prefix test is case-sensitive): a missing file.
  const std::string dir = WriteDevice("missing", "<HELPFILE FREF=\"HTTP://missing.pdf\" ANCHORS=\"EQTOID\"/>");
  const RemovedAtEnd cleanup{dir}, cleanupNone{WriteDevice("none", "")};
  CDDModel model;
  ASSERT_EQ(LoadDevice(model, dir, FromNarrow(language)), 0);
  model.SetSDKInitialization(u"HelpApplication=hv");
  const RemovedAtEnd removeLanguageDefault{languageDefault}, removeEnglishDefault{englishDefault};
  Touch(languageDefault);
  Touch(englishDefault);

  EXPECT_EQ(Ask(model, kHELPDTM), Help(0, FromNarrow(languageDefault), kNO));  // 0: the reference was there
  std::u16string application = u"keep", parameter = u"keep";
  model.GetSDKInitHelp(application, parameter);
  EXPECT_EQ(application + parameter, u"");

  model.SetLanguage(u"zz-none");
  EXPECT_EQ(Ask(model, kHELPDTM), Help(0, FromNarrow(englishDefault), kNO));
  fs::remove(englishDefault);
  fs::remove(languageDefault);
  EXPECT_EQ(Ask(model, kHELPDTM), Help(0, FromNarrow(englishDefault), kNO));  // same path and language: cached
  model.SetLanguage(u"zz-other");
  EXPECT_EQ(Ask(model, kHELPDTM), Help(0, u"", kNO));

  CDDModel noReference;
  ASSERT_EQ(LoadDevice(noReference, cleanupNone.path, u"en"), 0);
  EXPECT_EQ(Ask(noReference, kHELPUI), Help(-1, u"", kNO));
}

}  // namespace
