// The hand-over of the localized file's events: same events, same order, same stops, on either thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include "localization/LocFeed.h"
#include "model/ParserSettings.h"
#include "support/test_paths.h"

namespace {

using k42::LocElement;
using k42::LocFeed;

// Writes down every event as one line, and throws at the event numbered failAt (counting from 1).
class RecordingApplier : public k42::LocApplier {
 public:
  explicit RecordingApplier(size_t failAt = 0) : m_failAt(failAt) {}
  void ApplyStart(LocElement element, const std::u16string_view (&attributes)[k42::kLocAttributes]) override {
    std::u16string line = u"start " + std::u16string(1, static_cast<char16_t>(u'0' + static_cast<int>(element)));
    for (std::u16string_view attribute : attributes) line += u"|" + std::u16string(attribute);
    Add(line);
  }
  void ApplyEnd(LocElement element) override {
    Add(u"end " + std::u16string(1, static_cast<char16_t>(u'0' + static_cast<int>(element))));
  }
  void ApplyCharacters(std::u16string_view text) override { Add(u"text " + std::u16string(text)); }
  void BeginOnThisThread() override { ++begun; }
  void EndOnThisThread() override { ++ended; }

  std::vector<std::u16string> lines;
  int begun = 0, ended = 0;

 private:
  void Add(std::u16string line) {
    if (lines.size() + 1 == m_failAt) throw std::runtime_error("applier failed");
    lines.push_back(std::move(line));
  }
  size_t m_failAt;
};

// The reader's side, as the model's content handler is: every callback goes to the feed.
class FeedingHandler : public xercesc::DefaultHandler {
 public:
  explicit FeedingHandler(LocFeed& feed) : m_feed(feed) {}
  void startElement(const XMLCh*, const XMLCh* localName, const XMLCh*,
                    const xercesc::Attributes& attributes) override {
    m_feed.Start(localName, attributes);
  }
  void endElement(const XMLCh*, const XMLCh* localName, const XMLCh*) override { m_feed.End(localName); }
  void characters(const XMLCh* text, const XMLSize_t length) override { m_feed.Characters(text, length); }

 private:
  LocFeed& m_feed;
};

// Reads path through a feed in mode; "failed: ..." when the read stopped on a throw.
std::string ReadPath(const std::string& path, const std::u16string& language, LocFeed::Mode mode,
                     RecordingApplier& applier, bool finish = true) {
  xercesc::XMLPlatformUtils::Initialize();
  std::string outcome = "read";
  {
    LocFeed feed(applier, language, mode);
    FeedingHandler handler(feed);
    std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader());
    k42::ApplyLocalizedFileSettings(*reader);
    reader->setContentHandler(&handler);
    try {
      reader->parse(path.c_str());
      if (finish) feed.Finish();
    } catch (const std::exception& e) {
      outcome = std::string("failed: ") + e.what();
    }
  }
  xercesc::XMLPlatformUtils::Terminate();
  return outcome;
}

// The same for a file under the test data.
std::string Read(const std::string& file, const std::u16string& language, LocFeed::Mode mode, RecordingApplier& applier,
                 bool finish = true) {
  return ReadPath(k42test::DataPathNarrow(file), language, mode, applier, finish);
}

