// The inspector's subcommands: each turns its parsed arguments into output and an exit code.
#pragma once

#include <string>
#include <vector>

namespace inspect {

// Exit code of every subcommand for wrong arguments (an unwritable output is kExitWriteError, output.h).
constexpr int kExitUsage = 64;

enum class Format { kText, kJson, kHtml };

// One device as a host loads it: Initialize's arguments.
struct DeviceArgs {
  std::string directory;  // ends with a separator
  std::string xmlFile;    // relative to directory
  std::string locFile;    // relative to directory, as Initialize takes it
  std::string language = "en";
  long functionId = 1;
  std::vector<std::string> headerPlaces;  // asked for beside the standard ones
  bool allLanguages = false;              // also read the texts of every other language of the localized file
};

// The default subcommand: what a display control sees of one device.
struct ReportArgs {
  DeviceArgs device;
  Format format = Format::kText;
  std::string output;  // empty or "-": standard output
  bool progress = true;
};

// `check`: findings for the device's author.
struct CheckArgs {
  DeviceArgs device;
  Format format = Format::kText;     // text or json
  std::vector<std::string> rules;    // empty: every rule
  std::vector<std::string> ignored;  // rules left out
  std::string output;
};

// `diff`: what changed between two devices (or one device in two languages).
struct DiffArgs {
  DeviceArgs before, after;
  Format format = Format::kText;  // text or json
  std::string output;
  bool progress = true;
};

// `lsp`: a language server for editors on standard input and output.
struct LspArgs {
  std::string language = "en";
  long functionId = 1;
  std::string root;  // when set, only device files below it are checked (and get hidden copies beside them)
};

int RunReport(const ReportArgs& args);
int RunCheck(const CheckArgs& args);
int RunDiff(const DiffArgs& args);
int RunLsp(const LspArgs& args);

}  // namespace inspect
