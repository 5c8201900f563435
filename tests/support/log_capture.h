// Test helper: captures the logger's lines while it is alive.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace k42test {

// Installs a logger sink and switches logging on; on destruction removes the
// sink and restores the previous Logger::m_bActiveLog. Captures do not nest:
// the innermost one receives the lines and removes the sink when it ends.
class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Every line logged so far, as the logger formatted it.
  std::vector<std::u16string> Lines() const;

  // The same lines in UTF-8, for readable test failures.
  std::vector<std::string> Utf8Lines() const;

  // Forgets the lines captured so far.
  void Clear();

 private:
  static void Receive(const char16_t* line, void* context);

  mutable std::mutex m_mutex;
  std::vector<std::u16string> m_lines;
  int m_previousActive;
};

}  // namespace k42test
