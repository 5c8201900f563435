// The benchmark program: writes the synthetic devices, checks them, and measures loads, memory and queries.
//
//   k42gui-bench generate small|large|text-heavy DIR
//                                             writes a device into DIR
//   k42gui-bench check [DIR]                  writes the small devices of both shapes and checks that they
//                                             validate and every probe answers
//   k42gui-bench run --small DIR --large DIR [--text-heavy DIR] [--rounds N] [--cold N] [--inspect PATH]
//                                             measures the devices and prints one table (markdown); exits
//                                             with 1 when a target is not met
//   k42gui-bench cold dom|sax|load DIR        one cold measurement in a fresh process (run starts these)
//   k42gui-bench time PROGRAM [ARG...]        runs PROGRAM, prints its seconds, peak and exit code
//   k42gui-bench repeat dom|sax|load|switch|pair DIR N
//                                             does one thing N times in this process, for a profiler;
//                                             prints the median seconds, wall clock and processor time
//
// Warm figures are medians of rounds in one process after a first round that is thrown away, with the
// bare parses interleaved with the component's loads so that both meet the same allocator and caches.
// Cold figures (the first parse of a process, which also faults in the allocator's memory) and peaks
// come from fresh child processes.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>

#include <xercesc/util/PlatformUtils.hpp>

#include "floor.h"
#include "host.h"
#include "measure.h"
#include "report.h"
#include "synthetic_device.h"

