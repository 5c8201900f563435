// The device checker: finds an author's mistakes in a GUI XML file and its localized file.
//
// The device is loaded as the component loads it, and every finding is placed at the line and column
// of the file where the mistake is written. Plain values in and out, no ownership to manage.
//
// Example:
//   k42gui::CheckRequest request;
//   request.guiXmlPath = "devices/pt42/pt42.xml";
//   request.localizedPath = "devices/pt42/pt42_loc.xml";
//   request.language = "de";
//   for (const k42gui::Finding& f : k42gui::CheckDevice(request).findings)
//     std::cout << f.file << ':' << f.line << ':' << f.column << ": " << f.message << '\n';
#pragma once

#include <string>
#include <vector>

namespace k42gui {

enum class Severity { kWarning, kError };

struct Finding {
  std::string file;     // the path as the request gave it
  unsigned line = 0;    // 1-based; 0 when the finding concerns the file as a whole
  unsigned column = 0;  // 1-based, in characters
  Severity severity = Severity::kError;
  std::string message;
  std::string rule;
};

struct CheckRequest {
  std::string guiXmlPath;
  std::string localizedPath;  // empty: no localized file
  std::string language = "en";
  long functionId = 1;
  std::vector<std::string> rules;  // the rules to run; empty: every rule
};

struct CheckResult {
  std::vector<Finding> findings;  // sorted by file, line and column
  // False when the files could not be read as the component reads them (not well-formed, invalid, no
  // schema): the findings then say why, and the rules that need the loaded device did not run.
  bool loaded = false;
};

struct Rule {
  const char* name;
  const char* description;
};

// Every rule, in a fixed order.
const std::vector<Rule>& CheckRules();

CheckResult CheckDevice(const CheckRequest& request);

}  // namespace k42gui
