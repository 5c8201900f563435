// Runs the built k42gui-inspect through the shell for the tool tests.
#include "inspect_runner.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/test_paths.h"

namespace inspect_test {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

Outcome InspectRaw(const std::string& args) {
  const std::string errFile = k42test::WriteTempFile("inspect-stderr.txt", "");
  const std::string command = std::string(K42GUI_INSPECT_PATH) + " " + args + " 2>" + Quote(errFile);
  Outcome run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) run.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadFile(errFile);
  return run;
}

Outcome Inspect(const std::string& args) { return InspectRaw("--no-progress " + args); }

std::string DemoPath() { return std::string(K42GUI_SOURCE_DIR) + "/examples/demo/demo.xml"; }

}  // namespace inspect_test
