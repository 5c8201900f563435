// Windows test host: records the message boxes shown on this thread while it lives, and answers each at once.
#pragma once

#include <k42gui/winuser.h>

#include <string>
#include <vector>

namespace k42test {

struct ShownMessageBox {
  std::u16string text;
  std::u16string caption;
  UINT type;
};

// A message box is a dialog of the class "#32770": a thread-local CBT hook sees it created and, once it is
// active, reads its caption and text and closes it with OK, so a test never waits for a user. Without a display
// Wine cannot create the dialog and MessageBoxW returns at once; the box is then recorded without its texts.
class MessageBoxCapture {
 public:
  MessageBoxCapture() {
    s_current = this;
    m_hook = SetWindowsHookExW(WH_CBT, &MessageBoxCapture::Hook, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxCapture() {
    if (m_hook) UnhookWindowsHookEx(m_hook);
    s_current = nullptr;
  }
  MessageBoxCapture(const MessageBoxCapture&) = delete;
  MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

  const std::vector<ShownMessageBox>& Shown() const { return m_shown; }

 private:
  static constexpr ULONG_PTR kDialogClass = 0x8002;  // the atom of "#32770"

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxCapture* self = s_current;
    if (self && code == HCBT_CREATEWND) {
      auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
      if (reinterpret_cast<ULONG_PTR>(create->lpcs->lpszClass) == kDialogClass) self->m_shown.push_back({});
    } else if (self && code == HCBT_ACTIVATE && !self->m_shown.empty()) {
      HWND box = reinterpret_cast<HWND>(wParam);
      WCHAR text[512] = {}, caption[256] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 512);  // the static control holding a message box's text
      GetWindowTextW(box, caption, 256);
      self->m_shown.back().text = reinterpret_cast<const char16_t*>(text);
      self->m_shown.back().caption = reinterpret_cast<const char16_t*>(caption);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline MessageBoxCapture* s_current = nullptr;
  HHOOK m_hook = nullptr;
  std::vector<ShownMessageBox> m_shown;
};

}  // namespace k42test
