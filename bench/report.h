// The figures of one measured device, and the table that sets the large devices' figures beside their targets.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "measure.h"
#include "synthetic_device.h"

namespace k42bench {

struct DeviceFigures {
  std::string name;  // as the table heads its column: "small", "large", "text-heavy"
  DeviceScale scale;
  uint64_t xmlBytes = 0, locBytes = 0;
  double domWarm = 0, saxWarm = 0, initWarm = 0, languageWarm = 0;
  double domCold = 0, saxCold = 0, initCold = 0, languageCold = 0;
  uint64_t keptBytes = 0, domPeak = 0, loadPeak = 0;
  std::optional<ChildRun> inspector;
  std::map<std::string, double> queryMicros;
};

// Prints one markdown table: the small device, then each large device with its growth over the small one;
// every target applies to each large device, and the last column says whether all of them meet it.
// Returns the number of targets some large device misses.
int PrintTable(const DeviceFigures& small, const std::vector<DeviceFigures>& large, int rounds, int coldRuns);

}  // namespace k42bench
