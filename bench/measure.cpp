// Clocks, heap and peak-memory readings, and child processes for the benchmark.
#include "measure.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace k42bench {

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

uint64_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// The high-water mark of this process's own address space. The resource usage's maximum resident set is
// not used: it carries the resident set of the process that forked this one, and the benchmark forks its
// measurements from a process that has held a large device.
uint64_t PeakResident() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
  }
  throw std::runtime_error("no VmHWM in /proc/self/status");
}

ChildRun RunChild(const std::vector<std::string>& argv, bool captureOutput) {
  int pipeEnds[2] = {-1, -1};
  if (captureOutput && pipe(pipeEnds) != 0) throw std::runtime_error("no pipe for a child");
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("cannot start " + argv.front());
  if (pid == 0) {
    const int out = captureOutput ? pipeEnds[1] : open("/dev/null", O_WRONLY);
    dup2(out, STDOUT_FILENO);
    if (captureOutput) close(pipeEnds[0]);
    execv(args[0], args.data());
    _exit(127);
  }
  ChildRun run;
  if (captureOutput) {
    close(pipeEnds[1]);
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) run.output.append(buffer, static_cast<size_t>(got));
    close(pipeEnds[0]);
  }
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  run.peakBytes = static_cast<uint64_t>(usage.ru_maxrss) * 1024;
  return run;
}

}  // namespace k42bench
