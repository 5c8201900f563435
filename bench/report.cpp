// The benchmark's table: every figure of every device, each target beside its figure with met or not met.
#include "report.h"

#include <cstdio>
#include <functional>
#include <iostream>

#include "host.h"

namespace k42bench {

namespace {

// Targets of the large devices.
constexpr double kInitializeOverFloor = 1.10;
constexpr double kLanguageOverSax = 1.20;  // one thread: the component has none of its own
constexpr double kKeptOverFile = 1.5;
// A device whose texts are mostly distinct keeps them all: below what an earlier model kept of it.
constexpr double kKeptOverFileTextHeavy = 2.35;
constexpr double kPeakOverDom = 1.10;
constexpr double kInspectorOverInitialize = 1.5;
constexpr double kQueryGrowth = 3.0;
constexpr double kDisplayItemsMicros = 8.0;

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Time(double seconds) {
  if (seconds >= 1) return Format("%.2f s", seconds);
  if (seconds >= 0.01) return Format("%.0f ms", seconds * 1e3);
  return Format("%.2f ms", seconds * 1e3);
}

std::string Micros(double micros) {
  if (micros >= 100) return Format("%.0f µs", micros);
  if (micros >= 10) return Format("%.1f µs", micros);
  if (micros >= 1) return Format("%.2f µs", micros);
  return Format("%.3f µs", micros);
}

std::string Megabytes(uint64_t bytes) { return Format("%.1f MB", static_cast<double>(bytes) / 1e6); }
std::string Times(double ratio) { return Format("%.2f×", ratio); }

// A target: the bound for a device's figure, and whether the figure may equal it.
struct Target {
  double bound = 0;  // 0: no target
  bool strict = false;
  bool Met(double value) const { return strict ? value < bound : value <= bound; }
  std::string Text() const { return (strict ? "< " : "≤ ") + Times(bound); }
};

struct Row {
  std::string figure;
  std::vector<std::string> cells;  // small, then value and growth of each large device
  std::string target, met;
};

class Table {
 public:
  Table(const DeviceFigures& small, const std::vector<DeviceFigures>& large) : m_small(small), m_large(large) {}

  // A description of each device.
  void AddText(const std::string& figure, const std::function<std::string(const DeviceFigures&)>& text) {
    Row row{figure, {text(m_small)}, "", ""};
    for (const DeviceFigures& large : m_large) {
      row.cells.push_back(text(large));
      row.cells.push_back("");
    }
    m_rows.push_back(row);
  }

  // A figure without target; with growth, each large device's figure is also set against the small one's.
  void Add(const std::string& figure, const std::function<double(const DeviceFigures&)>& value,
           const std::function<std::string(double)>& text, bool growth) {
    Row row{figure, {text(value(m_small))}, "", ""};
    for (const DeviceFigures& large : m_large) {
      row.cells.push_back(text(value(large)));
      row.cells.push_back(growth ? Times(value(large) / value(m_small)) : "");
    }
    m_rows.push_back(row);
  }

  // A ratio and its target, which may depend on the device's shape.
  void AddRatio(const std::string& figure, const std::function<double(const DeviceFigures&)>& ratio,
                const std::function<Target(const DeviceFigures&)>& target) {
    Row row{figure, {Times(ratio(m_small))}, "", ""};
    std::vector<std::string> targets, missed;
    for (const DeviceFigures& large : m_large) {
      row.cells.push_back(Times(ratio(large)));
      row.cells.push_back("");
      const Target bound = target(large);
      if (bound.bound <= 0) continue;
      targets.push_back(bound.Text());
      if (!bound.Met(ratio(large))) missed.push_back(large.name);
    }
    if (!targets.empty()) Judge(row, targets, missed);
    m_rows.push_back(row);
  }

  // A query: per call on each device, and its growth over the small device held to a bound.
  void AddQuery(const Query& query) {
    const std::string& name = query.name;
    const size_t space = name.find(' ');
    // The method's name as code, what follows it (which case) as text.
    std::string figure(1, '`');
    figure.append(name, 0, space).append(1, '`');
    if (space != std::string::npos) figure.append(name, space);
    Row row{figure, {Micros(m_small.queryMicros.at(name))}, "", ""};
    std::vector<std::string> missed;
    for (const DeviceFigures& large : m_large) {
      const double micros = large.queryMicros.at(name), growth = micros / m_small.queryMicros.at(name);
      row.cells.push_back(Micros(micros));
      row.cells.push_back(Times(growth));
      const bool fast = name != "GetDisplayItems" || micros <= kDisplayItemsMicros;
      if (query.takesIdentifier && (growth > kQueryGrowth || !fast)) missed.push_back(large.name);
    }
    if (!query.takesIdentifier) {
      row.figure += " (no identifier: the list grows with the device)";
    } else {
      std::string target = "≤ " + Times(kQueryGrowth);
      if (name == "GetDisplayItems") target = "≤ " + Micros(kDisplayItemsMicros) + ", " + target;
      Judge(row, {target}, missed);
    }
    m_rows.push_back(row);
  }

