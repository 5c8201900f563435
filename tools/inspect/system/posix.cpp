// The inspector's system needs on Linux: POSIX descriptors, and the platform library's message-box handler.
#include "inspect/system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include <k42gui/winuser.h>

namespace inspect::sys {

int CreateOutputFile(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

int StandardOutput() { return STDOUT_FILENO; }

long Write(int fd, const char* data, size_t size) { return static_cast<long>(::write(fd, data, size)); }

int Close(int fd) { return ::close(fd); }

int DuplicateTerminal() {
  if (!isatty(STDERR_FILENO)) return -1;
  return ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
}

StderrCapture::StderrCapture() {
  std::fflush(stderr);
  if (FILE* file = std::tmpfile()) {
    m_capture = ::dup(fileno(file));
    std::fclose(file);
    m_saved = ::dup(STDERR_FILENO);
    if (m_capture < 0 || m_saved < 0 || ::dup2(m_capture, STDERR_FILENO) < 0) Finish();
  }
}

std::string StderrCapture::Finish() {
  if (m_saved >= 0) {
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
    m_saved = -1;
  }
  std::string text;
  if (m_capture < 0) return text;
  char buffer[4096];
  ssize_t n;
  for (off_t at = 0; (n = ::pread(m_capture, buffer, sizeof buffer, at)) > 0; at += n) text.append(buffer, n);
  ::close(m_capture);
  m_capture = -1;
  return text;
}

namespace {

MessageBoxSeen g_seen = nullptr;
void* g_context = nullptr;

int OnMessageBox(HWND, LPCWSTR text, LPCWSTR caption, UINT, void*) {
  if (g_seen != nullptr) g_seen(caption != nullptr ? caption : u"", text != nullptr ? text : u"", g_context);
  return IDOK;
}

}  // namespace

void WatchMessageBoxes(MessageBoxSeen seen, void* context) {
  g_seen = seen;
  g_context = context;
  K42SetMessageBoxHandler(seen != nullptr ? &OnMessageBox : nullptr, nullptr);
}

}  // namespace inspect::sys
