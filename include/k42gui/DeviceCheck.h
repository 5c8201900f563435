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

// A rule asked for that could not run, and why ("the device does not load", "demo.xml is not well-formed").
struct SkippedRule {
  std::string rule;
  std::string reason;
};

struct CheckResult {
  std::vector<Finding> findings;  // sorted by file, line and column
  // False when the files could not be read as the component reads them (not well-formed, invalid, no
  // schema): the findings then say why. The rules over the files alone still ran on every well-formed
  // file; those that need the loaded device are in skipped.
  bool loaded = false;
  std::vector<SkippedRule> skipped;
  // When not loaded: the first reason, also when its rule was not asked for (rule then names it).
  Finding notLoadedBecause;
};

struct Rule {
  const char* name;
  const char* description;
};

// Every rule, in a fixed order.
const std::vector<Rule>& CheckRules();

CheckResult CheckDevice(const CheckRequest& request);

// A first look at one XML file without its schema: the schema its root names for itself and the first
// reason it is not well-formed, in the checker's words ("not UTF-8: byte 0xE4 on line 130, column 7; ...",
// "element 'MENU' opened on line 12, column 5 is not closed").
struct FileLook {
  bool read = false;           // the file could be read (a regular file within the checker's size bound)
  std::string schemaLocation;  // as written; empty: the root names none for its namespace
  std::string rootName;        // the root element's name as written
  bool wellFormed = false;
  Finding fatal;  // when read but not well-formed: the first problem (rule "xml")
};

FileLook LookAtFile(const std::string& path);

}  // namespace k42gui
