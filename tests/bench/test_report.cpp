// The benchmark table's judgement: each large device's figure against its target, bounds included or not.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host.h"
#include "report.h"

namespace {

// A device whose figures are given as ratios: the floor takes 1 s a parse, the file is 20 bytes.
k42bench::DeviceFigures Device(const std::string& name, bool distinctTexts, double initOverFloor, uint64_t kept) {
  k42bench::DeviceFigures f;
  f.name = name;
  f.scale.distinctTexts = distinctTexts;
  f.xmlBytes = 20;
  f.keptBytes = kept;
  f.domWarm = f.saxWarm = f.domCold = f.saxCold = 1;
  f.initWarm = f.initCold = 2 * initOverFloor;
  f.languageWarm = f.languageCold = 1;
  f.domPeak = f.loadPeak = 100;
  for (const k42bench::Query& query : k42bench::Queries()) f.queryMicros[query.name] = 1;
  return f;
}

std::string RowOf(const std::string& table, const std::string& figure) {
  std::istringstream lines(table);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("| " + figure + " |", 0) == 0) return line;
  }
  return "";
}

// A bound given as "≤" holds at the bound itself, "<" does not; a miss names the device that missed, and the
// text-heavy device is held to its own memory bound.
TEST(BenchReport, EachLargeDeviceMeetsOrMissesItsOwnTarget) {
  const k42bench::DeviceFigures small = Device("small", false, 1, 40);
  const std::vector<k42bench::DeviceFigures> large = {Device("large", false, 1.10, 30),
                                                      Device("text-heavy", true, 1.11, 47)};
  testing::internal::CaptureStdout();
  const int missed = k42bench::PrintTable(small, large, 5, 3);
  const std::string table = testing::internal::GetCapturedStdout();

  EXPECT_EQ(missed, 2);
  EXPECT_NE(table.find("2 target(s) not met."), std::string::npos);
  const std::string init = RowOf(table, "`Initialize` / floor (DOM + SAX2), warm");
  EXPECT_NE(init.find("| 1.10× |  | 1.11× |  | ≤ 1.10× | **not met**: text-heavy |"), std::string::npos) << init;
  const std::string kept = RowOf(table, "memory kept / GUI XML file size");
  EXPECT_NE(kept.find("| ≤ 1.50× (large), < 2.35× (text-heavy) | **not met**: text-heavy |"), std::string::npos)
      << kept;
  EXPECT_NE(RowOf(table, "`OnLanguageIDChange` / SAX2 floor, warm").find("| ≤ 1.20× | met |"), std::string::npos);
  EXPECT_NE(RowOf(table, "`GetDisplayItems`").find("| ≤ 8.00 µs, ≤ 3.00× | met |"), std::string::npos);
}

}  // namespace