namespace k42bench {
namespace {

constexpr const char* kUsage =
    "usage: k42gui-bench generate small|large|text-heavy DIR\n"
    "       k42gui-bench check [DIR]\n"
    "       k42gui-bench run --small DIR --large DIR [--text-heavy DIR] [--rounds N] [--cold N] [--inspect PATH]\n"
    "       k42gui-bench repeat dom|sax|load|switch|pair DIR N\n";

DeviceScale ScaleNamed(const std::string& name) {
  if (name == "small") return SmallScale();
  if (name == "large") return LargeScale();
  if (name == "text-heavy") return TextHeavyScale();
  throw std::invalid_argument("no device scale named " + name);
}

std::string WithSlash(const std::string& directory) {
  return directory.empty() || directory.back() == '/' ? directory : directory + "/";
}

std::string SelfPath() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

uint64_t FileBytes(const std::string& path) { return std::filesystem::file_size(path); }

// ---------------------------------------------------------------------------------------------------------
// One cold measurement, printed as "seconds peak-bytes [seconds-of-the-first-language-switch]".

int ColdChild(const std::string& kind, const std::string& directory) {
  const std::string dir = WithSlash(directory);
  if (kind == "dom" || kind == "sax") {
    size_t errors = 0;
    const double seconds = Seconds([&] {
      errors = kind == "dom" ? ParseGuiXmlDom(dir + "device.xml") : ParseLocalizedSax(dir + "device_loc.xml");
    });
    std::cout << seconds << ' ' << PeakResident() << '\n';
    return errors == 0 ? 0 : 1;
  }
  if (kind != "load") throw std::invalid_argument("no cold measurement named " + kind);
  ModelPtr model = CreateModel();
  const Bstr path(std::u16string(dir.begin(), dir.end())), xml(u"device.xml"), loc(u"device_loc.xml"), en(u"en"),
      de(u"de");
  HRESULT hr = S_FALSE;
  const double seconds = Seconds([&] { hr = model->Initialize(path.get(), xml.get(), loc.get(), en.get(), 1, 0); });
  const uint64_t peak = PeakResident();
  const double language = Seconds([&] { model->OnLanguageIDChange(de.get(), 0); });
  std::cout << seconds << ' ' << peak << ' ' << language << '\n';
  return hr == S_OK ? 0 : 1;
}

// One operation N times over, printing the median seconds of the clock and of this thread's processor time:
// a steady process for perf or heaptrack to watch, and an A/B comparison on a busy machine.
// "switch" loads once and then alternates the language between "de" and "fr". "pair" measures what the
// table's switch figure measures, a fresh model's first switch to "de", each beside a bare SAX2 parse in the
// same process, and prints the median of their ratios in processor time: the figure least moved by the
// machine's other work.
int Repeat(const std::string& kind, const std::string& directory, int times) {
  const std::string dir = WithSlash(directory);
  const Bstr path(std::u16string(dir.begin(), dir.end())), xml(u"device.xml"), loc(u"device_loc.xml"), en(u"en");
  const Bstr switches[] = {Bstr(u"de"), Bstr(u"fr")};
  ModelPtr model;
  if (kind == "switch") model = LoadDevice(dir);
  std::vector<double> seconds, cpu;
  const auto timed = [&](const auto& f) {
    double wall = 0;
    cpu.push_back(CpuSeconds([&] { wall = Seconds(f); }));
    seconds.push_back(wall);
  };
  for (int i = 0; i < times; ++i) {
    if (kind == "dom") {
      timed([&] { ParseGuiXmlDom(dir + "device.xml"); });
    } else if (kind == "sax") {
      timed([&] { ParseLocalizedSax(dir + "device_loc.xml"); });
    } else if (kind == "load") {
      ModelPtr loaded = CreateModel();
      timed([&] { loaded->Initialize(path.get(), xml.get(), loc.get(), en.get(), 1, 0); });
    } else if (kind == "switch") {
      timed([&] { model->OnLanguageIDChange(switches[i % 2].get(), 0); });
    } else if (kind == "pair") {
      const double floor = CpuSeconds([&] { ParseLocalizedSax(dir + "device_loc.xml"); });
      ModelPtr fresh = LoadDevice(dir);
      const double language = CpuSeconds([&] { fresh->OnLanguageIDChange(switches[0].get(), 0); });
      seconds.push_back(language);
      cpu.push_back(language / floor);
    } else {
      throw std::invalid_argument("nothing to repeat named " + kind);
    }
  }
  std::cout << Median(seconds) << ' ' << Median(cpu) << '\n';
  return 0;
}

// Runs a program from this small process, so that its maximum resident set is its own and not that of the
// benchmark process (a fork carries the parent's resident set into the child's figure); prints
// "seconds peak-bytes exit-code".
int TimeChild(const std::vector<std::string>& argv) {
  const ChildRun run = RunChild(argv, false);
  std::cout << run.seconds << ' ' << run.peakBytes << ' ' << run.exitCode << '\n';
  return 0;
}

// ---------------------------------------------------------------------------------------------------------
// Measurements of one device.

// Microseconds per call: batches of at least 2 ms, the fastest of seven (on a shared machine other work
// only ever adds time, so the fastest batch is the one nearest to the call's own cost).
double MicrosPerCall(const Query& query, IGuiXmlModel& model, const QueryArgs& args) {
  long rows = 0;
  for (int i = 0; i < 3; ++i) query.call(model, args, rows);
  size_t calls = 1;
  const auto batch = [&] {
    return Seconds([&] {
      for (size_t i = 0; i < calls; ++i) query.call(model, args, rows);
    });
  };
  while (batch() < 0.002 && calls < (size_t{1} << 22)) calls *= 2;
  std::vector<double> perCall;
  for (int i = 0; i < 7; ++i) perCall.push_back(batch() / static_cast<double>(calls) * 1e6);
  return *std::min_element(perCall.begin(), perCall.end());
}

// The devices loaded side by side, each query timed on one after the other, three times over, keeping the
// fastest: the growth ratios compare figures taken moments apart on this shared machine.
void MeasureQueries(std::vector<DeviceFigures*> devices, const std::vector<std::string>& directories) {
  struct Side {
    ModelPtr model;
    QueryArgs args;
    DeviceFigures& figures;
  };
  std::vector<std::unique_ptr<Side>> sides;
  for (size_t i = 0; i < devices.size(); ++i) {
    sides.push_back(std::unique_ptr<Side>(
        new Side{LoadDevice(directories[i]), QueryArgs(ProbesOf(devices[i]->scale)), *devices[i]}));
    const std::vector<std::string> failures = CheckQueries(*sides.back()->model, sides.back()->args);
    if (!failures.empty()) throw std::runtime_error(devices[i]->name + ": " + failures.front());
  }
  for (const Query& query : Queries()) {
    std::vector<std::vector<double>> passes(sides.size());
    for (int pass = 0; pass < 3; ++pass) {
      for (size_t i = 0; i < sides.size(); ++i) {
        passes[i].push_back(MicrosPerCall(query, *sides[i]->model, sides[i]->args));
      }
    }
    for (size_t i = 0; i < sides.size(); ++i) {
      sides[i]->figures.queryMicros[query.name] = *std::min_element(passes[i].begin(), passes[i].end());
    }
  }
}

void MeasureWarm(const std::string& dir, int rounds, DeviceFigures& figures) {
  const Bstr path(std::u16string(dir.begin(), dir.end())), xml(u"device.xml"), loc(u"device_loc.xml"), en(u"en");
  const Bstr switches[] = {Bstr(u"de"), Bstr(u"fr")};
  std::vector<double> dom, sax, init, language, kept;
  for (int round = 0; round <= rounds; ++round) {
    const double domSeconds = Seconds([&] { ParseGuiXmlDom(dir + "device.xml"); });
    const double saxSeconds = Seconds([&] { ParseLocalizedSax(dir + "device_loc.xml"); });
    const uint64_t before = HeapInUse();
    ModelPtr model = CreateModel();
    HRESULT hr = S_FALSE;
    const double initSeconds =
        Seconds([&] { hr = model->Initialize(path.get(), xml.get(), loc.get(), en.get(), 1, 0); });
    if (hr != S_OK) throw std::runtime_error(dir + ": Initialize answered " + std::to_string(hr));
    const double keptBytes = static_cast<double>(HeapInUse() - before);
    std::vector<double> switchSeconds;
    for (const Bstr& language : switches) {
      switchSeconds.push_back(Seconds([&] { hr = model->OnLanguageIDChange(language.get(), 0); }));
      if (hr != S_OK) throw std::runtime_error(dir + ": OnLanguageIDChange answered " + std::to_string(hr));
    }
    model.reset();
    if (round == 0) continue;  // the first round warms the allocator and the file cache
    dom.push_back(domSeconds);
    sax.push_back(saxSeconds);
    init.push_back(initSeconds);
    language.insert(language.end(), switchSeconds.begin(), switchSeconds.end());
    kept.push_back(keptBytes);
    std::cerr << '.' << std::flush;
  }
  figures.domWarm = Median(dom);
  figures.saxWarm = Median(sax);
  figures.initWarm = Median(init);
  figures.languageWarm = Median(language);
  figures.keptBytes = static_cast<uint64_t>(Median(kept));
}

void MeasureCold(const std::string& dir, int runs, DeviceFigures& figures) {
  std::map<std::string, std::vector<std::vector<double>>> results;
  for (int run = 0; run < runs; ++run) {
    for (const char* kind : {"dom", "sax", "load"}) {
      const ChildRun child = RunChild({SelfPath(), "cold", kind, dir}, true);
      if (child.exitCode != 0) throw std::runtime_error(dir + ": the cold " + kind + " run failed");
      std::istringstream fields(child.output);
      std::vector<double> values;
      for (double value = 0; fields >> value;) values.push_back(value);
      results[kind].push_back(values);
      std::cerr << '.' << std::flush;
    }
  }
  const auto median = [&](const std::string& kind, size_t field) {
    std::vector<double> values;
    for (const auto& row : results[kind]) values.push_back(row.at(field));
    return Median(values);
  };
  figures.domCold = median("dom", 0);
  figures.domPeak = static_cast<uint64_t>(median("dom", 1));
  figures.saxCold = median("sax", 0);
  figures.initCold = median("load", 0);
  figures.loadPeak = static_cast<uint64_t>(median("load", 1));
  figures.languageCold = median("load", 2);
}

DeviceFigures MeasureDevice(const std::string& name, const std::string& directory, int rounds, int coldRuns,
                            const std::string& inspector) {
  const std::string dir = WithSlash(directory);
  DeviceFigures figures;
  figures.name = name;
  figures.scale = ScaleNamed(name);
  figures.xmlBytes = FileBytes(dir + "device.xml");
  figures.locBytes = FileBytes(dir + "device_loc.xml");
  std::cerr << name << " device: warm rounds" << std::flush;
  MeasureWarm(dir, rounds, figures);
  std::cerr << " cold runs" << std::flush;
  MeasureCold(dir, coldRuns, figures);
  if (!inspector.empty()) {
    std::cerr << " inspector" << std::flush;
    const ChildRun timer = RunChild({SelfPath(), "time", inspector, "--format", "json", "--no-progress", "-l", "en",
                                     dir + "device.xml", dir + "device_loc.xml"},
                                    true);
    std::istringstream fields(timer.output);
    ChildRun run;
    if (!(fields >> run.seconds >> run.peakBytes >> run.exitCode))
      throw std::runtime_error("the inspector did not run");
    figures.inspector = run;
  }
  std::cerr << '\n';
  return figures;
}

// ---------------------------------------------------------------------------------------------------------
// Modes.

std::string Megabytes(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
  return text;
}

int Generate(const std::string& name, const std::string& directory) {
  std::filesystem::create_directories(directory);
  const SyntheticDevice device = WriteSyntheticDevice(ScaleNamed(name), directory);
  std::cerr << name << " device in " << device.directory << ": GUI XML " << Megabytes(device.xmlBytes)
            << ", localized file " << Megabytes(device.locBytes) << '\n';
  return 0;
}

// The small devices of both shapes must validate with the bare parsers and the component, and every probe
// must answer on each.
std::vector<std::string> CheckDevice(const DeviceScale& scale, const std::string& directory) {
  std::filesystem::create_directories(directory);
  const SyntheticDevice device = WriteSyntheticDevice(scale, directory);
  std::vector<std::string> failures;
  if (ParseGuiXmlDom(device.directory + device.xmlFile) != 0) failures.push_back("the GUI XML file is not valid");
  if (ParseLocalizedSax(device.directory + device.locFile) != 0) failures.push_back("the localized file is not valid");
  try {
    ModelPtr model = LoadDevice(device.directory);
    const std::vector<std::string> answers = CheckQueries(*model, QueryArgs(device.probes));
    failures.insert(failures.end(), answers.begin(), answers.end());
    const Bstr german(u"de");
    if (model->OnLanguageIDChange(german.get(), 0) != S_OK) failures.push_back("the switch to German failed");
  } catch (const std::exception& e) {
    failures.push_back(e.what());
  }
  for (std::string& failure : failures) failure = device.directory + ": " + failure;
  return failures;
}

int Check(std::string directory) {
  const bool temporary = directory.empty();
  if (temporary) {
    std::string pattern = (std::filesystem::temp_directory_path() / "k42gui-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary directory");
    directory = pattern;
  }
  DeviceScale textHeavy = SmallScale();
  textHeavy.distinctTexts = true;
  std::vector<std::string> failures = CheckDevice(SmallScale(), WithSlash(directory) + "small");
  const std::vector<std::string> more = CheckDevice(textHeavy, WithSlash(directory) + "text-heavy");
  failures.insert(failures.end(), more.begin(), more.end());
  if (temporary) std::filesystem::remove_all(directory);
  for (const std::string& failure : failures) std::cerr << "check: " << failure << '\n';
  return failures.empty() ? 0 : 1;
}

int Run(const std::vector<std::string>& args) {
  std::string small, inspector;
  std::vector<std::pair<std::string, std::string>> large;  // name, directory
  int rounds = 5, coldRuns = 3;
  for (size_t i = 0; i + 1 < args.size(); i += 2) {
    if (args[i] == "--small") {
      small = args[i + 1];
    } else if (args[i] == "--large" || args[i] == "--text-heavy") {
      large.emplace_back(args[i].substr(2), args[i + 1]);
    } else if (args[i] == "--rounds") {
      rounds = std::stoi(args[i + 1]);
    } else if (args[i] == "--cold") {
      coldRuns = std::stoi(args[i + 1]);
    } else if (args[i] == "--inspect") {
      inspector = args[i + 1];
    } else {
      throw std::invalid_argument("unknown option " + args[i]);
    }
  }
  if (small.empty() || large.empty() || args.size() % 2 != 0 || rounds < 1 || coldRuns < 1) {
    throw std::invalid_argument(kUsage);
  }
  DeviceFigures smallFigures = MeasureDevice("small", small, rounds, coldRuns, inspector);
  std::vector<DeviceFigures> largeFigures;
  for (const auto& [name, directory] : large) {
    largeFigures.push_back(MeasureDevice(name, directory, rounds, coldRuns, inspector));
  }
  std::cerr << "queries on every device\n";
  std::vector<DeviceFigures*> devices{&smallFigures};
  std::vector<std::string> directories{WithSlash(small)};
  for (size_t i = 0; i < large.size(); ++i) {
    devices.push_back(&largeFigures[i]);
    directories.push_back(WithSlash(large[i].second));
  }
  MeasureQueries(devices, directories);
  return PrintTable(smallFigures, largeFigures, rounds, coldRuns) == 0 ? 0 : 1;
}

int Main(const std::vector<std::string>& args) {
  if (args.empty()) throw std::invalid_argument(kUsage);
  const std::string& mode = args[0];
  if (mode == "generate" && args.size() == 3) return Generate(args[1], args[2]);
  if (mode == "check" && args.size() <= 2) return Check(args.size() == 2 ? args[1] : std::string());
  if (mode == "cold" && args.size() == 3) return ColdChild(args[1], args[2]);
  if (mode == "run") return Run({args.begin() + 1, args.end()});
  if (mode == "repeat" && args.size() == 4) return Repeat(args[1], args[2], std::stoi(args[3]));
  if (mode == "time" && args.size() >= 2) return TimeChild({args.begin() + 1, args.end()});
  throw std::invalid_argument(kUsage);
}

}  // namespace
}  // namespace k42bench

int main(int argc, char** argv) {
  xercesc::XMLPlatformUtils::Initialize();
  int status = 2;
  try {
    status = k42bench::Main({argv + 1, argv + argc});
  } catch (const std::invalid_argument& e) {
    std::cerr << e.what() << '\n';
    status = 64;
  } catch (const std::exception& e) {
    std::cerr << "k42gui-bench: " << e.what() << '\n';
  }
  xercesc::XMLPlatformUtils::Terminate();
  return status;
}
