// The `check` subcommand: lints a device for its author and prints the findings as an editor reads them.
#include <algorithm>
#include <iostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include <k42gui/DeviceCheck.h>

#include "inspect/commands.h"
#include "inspect/output.h"
#include "inspect/printable.h"

namespace inspect {
namespace {

// A file of the device directory, spelt as the user wrote both; the "./" that stands for no directory at all
// is left out.
std::string Join(const std::string& directory, const std::string& file) {
  if (file.empty() || file.front() == '/' || directory.empty() || directory == "./") return file;
  return directory.back() == '/' ? directory + file : directory + "/" + file;
}

bool KnownRule(const std::string& name) {
  const auto& rules = k42gui::CheckRules();
  return std::any_of(rules.begin(), rules.end(), [&](const k42gui::Rule& rule) { return name == rule.name; });
}

// The rules' names, comma-separated, in their fixed order.
std::string RuleNames() {
  std::string names;
  for (const k42gui::Rule& rule : k42gui::CheckRules()) names += (names.empty() ? "" : ", ") + std::string(rule.name);
  return names;
}

const char* SeverityName(k42gui::Severity severity) {
  return severity == k42gui::Severity::kError ? "error" : "warning";
}

std::string Count(size_t n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

std::string Text(const k42gui::CheckResult& result, size_t errors, size_t warnings) {
  std::ostringstream out;
  for (const k42gui::Finding& finding : result.findings) {
    // One finding, one line, whatever the device's texts in it hold.
    out << Printable(finding.file) << ':';
    if (finding.line != 0) out << finding.line << ':' << finding.column << ':';
    out << ' ' << SeverityName(finding.severity) << ": " << Printable(finding.message) << " [" << finding.rule << "]\n";
  }
  if (errors + warnings == 0)
    out << "no problems found\n";
  else
    out << Count(errors, "error") << ", " << Count(warnings, "warning") << '\n';
  return out.str();
}

std::string Json(const k42gui::CheckResult& result, size_t errors, size_t warnings) {
  nlohmann::ordered_json findings = nlohmann::ordered_json::array();
  for (const k42gui::Finding& finding : result.findings) {
    findings.push_back({{"file", finding.file},
                        {"line", finding.line},
                        {"column", finding.column},
                        {"severity", SeverityName(finding.severity)},
                        {"message", finding.message},
                        {"rule", finding.rule}});
  }
  nlohmann::ordered_json json = {{"formatVersion", 1},
                                 {"findings", findings},
                                 {"summary", {{"errors", errors}, {"warnings", warnings}, {"loaded", result.loaded}}}};
  return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace

int RunCheck(const CheckArgs& args) {
  if (args.format == Format::kHtml) {
    std::cerr << "k42gui-inspect: check writes text or json\n";
    return kExitUsage;
  }
  k42gui::CheckRequest request;
  for (const std::vector<std::string>* names : {&args.rules, &args.ignored}) {
    for (const std::string& name : *names) {
      if (!KnownRule(name)) {
        std::cerr << "k42gui-inspect: unknown rule: " << name << " (the rules: " << RuleNames() << ")\n";
        return kExitUsage;
      }
    }
  }
  for (const k42gui::Rule& rule : k42gui::CheckRules()) {
    const bool selected = args.rules.empty() || std::count(args.rules.begin(), args.rules.end(), rule.name) != 0;
    if (selected && std::count(args.ignored.begin(), args.ignored.end(), rule.name) == 0)
      request.rules.push_back(rule.name);
  }
  if (request.rules.empty()) {
    std::cerr << "k42gui-inspect: every rule is ignored\n";
    return kExitUsage;
  }
  request.guiXmlPath = Join(args.device.directory, args.device.xmlFile);
  request.localizedPath = Join(args.device.directory, args.device.locFile);
  request.language = args.device.language;
  request.functionId = args.device.functionId;

  const k42gui::CheckResult result = k42gui::CheckDevice(request);
  const size_t errors =
      std::count_if(result.findings.begin(), result.findings.end(),
                    [](const k42gui::Finding& finding) { return finding.severity == k42gui::Severity::kError; });
  const size_t warnings = result.findings.size() - errors;
  const std::string text =
      args.format == Format::kJson ? Json(result, errors, warnings) : Text(result, errors, warnings);

  // A device the component cannot load is an error even when the rules that say why were left out.
  const int exitCode = errors != 0 || !result.loaded ? 2 : warnings != 0 ? 1 : 0;
  return WriteOutput(args.output, exitCode, [&text](std::ostream& out) { out << text; });
}

}  // namespace inspect
