// Loading and query benchmarks.
//
// Targets (on the 2-core reference machine, warm figures, i.e. after a first
// parse in the same process has faulted in the allocator's memory):
//   - the demo device loads in under 50 ms;
//   - a synthetic device of about 2 MB loads in under 1.5 s (Xerces' live node
//     lists make a careless reader quadratic: this catches it);
//   - GetDisplayItems and GetItemInfo answer in under 50 us.
// "cold" benchmarks run the first parse of a fresh model only once.
#include <benchmark/benchmark.h>

#include <map>

#include <k42gui/winuser.h>

#include "model/DDModel.h"
#include "platform/text.h"
#include "synthetic_device.h"

namespace {

int SilentBox(HWND, LPCWSTR, LPCWSTR, UINT, void*) { return IDOK; }

const k42bench::SyntheticDevice& Device(int scale) {
  static std::map<int, k42bench::SyntheticDevice> devices;
  auto found = devices.find(scale);
  if (found == devices.end()) found = devices.emplace(scale, k42bench::WriteSyntheticDevice(scale, 10, 20)).first;
  return found->second;
}

// Registered first, so that it runs the first parse of the process.
void BM_LoadSyntheticCold(benchmark::State& state) {
  const auto& device = Device(16);
  const std::u16string directory = k42::FromNarrow(device.directory);
  for (auto _ : state) {
    CDDModel model;
    model.Initialize(directory, u"device.xml", u"device_loc.xml", u"en", 1, nullptr);
  }
}
BENCHMARK(BM_LoadSyntheticCold)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LoadDemo(benchmark::State& state) {
  K42SetMessageBoxHandler(&SilentBox, nullptr);
  const std::u16string directory = k42::FromNarrow(std::string(K42GUI_SOURCE_DIR) + "/examples/demo/");
  for (auto _ : state) {
    CDDModel model;
    if (model.Initialize(directory, u"demo.xml", u"demo_loc.xml", u"en", 2, nullptr) != 0) {
      state.SkipWithError("the demo device did not load");
      break;
    }
  }
}
BENCHMARK(BM_LoadDemo)->Unit(benchmark::kMillisecond);

void BM_LoadSynthetic(benchmark::State& state) {
  const auto& device = Device(static_cast<int>(state.range(0)));
  const std::u16string directory = k42::FromNarrow(device.directory);
  for (auto _ : state) {
    CDDModel model;
    if (model.Initialize(directory, u"device.xml", u"device_loc.xml", u"de", 1, nullptr) != 0) {
      state.SkipWithError("the synthetic device did not load");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * device.xmlBytes));
  state.counters["xml_kib"] = static_cast<double>(device.xmlBytes) / 1024.0;
}
BENCHMARK(BM_LoadSynthetic)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_Queries(benchmark::State& state) {
  const auto& device = Device(4);
  CDDModel model;
  model.Initialize(k42::FromNarrow(device.directory), u"device.xml", u"device_loc.xml", u"en", 1, nullptr);
  for (auto _ : state) {
    std::u16string label, image, displayId, icon;
    int32_t type = 0, rwro = 0, itemType = 0, conditional = 0;
    std::vector<CDDDisplayItem> items;
    model.GetDisplayItems(u"mod3", u"d3_9", label, type, image, items, rwro);
    model.GetItemInfo(u"mod3", u"m3_9", u"v3_9_19", label, displayId, icon, itemType, conditional);
    benchmark::DoNotOptimize(items.data());
  }
}
BENCHMARK(BM_Queries)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
