// Loading and switching the language of a large device run on the caller's thread only.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "loading/DDModel.h"
#include "platform/text.h"
#include "support/test_paths.h"

namespace {

namespace fs = std::filesystem;

size_t ThreadCount() {
  size_t count = 0;
  for ([[maybe_unused]] const auto& task : fs::directory_iterator("/proc/self/task")) ++count;
  return count;
}

// A model that counts the process's threads from inside the reader's callbacks, while the texts are applied.
class ThreadCountingModel : public CDDModel {
 public:
  void characters(const XMLCh* chars, const XMLSize_t length) override {
    if (m_calls++ % 32 == 0) {
      m_most = std::max(m_most, ThreadCount());
      ++m_samples;
    }
    CDDModel::characters(chars, length);
  }
  void Restart() { m_calls = m_samples = m_most = 0; }

  size_t m_calls = 0, m_samples = 0, m_most = 0;
};

// A device of `variables` enumerated variables and its localized file in English (the default) and German,
// each variable with a label, a tooltip and three item texts; the last variable's English label is long.
std::string WriteLargeDevice(int variables, const std::string& longLabel) {
  const std::string schemas = std::string(K42GUI_SOURCE_DIR) + "/schemas/";
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tv:GUIXML xmlns:tv=\"urn:k42gui:guixml\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:schemaLocation=\"urn:k42gui:guixml " +
      schemas + "guixml.xsd\">\n";
  for (int i = 0; i < variables; ++i) {
    xml += "<VAR_DEC VAR_ID=\"var" + std::to_string(i) +
           "\"><DATATYPE>DD_ENUM8</DATATYPE><ENUM_ITEM VALUE=\"0\"/><ENUM_ITEM VALUE=\"1\"/>"
           "<ENUM_ITEM VALUE=\"2\"/></VAR_DEC>\n";
  }
  xml +=
      "<FUNCTION_ID ID=\"1\"><MODULE MOD_REF=\"modMain\"/></FUNCTION_ID>\n"
      "<MODULE_DEC MOD_ID=\"modMain\" MOD_INTEGRATION=\"TAB\"><NAVIGATION_AREA/></MODULE_DEC>\n</tv:GUIXML>\n";
  std::string loc =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<LANGUAGE_SUPPORT "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xsi:noNamespaceSchemaLocation=\"" +
      schemas + "guixml-loc.xsd\">\n";
  for (const std::string language : {"en", "de"}) {
    loc += "<LANG ID=\"" + language + "\"" + (language == "en" ? " DEFAULT=\"1\"" : "") + "><SCOPE ID=\"GLOBAL\">\n";
    for (int i = 0; i < variables; ++i) {
      const std::string label = language == "en" && i + 1 == variables ? longLabel : "Parameter " + std::to_string(i);
      loc += "<ID NAME=\"var" + std::to_string(i) + "\"><LABEL>" + label + " " + language + "</LABEL><TOOLTIP>Tip " +
             language + "</TOOLTIP><ENUM ID=\"0\" LEGEND=\"Off\">Off " + language + "</ENUM><ENUM ID=\"1\">On " +
             language + "</ENUM><ENUM ID=\"2\">Auto " + language + "</ENUM></ID>\n";
    }
    loc += "</SCOPE></LANG>\n";
  }
  loc += "</LANGUAGE_SUPPORT>\n";
  k42test::WriteTempFile("large/device_loc.xml", loc);
  return fs::path(k42test::WriteTempFile("large/device.xml", xml)).parent_path().string() + "/";
}

std::u16string Label(const CDDModel& model, const std::u16string& id) {
  std::u16string text;
  model.GetGlobalLabel(id, text);
  return text;
}

TEST(LocalizedThreads, LoadAndLanguageSwitchOfALargeDeviceStartNoThread) {
  const int variables = 12000;
  const std::string longLabel(100000, 'x');  // reaches the content handler in several pieces
  const std::string directory = WriteLargeDevice(variables, longLabel);
  const size_t before = ThreadCount();

  ThreadCountingModel model;
  ASSERT_EQ(model.Initialize(k42::FromNarrow(directory), u"device.xml", u"device_loc.xml", u"en", 1, nullptr), 0);
  EXPECT_GT(model.m_samples, 1000u);
  EXPECT_LE(model.m_most, before) << "a thread ran beside the load";
  const std::u16string last = u"var" + k42::FromNarrow(std::to_string(variables - 1));
  EXPECT_EQ(Label(model, last), k42::FromNarrow(longLabel + " en"));  // every piece, in order

  // The texts go to the model's pool, once each: the new labels, and four texts that every variable repeats.
  const size_t pooled = model.Texts().Count();
  model.Restart();
  ASSERT_EQ(model.ChangeLanguage(u"de", nullptr), 0);
  EXPECT_EQ(model.Texts().Count() - pooled, static_cast<size_t>(variables) + 4);
  EXPECT_GT(model.m_samples, 1000u);
  EXPECT_LE(model.m_most, before) << "a thread ran beside the language switch";
  EXPECT_EQ(Label(model, last), u"Parameter " + k42::FromNarrow(std::to_string(variables - 1)) + u" de");
  EXPECT_EQ(Label(model, u"var0"), u"Parameter 0 de");
  EXPECT_EQ(Label(model, u"var12"), u"Parameter 12 de");
}

}  // namespace
