// What the inspector needs from the operating system beside the component's interface: files and the terminal
// by descriptor, standard error taken in while the component loads, and the component's message boxes.
// One implementation per system: tools/inspect/system/posix.cpp and tools/inspect/system/windows.cpp.
#pragma once

#include <cstddef>
#include <string>

#include <k42gui/wintypes.h>

namespace inspect::sys {

// The system's wide texts are char16_t on Linux and wchar_t on Windows, both UTF-16.
inline LPCWSTR Wide(const char16_t* text) { return reinterpret_cast<LPCWSTR>(text); }
inline LPWSTR Wide(char16_t* text) { return reinterpret_cast<LPWSTR>(text); }
inline const char16_t* U16(LPCWSTR text) { return reinterpret_cast<const char16_t*>(text); }

// Creates or truncates `path` for writing, kept from child processes: a descriptor, or -1 with errno set.
int CreateOutputFile(const std::string& path);
// Standard output as a descriptor that writes bytes as they are (no line-end translation).
int StandardOutput();
// Writes up to `size` bytes: the count written, or -1 with errno set.
long Write(int fd, const char* data, size_t size);
// 0, or -1 with errno set.
int Close(int fd);
// A descriptor of its own for the terminal behind standard error, or -1 when standard error is no terminal.
int DuplicateTerminal();

// Takes in what is written to standard error (by this program and the component alike) until Finish.
class StderrCapture {
 public:
  StderrCapture();
  ~StderrCapture() { Finish(); }
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;
  // Standard error is the previous one again; the text written meanwhile (empty after the first call).
  std::string Finish();

 private:
  int m_saved = -1;
  int m_capture = -1;
};

// Hears each message box the component shows on this thread, and answers it with OK at once.
using MessageBoxSeen = void (*)(const std::u16string& caption, const std::u16string& text, void* context);
// Installs `seen` (nullptr removes it) for the calling thread.
void WatchMessageBoxes(MessageBoxSeen seen, void* context);

}  // namespace inspect::sys
