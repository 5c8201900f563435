// Clocks, heap and peak-memory readings, and child processes for the benchmark.
#pragma once

#include <time.h>

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

// Seconds of processor time this thread spent in f(): on a machine shared with other work, the figure that
// waiting for a core does not inflate.
template <typename F>
double CpuSeconds(F&& f) {
  timespec start{}, end{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
  f();
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
  return static_cast<double>(end.tv_sec - start.tv_sec) + static_cast<double>(end.tv_nsec - start.tv_nsec) * 1e-9;
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
