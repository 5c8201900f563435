// The `diff` subcommand: what changed between two devices as a host sees them.
#include <iostream>

#include "inspect/commands.h"

namespace inspect {

int RunDiff(const DiffArgs&) {
  std::cerr << "k42gui-inspect: diff is not available in this build\n";
  return kExitUsage;
}

}  // namespace inspect
