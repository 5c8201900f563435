// Watches one load through the host-side channels the component reports on:
// the log, message boxes, its standard error and the progress window.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <k42gui/winuser.h>

#include "inspect/system.h"

namespace inspect {

enum class LoadOutcome { kLoaded, kLoadedWithErrors, kNotLoaded };

struct Diagnostic {
  std::string file;  // empty: about the load as a whole
  long line = 0;     // negative: no position in the file
  long column = 0;
  std::string severity;  // "error", "warning", "fatal", "note"
  std::string message;
};

// "file:line:column: severity: message", the position left out where there is none.
std::string FormatDiagnostic(const Diagnostic& diagnostic);

// Captures log lines, message boxes and what the component writes to standard error from
// construction until Finish (one watch at a time).
class LoadWatch {
 public:
  LoadWatch(std::string xmlPath, std::string locPath);
  ~LoadWatch();
  LoadWatch(const LoadWatch&) = delete;
  LoadWatch& operator=(const LoadWatch&) = delete;

  // Ends the capture; standard error is the terminal's again.
  void Finish();
  // Classifies a finished load from the result of Initialize and what
  // the component reported on the way.
  LoadOutcome Outcome(bool initializeSucceeded) const;
  // Everything the component reported, one diagnostic per problem, with file and position where
  // the report has them.
  std::vector<Diagnostic> Diagnostics() const;
  const std::vector<std::string>& LogLines() const { return m_lines; }

 private:
  static void OnLog(const char16_t* line, void* context);
  static void OnMessageBox(const std::u16string& caption, const std::u16string& text, void* context);

  std::string m_xmlPath;
  std::string m_locPath;
  std::vector<std::string> m_lines;
  std::vector<std::string> m_boxes;
  std::vector<std::string> m_stderr;  // the component's own lines on standard error
  int m_previousActive = 0;
  sys::StderrCapture m_capture;
};

// A one-line progress display on standard error, shown only when that is a terminal. Loading is
// measured by the component's progress messages to a message-only window; the phases after it
// (reading the device through the interface, writing the report) show the time taken so far and
// the bytes written, so a long report is never silent. The line is cleared at the end.
class ProgressBar {
 public:
  explicit ProgressBar(bool enabled);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Initialize's progress window; null when the bar is off.
  HWND Handle() const { return m_window; }
  // Ends loading at its full length and starts a phase without a known length.
  void Phase(const std::string& name);
  void Written(uint64_t bytes);
  // Prints text (whole lines) on standard error without tearing the bar.
  void Say(const std::string& text);
  // Shows the bar full and clears the line; the bar stays off afterwards.
  void Finish();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Draw();  // with m_mutex held
  void Emit(const std::string& text) const;
  void Tick();

  HWND m_window = nullptr;
  int m_fd = -1;  // the terminal, kept apart from standard error while a load is watched
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::thread m_ticker;
  bool m_stopping = false;
  std::string m_phase = "loading";
  bool m_measured = true;  // loading: position within the component's range
  long m_low = 0, m_high = 100, m_step = 10, m_position = 0;
  uint64_t m_bytes = 0;
  int m_frame = 0;
  std::chrono::steady_clock::time_point m_phaseStart = std::chrono::steady_clock::now();
  bool m_drawn = false;
  bool m_done = false;
};

}  // namespace inspect
