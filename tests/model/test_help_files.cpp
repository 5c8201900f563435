// Help file resolution: file next to the device files, URLs, the default
// device help next to the component module, and the cache of file tests.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
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
        " xsi:schemaLocation=\"urn:k42gui:guixml " + kSchemas + "guixml.xsd\">\n"
        " <FUNCTION_ID ID=\"1\"><MODULE MOD_REF=\"modMain\"/></FUNCTION_ID>\n</tv:GUIXML>\n";
    const std::string loc =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<LANGUAGE_SUPPORT xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"\n"
        " xsi:noNamespaceSchemaLocation=\"" + kSchemas + "guixml-loc.xsd\">\n"
        " <LANG ID=\"en\" DEFAULT=\"1\">" + helpElements + "</LANG>\n</LANGUAGE_SUPPORT>\n";
    k42test::WriteTempFile(name + "/device_loc.xml", loc);
    return fs::path(k42test::WriteTempFile(name + "/device.xml", xml)).parent_path().string() + "/";
}

int32_t LoadDevice(CDDModel& model, const std::string& directory, const std::u16string& language) {
    return model.Initialize(FromNarrow(directory), u"device.xml", u"device_loc.xml", language, 1, nullptr);
}

struct Help {
    int32_t result;
    std::u16string path;
    int32_t anchor;
};

Help Ask(CDDModel& model, int32_t type) {
    Help help{0, u"", -1};
    help.result = model.GetHelpFilePath(type, help.path, help.anchor);
    return help;
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

    Help help = Ask(model, kHELPDTM);
    EXPECT_EQ(help.result, 0);
    EXPECT_EQ(help.path, FromNarrow(dir + "manual.pdf"));
    EXPECT_EQ(help.anchor, kEQTOHELPTOPIC);

    fs::remove(dir + "manual.pdf");  // not noticed: the cache holds the first test's outcome
    help = Ask(model, kHELPDTM);
    EXPECT_EQ(help.path, FromNarrow(dir + "manual.pdf"));
    EXPECT_EQ(help.anchor, kEQTOHELPTOPIC);
    std::u16string application, parameter;
    model.GetSDKInitHelp(application, parameter);
    EXPECT_EQ(application + parameter, u"hv-p");
}

TEST(HelpFiles, UrlsAreHandedOutUnchangedWithTheirAnchor) {
    const std::string dir = WriteDevice("url", "<HELPFILE FREF=\"http://x.example/h\" ANCHORS=\"EQTOID\"/>"
                                               "<UIHELPFILE FREF=\"https://x.example/ui\" ANCHORS=\"EQTOHELPTOPIC\"/>");
    const RemovedAtEnd cleanup{dir};
    CDDModel model;
    ASSERT_EQ(LoadDevice(model, dir, u"en"), 0);
    Help dtm = Ask(model, kHELPDTM);
    EXPECT_EQ(dtm.path, u"http://x.example/h");
    EXPECT_EQ(dtm.anchor, kEQTOID);
    Help ui = Ask(model, kHELPUI);
    EXPECT_EQ(ui.result, 0);
    EXPECT_EQ(ui.path, u"https://x.example/ui");
    EXPECT_EQ(ui.anchor, kEQTOHELPTOPIC);
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

    Help help = Ask(model, kHELPDTM);
    EXPECT_EQ(help.result, 0);  // the reference was there
    EXPECT_EQ(help.path, FromNarrow(languageDefault));
    EXPECT_EQ(help.anchor, kNO);
    std::u16string application = u"keep", parameter = u"keep";
    model.GetSDKInitHelp(application, parameter);
    EXPECT_EQ(application + parameter, u"");

    model.SetLanguage(u"zz-none");
    EXPECT_EQ(Ask(model, kHELPDTM).path, FromNarrow(englishDefault));
    fs::remove(englishDefault);
    fs::remove(languageDefault);
    EXPECT_EQ(Ask(model, kHELPDTM).path, FromNarrow(englishDefault));  // same path and language: cached

    model.SetLanguage(u"zz-other");
    help = Ask(model, kHELPDTM);
    EXPECT_EQ(help.path, u"");
    EXPECT_EQ(help.anchor, kNO);

    CDDModel noReference;
    ASSERT_EQ(LoadDevice(noReference, cleanupNone.path, u"en"), 0);
    help = Ask(noReference, kHELPUI);
    EXPECT_EQ(help.result, -1);
    EXPECT_EQ(help.path, u"");
    EXPECT_EQ(help.anchor, kNO);
}

}  // namespace
