// The `check` subcommand: lints a device for its author.
#include <iostream>

#include "inspect/commands.h"

namespace inspect {

int RunCheck(const CheckArgs&) {
  std::cerr << "k42gui-inspect: check is not available in this build\n";
  return kExitUsage;
}

}  // namespace inspect
