// The `check` subcommand: lints a device for its author and prints the findings as an editor reads them.
#include <algorithm>
#include <iostream>
#include <sstream>
#include <utility>
#include <vector>

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

// The rules that could not run, grouped by the reason, in the rules' order.
std::vector<std::pair<std::string, std::string>> SkippedByReason(const k42gui::CheckResult& result) {
  std::vector<std::pair<std::string, std::string>> groups;  // reason, rule names
  for (const k42gui::SkippedRule& skipped : result.skipped) {
    auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == skipped.reason; });
    if (group == groups.end()) group = groups.insert(groups.end(), {skipped.reason, std::string()});
    group->second += (group->second.empty() ? "" : ", ") + skipped.rule;
  }
  return groups;
}

// Whether the reason the device does not load is among the findings; else the summary gives it.
bool LoadFailureShown(const k42gui::CheckResult& result) {
  if (result.loaded || result.notLoadedBecause.message.empty()) return true;
  const k42gui::Finding& why = result.notLoadedBecause;
  return std::any_of(result.findings.begin(), result.findings.end(), [&](const k42gui::Finding& f) {
    return f.rule == why.rule && f.file == why.file && f.line == why.line && f.message == why.message;
  });
}

std::string Location(const k42gui::Finding& finding) {
  std::string at = Printable(finding.file) + ':';
  if (finding.line != 0) at += std::to_string(finding.line) + ':' + std::to_string(finding.column) + ':';
  return at;
}

std::string Text(const k42gui::CheckResult& result, size_t errors, size_t warnings, int exitCode) {
  std::ostringstream out;
  for (const k42gui::Finding& finding : result.findings) {
    // One finding, one line, whatever the device's texts in it hold.
    out << Location(finding) << ' ' << SeverityName(finding.severity) << ": " << Printable(finding.message) << " ["
        << finding.rule << "]\n";
  }
  if (!LoadFailureShown(result)) {
    const k42gui::Finding& why = result.notLoadedBecause;
    out << "the device does not load: " << Location(why) << ' ' << Printable(why.message) << " [" << why.rule
        << ", not asked for]\n";
  }
  for (const auto& [reason, rules] : SkippedByReason(result)) out << "not run (" << reason << "): " << rules << '\n';
  // "No problems" only with the exit code that says so.
  if (exitCode == 0)
    out << "no problems found\n";
  else
    out << Count(errors, "error") << ", " << Count(warnings, "warning")
        << (result.loaded ? "" : "; the device does not load") << '\n';
  return out.str();
}

nlohmann::ordered_json FindingJson(const k42gui::Finding& finding) {
  return {{"file", finding.file},       {"line", finding.line},
          {"column", finding.column},   {"severity", SeverityName(finding.severity)},
          {"message", finding.message}, {"rule", finding.rule}};
}

std::string Json(const k42gui::CheckResult& result, size_t errors, size_t warnings) {
  nlohmann::ordered_json findings = nlohmann::ordered_json::array();
  for (const k42gui::Finding& finding : result.findings) findings.push_back(FindingJson(finding));
  nlohmann::ordered_json skipped = nlohmann::ordered_json::array();
  for (const k42gui::SkippedRule& rule : result.skipped)
    skipped.push_back({{"rule", rule.rule}, {"reason", rule.reason}});
  nlohmann::ordered_json summary = {
      {"errors", errors}, {"warnings", warnings}, {"loaded", result.loaded}, {"notRun", skipped}};
  if (!result.loaded && !result.notLoadedBecause.message.empty())
    summary["notLoadedBecause"] = FindingJson(result.notLoadedBecause);
  nlohmann::ordered_json json = {{"formatVersion", 1}, {"findings", findings}, {"summary", summary}};
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
  // A device the component cannot load is an error even when the rules that say why were left out.
  const int exitCode = errors != 0 || !result.loaded ? 2 : warnings != 0 ? 1 : 0;
  const std::string text =
      args.format == Format::kJson ? Json(result, errors, warnings) : Text(result, errors, warnings, exitCode);
  return WriteOutput(args.output, exitCode, [&text](std::ostream& out) { out << text; });
}

}  // namespace inspect
