// The inspector's system needs on Windows: the C runtime's descriptors in binary mode (outputs equal Linux's byte
// for byte), the console as the progress bar's terminal, and message boxes caught by a thread-local CBT hook.
#include "inspect/system.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include <k42gui/windows.h>

namespace inspect::sys {

namespace {

std::wstring WidePath(const std::string& path) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
  return wide;
}

}  // namespace

int CreateOutputFile(const std::string& path) {
  return _wopen(WidePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
}

int StandardOutput() {
  _setmode(1, _O_BINARY);
  return 1;
}

long Write(int fd, const char* data, size_t size) {
  // The C runtime writes at most INT_MAX bytes per call; the caller loops over the rest.
  const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
  return _write(fd, data, chunk);
}

int Close(int fd) { return _close(fd); }

int DuplicateTerminal() {
  if (!_isatty(2)) return -1;
  // The bar redraws its line with terminal escapes, which a console understands once asked to.
  HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(console, &mode)) SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  const int fd = _dup(2);
  if (fd >= 0) _setmode(fd, _O_BINARY);
  return fd;
}

StderrCapture::StderrCapture() {
  std::fflush(stderr);
  // A file in the user's temporary directory that the system deletes when it is closed.
  wchar_t directory[MAX_PATH + 1] = {}, name[MAX_PATH + 1] = {};
  if (GetTempPathW(MAX_PATH + 1, directory) == 0 || GetTempFileNameW(directory, L"k42", 0, name) == 0) return;
  m_capture =
      _wopen(name, _O_RDWR | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT | _O_TEMPORARY, _S_IREAD | _S_IWRITE);
  m_saved = _dup(2);
  if (m_capture < 0 || m_saved < 0 || _dup2(m_capture, 2) < 0) Finish();
}

std::string StderrCapture::Finish() {
  if (m_saved >= 0) {
    std::fflush(stderr);
    _dup2(m_saved, 2);
    _close(m_saved);
    m_saved = -1;
  }
  std::string text;
  if (m_capture < 0) return text;
  _lseek(m_capture, 0, SEEK_SET);
  char buffer[4096];
  int n;
  while ((n = _read(m_capture, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  _close(m_capture);
  m_capture = -1;
  // What went through the C runtime's text mode has CRLF line ends.
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) plain += text[i];
  }
  return plain;
}

namespace {

constexpr ULONG_PTR kDialogClass = 0x8002;  // the atom of "#32770", the class of a message box

MessageBoxSeen g_seen = nullptr;
void* g_context = nullptr;
HHOOK g_hook = nullptr;
bool g_pending = false;  // a box was created and has not been seen active yet

void Report(const std::u16string& caption, const std::u16string& text) {
  g_pending = false;
  if (g_seen != nullptr) g_seen(caption, text, g_context);
}

// A box is created, then activated: its texts are read and it is answered with OK. Without a display (Wine in a
// terminal) it is never activated and MessageBoxW returns at once; it is then reported without its texts.
LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
    if (reinterpret_cast<ULONG_PTR>(create->lpcs->lpszClass) == kDialogClass) {
      if (g_pending) Report(u"", u"");
      g_pending = true;
    }
  } else if (code == HCBT_ACTIVATE && g_pending) {
    HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t text[2048] = {}, caption[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 2048);  // the static control holding a message box's text
    GetWindowTextW(box, caption, 256);
    Report(U16(caption), U16(text));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void WatchMessageBoxes(MessageBoxSeen seen, void* context) {
  if (g_hook != nullptr) {
    if (g_pending) Report(u"", u"");
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
  }
  g_seen = seen;
  g_context = context;
  if (seen != nullptr) g_hook = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
}

}  // namespace inspect::sys
