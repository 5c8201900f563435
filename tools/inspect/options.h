// The inspector's command line: subcommands, options and the paths handed to Initialize.
#pragma once

#include <optional>
#include <string>

#include "inspect/commands.h"

namespace inspect {

enum class Subcommand { kReport, kCheck, kDiff, kLsp };

// The parsed command line: the arguments of the one subcommand that runs.
struct CommandLine {
  Subcommand subcommand = Subcommand::kReport;
  ReportArgs report;
  CheckArgs check;
  DiffArgs diff;
  LspArgs lsp;
};

// Parses argv into line. When the run ends here (--help, --version or a usage error) it has
// printed what there is to print and returns the exit code; otherwise nothing.
std::optional<int> ParseCommandLine(int argc, char** argv, CommandLine& line);

// The directory and file names Initialize takes for a GUI XML file and its localized file as the
// user named them. A file argument is a path from the current directory, or from `directory` when
// that is given; the localized file defaults to the GUI XML file's stem with _loc before its
// extension, next to it. Initialize concatenates directory and name, so the names come out
// relative to the directory (through `..` where needed), which keeps every file exactly where the
// user said it is.
DeviceArgs ResolveDevice(const std::string& directory, const std::string& xmlFile, const std::string& locFile);

}  // namespace inspect
