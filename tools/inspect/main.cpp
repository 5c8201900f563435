// k42gui-inspect: loads a device through the component's public interface,
// exactly as a host does, and reports what the display control would see,
// lints it for its author (check) or compares two devices (diff).
#include <iostream>

#include "inspect/commands.h"
#include "inspect/options.h"

int main(int argc, char** argv) {
  std::string error;
  const auto options = inspect::ParseOptions(argc, argv, error);
  if (!options) {
    std::cerr << "k42gui-inspect: " << error << "\n\n" << inspect::Usage();
    return inspect::kExitUsage;
  }
  if (options->help) {
    std::cout << inspect::Usage();
    return 0;
  }
  inspect::DeviceArgs device;
  device.directory = options->directory;
  device.xmlFile = options->xmlFile;
  device.locFile = options->locFile;
  device.language = options->language;
  device.functionId = options->functionId;
  device.headerPlaces = options->headerPlaces;

  if (options->command == "check") {
    inspect::CheckArgs check;
    check.device = device;
    check.format = options->format;
    check.output = options->output;
    check.rules = options->rules;
    check.ignored = options->ignored;
    return inspect::RunCheck(check);
  }
  if (options->command == "diff") {
    inspect::DiffArgs diff;
    diff.before = device;
    diff.after = device;
    diff.after.xmlFile = options->otherXmlFile;
    diff.after.locFile = options->otherLocFile;
    diff.format = options->format;
    diff.output = options->output;
    diff.progress = options->progress;
    return inspect::RunDiff(diff);
  }
  inspect::ReportArgs report;
  report.device = device;
  report.format = options->format;
  report.output = options->output;
  report.progress = options->progress;
  return inspect::RunReport(report);
}
