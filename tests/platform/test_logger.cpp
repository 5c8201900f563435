// Logger: Windows wide-printf formats and where the lines go.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <k42gui/Logger.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/log_capture.h"

namespace {

using ::testing::ElementsAre;

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string(name) + std::to_string(getpid()))).string();
}

TEST(LoggerFormat, FollowsWindowsWidePrintf) {
  k42test::LogCapture capture;
  const WCHAR* nullText = nullptr;
  Logger::Log(u"Parsing file : %s", u"C:\\dtm\\gui.xml");
  Logger::Log(u"%s|%S|%hs|%ls", u"wide \u00e4", "narrow \xc3\xa4", "h", u"l");
  Logger::Log(u"%s", nullText);
  Logger::Log(u" XMLERROR:  %ld(%ld) : %s\n", LONG(12), LONG(-3), u"bad");
  Logger::Log(u"[%5d][%-5d][%05d][%+d][%.3d]", 42, 42, 42, 42, 7);
  Logger::Log(u"%x %X %#x %o %u", 255, 255, 255, 8, -1);
  Logger::Log(u"%hd %lld %I64d %zu", 70000, -5000000000LL, 5000000000LL, size_t(7));
  Logger::Log(u"%c%c %C", u'\u00c4', u'x', 'n');
  Logger::Log(u"[%6s][%-4s][%.2s][%*d][%.*s]", u"ab", u"ab", u"abcdef", 4, 9, 1, u"xyz");
  Logger::Log(u"%5.2f %e 100%%", 3.14159, 1.5);
  Logger::Log(u"%p", reinterpret_cast<void*>(0xABCDEF));
  Logger::Log(u"%y and a lone %");
  Logger::Log(u"%s", u"\U0001D11E clef");
  EXPECT_THAT(capture.Utf8Lines(),
              ElementsAre("Parsing file : C:\\dtm\\gui.xml", "wide \xc3\xa4|narrow \xc3\xa4|h|l", "(null)",
                          " XMLERROR:  12(-3) : bad\n", "[   42][42   ][00042][+42][007]", "ff FF 0xff 10 4294967295",
                          "4464 -5000000000 5000000000 7", "\xc3\x84x n", "[    ab][ab  ][ab][   9][x]",
                          " 3.14 1.500000e+00 100%", "0000000000ABCDEF", "%y and a lone %", "\xf0\x9d\x84\x9e clef"));
}

TEST(LoggerFormat, PercentInArgumentIsNotInterpreted) {
  k42test::LogCapture capture;
  Logger::Log(u"%d error(s) found while parsing file:\n %s", 2, u"100% %d %s.xml");
  EXPECT_THAT(capture.Lines(), ElementsAre(u"2 error(s) found while parsing file:\n 100% %d %s.xml"));
}

TEST(LoggerRouting, SinkFileStandardErrorAndInactive) {
  std::string path = TempPath("k42gui-log-");
  std::remove(path.c_str());
  int previous = Logger::m_bActiveLog;
  Logger::m_bActiveLog = 1;

  Logger::SetLogFile(path.c_str());
  Logger::Log(u"first %d", 1);
  Logger::Log(u"second \u00df\n");
  EXPECT_EQ(ReadFile(path), "first 1\nsecond \xc3\x9f\n");

  {
    k42test::LogCapture capture;  // a sink takes the lines instead of the file
    Logger::Log(u"to the sink");
    EXPECT_THAT(capture.Lines(), ElementsAre(u"to the sink"));
  }
  EXPECT_EQ(ReadFile(path), "first 1\nsecond \xc3\x9f\n");

  Logger::SetLogFile(nullptr);
  ::testing::internal::CaptureStderr();
  Logger::Log(u"to standard error %s", u"\u20ac");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "to standard error \xe2\x82\xac\n");

  Logger::m_bActiveLog = 0;
  ::testing::internal::CaptureStderr();
  Logger::Log(u"dropped");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  {
    k42test::LogCapture capture;
    Logger::m_bActiveLog = 0;
    Logger::Log(u"dropped too");
    EXPECT_TRUE(capture.Lines().empty());
  }
  Logger::m_bActiveLog = previous;
  std::remove(path.c_str());
}

// The start-up state comes from K42GUI_LOG, so it is checked in a fresh
// process: the "threadsafe" death-test style runs this program again.
TEST(LoggerStartup, EnvironmentSelectsActivityAndFile) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  std::string path = TempPath("k42gui-startup-log-");
  std::remove(path.c_str());

  setenv("K42GUI_LOG", path.c_str(), 1);
  EXPECT_EXIT(
      {
        Logger::Log(u"started %d", 7);
        std::exit(Logger::m_bActiveLog == 1 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile(path), "started 7\n");

  setenv("K42GUI_LOG", "0", 1);
  EXPECT_EXIT(std::exit(Logger::m_bActiveLog), ::testing::ExitedWithCode(0), "");
  setenv("K42GUI_LOG", "1", 1);
  EXPECT_EXIT(
      {
        Logger::Log(u"on standard error");
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "on standard error");
  unsetenv("K42GUI_LOG");
  std::remove(path.c_str());
}

}  // namespace
