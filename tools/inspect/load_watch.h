// Watches one load through the host-side channels the component reports on:
// the log, message boxes and the progress window.
#pragma once

#include <string>
#include <vector>

#include <k42gui/winuser.h>

namespace inspect {

enum class LoadOutcome { kLoaded, kLoadedWithErrors, kNotLoaded };

struct Diagnostic {
  std::string file;
  long line = 0;
  long column = 0;
  std::string severity;  // "error", "warning", "fatal"
  std::string message;
};

// Captures log lines and message boxes while it lives (one at a time).
class LoadWatch {
 public:
  LoadWatch(std::string xmlPath, std::string locPath);
  ~LoadWatch();
  LoadWatch(const LoadWatch&) = delete;
  LoadWatch& operator=(const LoadWatch&) = delete;

  // Classifies a finished load from the result of Initialize and what
  // the component reported on the way.
  LoadOutcome Outcome(bool initializeSucceeded) const;
  // Parse problems with file, line and column.
  std::vector<Diagnostic> Diagnostics() const;
  const std::vector<std::string>& LogLines() const { return m_lines; }

 private:
  static void OnLog(LPCWSTR line, void* context);
  static int OnMessageBox(HWND, LPCWSTR text, LPCWSTR caption, UINT type, void* context);

  std::string m_xmlPath;
  std::string m_locPath;
  std::vector<std::string> m_lines;
  std::vector<std::string> m_boxes;
  int m_previousActive = 0;
};

// A message-only window that turns the component's progress messages into a
// bar on standard error.
class ProgressBar {
 public:
  explicit ProgressBar(bool enabled);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  HWND Handle() const { return m_window; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Draw() const;

  HWND m_window = nullptr;
  long m_low = 0, m_high = 100, m_step = 10, m_position = 0;
  bool m_drawn = false;
};

}  // namespace inspect
