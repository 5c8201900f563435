// Clocks, heap and peak-memory readings, and child processes for the benchmark.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace k42bench {

// Seconds taken by f().
template <typename F>
double Seconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values);

// Bytes of the heap in use now (small blocks and mapped ones).
uint64_t HeapInUse();

// The highest resident set this process has had, in bytes.
uint64_t PeakResident();

struct ChildRun {
  int exitCode = -1;
  std::string output;      // standard output (kept only when asked for)
  double seconds = 0;      // wall clock, start to exit
  uint64_t peakBytes = 0;  // its maximum resident set, which includes this process's at the fork
};

// Runs program with arguments, standard error passed through; standard output is captured when
// captureOutput is set and thrown away otherwise.
ChildRun RunChild(const std::vector<std::string>& argv, bool captureOutput);

}  // namespace k42bench
