// The default subcommand: loads one device and writes the text, JSON or HTML report of what a host sees.
#include <algorithm>
#include <cctype>
#include <string>

#include "inspect/commands.h"
#include "inspect/device_loader.h"
#include "inspect/output.h"
#include "inspect/printable.h"
#include "inspect/reports.h"

namespace inspect {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// Mistakes of the command line that the component answers without complaint: the report would
// quietly show no module, or the default texts.
std::string Warnings(const DeviceArgs& args, const Device& device) {
  std::string text;
  if (device.modules.empty()) {
    text += "k42gui-inspect: warning: function identifier " + std::to_string(args.functionId) +
            " selects no module of " + FileName(args.xmlFile) + '\n';
  }
  const auto& languages = device.languages;
  const bool known = std::any_of(languages.begin(), languages.end(),
                                 [&](const auto& language) { return language.first == args.language; });
  if (!languages.empty() && !known) {
    std::string list, similar;
    for (const auto& [id, name] : languages) {
      list += (list.empty() ? "" : ", ") + Printable(id);
      if (Lower(id) == Lower(args.language)) similar = Printable(id);
    }
    text += "k42gui-inspect: warning: language '" + args.language + "' is not in " + FileName(args.xmlFile) +
            " (it has: " + list + (similar.empty() ? "" : "; did you mean '" + similar + "'?") +
            "); only the localized file's default texts apply\n";
  }
  return text;
}

}  // namespace

int RunReport(const ReportArgs& args) {
  Device device;
  DeviceArgs deviceArgs = args.device;
  deviceArgs.allLanguages = args.format == Format::kHtml;  // the preview switches languages in the page
  ProgressBar bar(args.progress);
  const int exitCode = LoadDevice(deviceArgs, bar, device);
  if (exitCode == kExitNotLoaded) return exitCode;
  if (const std::string warnings = Warnings(args.device, device); !warnings.empty()) bar.Say(warnings);

  bar.Phase("writing the report");
  const int result = WriteOutput(
      args.output, exitCode,
      [&](std::ostream& out) {
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
      },
      [&](uint64_t bytes) { bar.Written(bytes); });
  bar.Finish();
  return result;
}

}  // namespace inspect
