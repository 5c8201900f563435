// Records the message boxes shown while it lives, instead of only printing them.
#pragma once

#include <string>
#include <vector>

#include <k42gui/winuser.h>

namespace k42test {

struct ShownMessageBox {
  std::u16string text;
  std::u16string caption;
  UINT type;
};

class MessageBoxCapture {
 public:
  MessageBoxCapture() { K42SetMessageBoxHandler(&MessageBoxCapture::Receive, this); }
  ~MessageBoxCapture() { K42SetMessageBoxHandler(nullptr, nullptr); }
  MessageBoxCapture(const MessageBoxCapture&) = delete;
  MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

  const std::vector<ShownMessageBox>& Shown() const { return m_shown; }

 private:
  static int Receive(HWND, LPCWSTR text, LPCWSTR caption, UINT type, void* context) {
    static_cast<MessageBoxCapture*>(context)->m_shown.push_back(
        {text != nullptr ? text : u"", caption != nullptr ? caption : u"", type});
    return IDOK;
  }

  std::vector<ShownMessageBox> m_shown;
};

}  // namespace k42test
