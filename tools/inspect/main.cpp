// k42gui-inspect: loads a device through the component's public interface,
// exactly as a host does, and reports what the display control would see,
// lints it for its author (check) or compares two devices (diff).
#include "inspect/commands.h"
#include "inspect/options.h"

int main(int argc, char** argv) {
  inspect::CommandLine line;
  if (const auto exitCode = inspect::ParseCommandLine(argc, argv, line)) return *exitCode;
  switch (line.subcommand) {
    case inspect::Subcommand::kCheck:
      return inspect::RunCheck(line.check);
    case inspect::Subcommand::kDiff:
      return inspect::RunDiff(line.diff);
    case inspect::Subcommand::kLsp:
      return inspect::RunLsp(line.lsp);
    case inspect::Subcommand::kReport:
      break;
  }
  return inspect::RunReport(line.report);
}
