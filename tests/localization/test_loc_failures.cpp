// A missing, broken or hostile localized file fails the read and keeps what was applied before.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <tuple>

#include "loading/DDModel.h"
#include "platform/text.h"
#include "support/log_capture.h"
#include "support/test_paths.h"

namespace {

using k42test::Load;

bool Logged(const k42test::LogCapture& log, const std::u16string& text) {
  const auto lines = log.Lines();
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::u16string& line) { return line.find(text) != std::u16string::npos; });
}

std::u16string Label(const CDDModel& model, const std::u16string& id) {
  std::u16string text;
  model.GetGlobalLabel(id, text);
  return text;
}

TEST(LocalizedFileFailures, MissingFileFailsTheLoadButKeepsTheGuiXmlAndBuiltinTexts) {
  k42test::LogCapture log;
  testing::internal::CaptureStderr();
  CDDModel model;
  EXPECT_EQ(Load(model, "localization/device.xml", "localization/no_such_loc.xml"), kParseLocFileFailed);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("CDDParserXML: ParseLocFile failed!\n"), std::string::npos);
  EXPECT_TRUE(Logged(log, u"Parsing file : " + k42test::DataPath("localization/no_such_loc.xml")));
  EXPECT_TRUE(Logged(log, u"CDDParserXML: ParseLocFile() failed!"));
  EXPECT_EQ(model.Labels().size(), 7u);
  std::u16string text;
  EXPECT_EQ(model.GetGuiLabel(u"toolInfoRangeTo", text), 0);
  EXPECT_EQ(text, u"up to ");
}

TEST(LocalizedFileFailures, BrokenFileKeepsTheTextsAppliedBeforeTheError) {
  CDDModel model;
  EXPECT_EQ(Load(model, "localization/device.xml", "localization/broken_loc.xml"), kParseLocFileFailed);
  EXPECT_EQ(Label(model, u"lblA"), u"Alpha");
  EXPECT_EQ(Label(model, u"lblB"), u"");

  // A switch to a language read from a broken file keeps the new identifier.
  EXPECT_EQ(model.ChangeLanguage(u"de", nullptr), -5);
  EXPECT_EQ(model.Language(), u"de");
}

TEST(LocalizedFileFailures, HostileFilesFailQuicklyWithoutReadingOutside) {
  const std::tuple<const char*, std::u16string, std::u16string> cases[] = {
      {"localization/billion_laughs_loc.xml", u"", u"document type declaration refused"},
      {"localization/external_entity_loc.xml", u"", u"document type declaration refused"},
      {"localization/doctype_stray_loc.xml", u"", u"document type declaration refused"},
      {"localization/dtd_entity_loc.xml", u"", u"document type declaration refused"},
  };
  for (const auto& [file, lblA, logged] : cases) {
    k42test::LogCapture log;
    CDDModel model;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Load(model, "localization/device.xml", file), kParseLocFileFailed) << file;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << file;
    EXPECT_EQ(Label(model, u"lblA"), lblA) << file;
    EXPECT_TRUE(logged.empty() || Logged(log, logged)) << file;
  }
}

// Nesting past the bound stops the read at that depth, with the texts applied before it kept.
TEST(LocalizedFileFailures, NestingPastTheBoundIsRefused) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LANGUAGE_SUPPORT><LANG ID=\"en\" DEFAULT=\"1\">"
      "<SCOPE ID=\"GLOBAL\"><ID NAME=\"lblA\"><LABEL>Alpha</LABEL></ID></SCOPE>";
  for (int i = 0; i < 100000; ++i) xml += "<SCOPE>";
  const std::string loc = k42test::WriteTempFile("deep_loc.xml", xml);
  k42test::LogCapture log;
  CDDModel model;
  EXPECT_EQ(
      model.Initialize(u"", k42test::DataPath("localization/device.xml"), k42::FromNarrow(loc), u"en", 1, nullptr),
      kParseLocFileFailed);
  EXPECT_EQ(Label(model, u"lblA"), u"Alpha");
  EXPECT_TRUE(Logged(log, u"elements nested deeper than 1000 levels refused"));
}

// Up to 1,000 attributes on one element are read, and attributes in a comment or a CDATA section are text;
// an element with more stops the read at its start tag, with the texts applied before it kept; one in the
// schema fails the read before any text is applied.
TEST(LocalizedFileBounds, AttributesOfOneElementAreBounded) {
  auto attributes = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += " a" + std::to_string(i) + "=''";
    return text;
  };
  const std::string fake = "<X" + attributes(2000) + ">";
  auto localized = [&](const std::string& last, const std::string& schema) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LANGUAGE_SUPPORT "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"" +
           schema + "\"><LANG ID=\"en\" DEFAULT=\"1\"" + attributes(998) + "><!-- " + fake +
           " --><SCOPE ID=\"GLOBAL\"><ID NAME=\"lblA\"><LABEL><![CDATA[" + fake + "]]></LABEL></ID>" + last +
           "</SCOPE></LANG></LANGUAGE_SUPPORT>\n";
  };
  auto load = [](CDDModel& model, const std::string& text) {
    const std::string loc = k42test::WriteTempFile("attributes_loc.xml", text);
    return model.Initialize(u"", k42test::DataPath("localization/device.xml"), k42::FromNarrow(loc), u"en", 1, nullptr);
  };

  const std::string locSchema = K42GUI_SOURCE_DIR "/schemas/guixml-loc.xsd";
  CDDModel atTheBound;
  EXPECT_EQ(load(atTheBound, localized("", locSchema)), 0);
  EXPECT_EQ(Label(atTheBound, u"lblA"), k42::FromNarrow(fake));

  k42test::LogCapture log;
  CDDModel model;
  EXPECT_EQ(load(model, localized("<ID NAME=\"lblB\"" + attributes(100000) + "/>", locSchema)), kParseLocFileFailed);
  EXPECT_EQ(Label(model, u"lblA"), k42::FromNarrow(fake));
  EXPECT_TRUE(Logged(log, u"elements with more than 1000 attributes refused"));

  k42test::LogCapture schemaLog;
  CDDModel wideSchema;
  const std::string schema = k42test::WriteTempFile(
      "wide_loc.xsd", "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\"" + attributes(100000) + "/>");
  EXPECT_EQ(load(wideSchema, localized("", schema)), kParseLocFileFailed);
  EXPECT_EQ(Label(wideSchema, u"lblA"), u"");
  EXPECT_TRUE(Logged(schemaLog, u"elements with more than 1000 attributes refused"));
}

}  // namespace