TEST(LocFeed, BothThreadsSeeTheSameEventsOfTheBlocksThatApply) {
  struct Case {
    const char* file;
    std::u16string language;
  };
  const Case cases[] = {
      {"localization/scopes_loc.xml", u"en"},               // scopes, ids, variants, tooltips, help files
      {"localization/default_first_loc.xml", u"de"},        // the default block, then the one asked for
      {"localization/enum_loc.xml", u"de"},                 // enumeration texts with legends and keys
      {"localization/text_between_blocks_loc.xml", u"en"},  // text outside the blocks
  };
  for (const Case& c : cases) {
    RecordingApplier inlineApplier, threadedApplier;
    EXPECT_EQ(Read(c.file, c.language, LocFeed::Mode::kInline, inlineApplier), "read") << c.file;
    EXPECT_EQ(Read(c.file, c.language, LocFeed::Mode::kThreaded, threadedApplier), "read") << c.file;
    EXPECT_FALSE(inlineApplier.lines.empty()) << c.file;
    EXPECT_EQ(inlineApplier.lines, threadedApplier.lines) << c.file;
    EXPECT_EQ(inlineApplier.begun + inlineApplier.ended + threadedApplier.begun + threadedApplier.ended, 4);
  }

  // Of the blocks that do not apply nothing arrives; text before the block that applies does, once.
  RecordingApplier applier;
  Read("localization/text_between_blocks_loc.xml", u"en", LocFeed::Mode::kThreaded, applier);
  const std::vector<std::u16string> expected = {
      u"start 1|||", u"end 2",  // the ends of the blocks change the applier's state too
      u"text kept ", u"start 2|1||",    u"start 3|GLOBAL||", u"start 4|lblA||", u"start 5|||", u"text Alpha", u"end 5",
      u"end 4",      u"start 4|lblB||", u"start 5|||",       u"text Bravo",     u"end 5",      u"end 4",      u"end 3",
      u"end 2",      u"end 1",
  };
  EXPECT_EQ(applier.lines, expected);
}

TEST(LocFeed, ManyEventsAndLongTextsCrossInTheSameOrder) {
  // Enough events for many batches (the reader waits for the applier now and then), and texts longer than a
  // batch and than a short length.
  std::string xml = "<LANGUAGE_SUPPORT><LANG ID=\"en\" DEFAULT=\"1\"><SCOPE ID=\"GLOBAL\">";
  for (int i = 0; i < 20000; ++i) {
    xml += "<ID NAME=\"id" + std::to_string(i) + "\"><LABEL>text " + std::to_string(i) + "</LABEL></ID>";
  }
  const std::string longText(300000, 'x'), longLegend(40000, 'y');
  xml += "<ID NAME=\"long\"><LABEL>" + longText + "</LABEL><ENUM ID=\"1\" LEGEND=\"" + longLegend + "\">z</ENUM></ID>";
  xml += "</SCOPE></LANG></LANGUAGE_SUPPORT>";
  const std::string path = k42test::WriteTempFile("many_loc.xml", xml);

  RecordingApplier inlineApplier, threadedApplier;
  EXPECT_EQ(ReadPath(path, u"en", LocFeed::Mode::kInline, inlineApplier), "read");
  EXPECT_EQ(ReadPath(path, u"en", LocFeed::Mode::kThreaded, threadedApplier), "read");
  EXPECT_GT(inlineApplier.lines.size(), 100000u);
  EXPECT_TRUE(inlineApplier.lines == threadedApplier.lines);  // not printed: too long to read

  std::u16string label;  // the reader may hand a long text over in parts
  for (const std::u16string& line : threadedApplier.lines) {
    if (line.rfind(u"text xx", 0) == 0) label += line.substr(5);
  }
  EXPECT_EQ(label, std::u16string(longText.begin(), longText.end()));
  const std::u16string enumLine = u"start 8|1|" + std::u16string(longLegend.begin(), longLegend.end()) + u"|";
  EXPECT_NE(std::find(threadedApplier.lines.begin(), threadedApplier.lines.end(), enumLine),
            threadedApplier.lines.end());
}

TEST(LocFeed, AnApplierThatThrowsStopsTheReadWhereItThrew) {
  for (const LocFeed::Mode mode : {LocFeed::Mode::kInline, LocFeed::Mode::kThreaded}) {
    RecordingApplier complete, failing(5);
    Read("localization/scopes_loc.xml", u"en", mode, complete);
    EXPECT_EQ(Read("localization/scopes_loc.xml", u"en", mode, failing), "failed: applier failed");
    ASSERT_EQ(failing.lines.size(), 4u);
    EXPECT_TRUE(std::equal(failing.lines.begin(), failing.lines.end(), complete.lines.begin()));
  }

  // A reader that stops for its own reasons leaves everything before the stop applied.
  RecordingApplier complete, unfinished;
  Read("localization/scopes_loc.xml", u"en", LocFeed::Mode::kInline, complete);
  Read("localization/scopes_loc.xml", u"en", LocFeed::Mode::kThreaded, unfinished, false);
  EXPECT_EQ(unfinished.lines, complete.lines);
}

}  // namespace
