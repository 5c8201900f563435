// The default subcommand: loads one device and writes the text, JSON or HTML report of what a host sees.
#include <fstream>
#include <iostream>

#include "inspect/commands.h"
#include "inspect/device_loader.h"
#include "inspect/reports.h"

namespace inspect {

int RunReport(const ReportArgs& args) {
  Device device;
  DeviceArgs deviceArgs = args.device;
  deviceArgs.allLanguages = args.format == Format::kHtml;  // the preview switches languages in the page
  const int exitCode = LoadDevice(deviceArgs, args.progress, device);
  if (exitCode == kExitNotLoaded) return exitCode;

  std::ofstream file;
  const bool toFile = !args.output.empty() && args.output != "-";
  if (toFile) {
    file.open(args.output, std::ios::binary);
    if (!file) {
      std::cerr << "k42gui-inspect: cannot write " << args.output << '\n';
      return kExitUsage;
    }
  }
  std::ostream& out = toFile ? file : std::cout;
  switch (args.format) {
    case Format::kText:
      WriteText(device, out);
      break;
    case Format::kJson:
      WriteJson(device, out);
      break;
    case Format::kHtml:
      WriteHtml(device, out);
      break;
  }
  return exitCode;
}

}  // namespace inspect