  int Print(int rounds, int coldRuns) const {
    std::cout << "Release build; warm: median of " << rounds << " rounds in one process (bare parses interleaved "
              << "with the loads); cold: median of " << coldRuns << " fresh processes; queries: per call, through "
              << "the interface, fastest of 7 batches in 3 passes; targets apply to every large device.\n\n";
    std::cout << "| figure | " << m_small.name << " |";
    std::string rule = "|---|---|";
    for (const DeviceFigures& large : m_large) {
      std::cout << ' ' << large.name << " | " << large.name << " / " << m_small.name << " |";
      rule += "---|---|";
    }
    std::cout << " target | |\n" << rule << "---|---|\n";
    for (const Row& row : m_rows) {
      std::cout << "| " << row.figure << " |";
      for (const std::string& cell : row.cells) std::cout << ' ' << cell << " |";
      std::cout << ' ' << row.target << " | " << row.met << " |\n";
    }
    std::cout << '\n'
              << (m_missed == 0 ? "All targets met." : std::to_string(m_missed) + " target(s) not met.") << '\n';
    return m_missed;
  }

 private:
  void Judge(Row& row, std::vector<std::string> targets, const std::vector<std::string>& missed) {
    bool same = true;
    for (const std::string& target : targets) same = same && target == targets.front();
    if (same) targets.resize(1);
    for (size_t i = 0; i < targets.size(); ++i) {
      row.target += (i > 0 ? ", " : "") + targets[i] + (same ? "" : " (" + m_large[i].name + ")");
    }
    if (missed.empty()) {
      row.met = "met";
      return;
    }
    ++m_missed;
    row.met = "**not met**:";
    for (const std::string& name : missed) row.met += " " + name;
  }

  const DeviceFigures& m_small;
  const std::vector<DeviceFigures>& m_large;
  std::vector<Row> m_rows;
  int m_missed = 0;
};

}  // namespace

int PrintTable(const DeviceFigures& small, const std::vector<DeviceFigures>& large, int rounds, int coldRuns) {
  using F = const DeviceFigures&;
  Table table(small, large);
  const auto fixed = [](double bound) { return [bound](F) { return Target{bound, false}; }; };
  table.AddText("device: GUI XML file / localized file (3 languages)",
                [](F f) { return Megabytes(f.xmlBytes) + " / " + Megabytes(f.locBytes); });
  table.AddText("device: variables / modules / displays", [](F f) {
    const DeviceScale& c = f.scale;
    return std::to_string(c.modules * c.displaysPerModule * c.variablesPerDisplay + c.spareVariables) + " / " +
           std::to_string(c.modules) + " / " + std::to_string(c.modules * c.displaysPerModule);
  });
  const auto timeRow = [&](const std::string& figure, double DeviceFigures::*field) {
    table.Add(
        figure, [field](F f) { return f.*field; }, Time, true);
  };
  timeRow("floor, warm: DOM parse of the GUI XML file", &DeviceFigures::domWarm);
  timeRow("floor, warm: SAX2 parse of the localized file", &DeviceFigures::saxWarm);
  timeRow("`Initialize`, warm", &DeviceFigures::initWarm);
  table.AddRatio(
      "`Initialize` / floor (DOM + SAX2), warm", [](F f) { return f.initWarm / (f.domWarm + f.saxWarm); },
      fixed(kInitializeOverFloor));
  table.Add(
      "floor, cold: DOM + SAX2 (first parses of a process)", [](F f) { return f.domCold + f.saxCold; }, Time, true);
  timeRow("`Initialize`, cold (first load of a process)", &DeviceFigures::initCold);
  table.AddRatio(
      "`Initialize` / floor, cold", [](F f) { return f.initCold / (f.domCold + f.saxCold); },
      [](F) { return Target{}; });
  timeRow("`OnLanguageIDChange`, warm", &DeviceFigures::languageWarm);
  table.AddRatio(
      "`OnLanguageIDChange` / SAX2 floor, warm", [](F f) { return f.languageWarm / f.saxWarm; },
      fixed(kLanguageOverSax));
  timeRow("`OnLanguageIDChange`, first switch of a process", &DeviceFigures::languageCold);
  table.Add(
      "memory kept by a loaded model (heap in use after the load minus before)",
      [](F f) { return static_cast<double>(f.keptBytes); },
      [](double bytes) { return Megabytes(static_cast<uint64_t>(bytes)); }, true);
  table.AddRatio(
      "memory kept / GUI XML file size",
      [](F f) { return static_cast<double>(f.keptBytes) / static_cast<double>(f.xmlBytes); },
      [](F f) {
        return f.scale.distinctTexts ? Target{kKeptOverFileTextHeavy, true} : Target{kKeptOverFile, false};
      });
  table.AddRatio(
      "load peak / bare DOM parse peak (fresh processes)",
      [](F f) { return static_cast<double>(f.loadPeak) / static_cast<double>(f.domPeak); }, fixed(kPeakOverDom));
  if (small.inspector) {
    table.Add(
        "`k42gui-inspect --format json`, whole process", [](F f) { return f.inspector->seconds; }, Time, true);
    table.AddRatio(
        "inspector time / cold `Initialize`", [](F f) { return f.inspector->seconds / f.initCold; },
        fixed(kInspectorOverInitialize));
  }
  for (const Query& query : Queries()) table.AddQuery(query);
  return table.Print(rounds, coldRuns);
}

}  // namespace k42bench
