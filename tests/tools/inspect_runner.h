// Runs the built k42gui-inspect as a user would and captures its exit code and both output streams.
#pragma once

#include <string>

namespace inspect_test {

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs `k42gui-inspect --no-progress ARGS` through the shell; ARGS are pasted as given (quote them).
Outcome Inspect(const std::string& args);
// Runs `k42gui-inspect ARGS` exactly, without --no-progress.
Outcome InspectRaw(const std::string& args);

// Single-quotes one shell argument.
std::string Quote(const std::string& arg);
std::string ReadFile(const std::string& path);

// The shipped demo device's GUI XML file.
std::string DemoPath();

}  // namespace inspect_test
