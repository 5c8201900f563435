// Test helper: a message-only window that records every message it receives.
#pragma once

#include <k42gui/winuser.h>

#include <mutex>
#include <vector>

namespace k42test {

struct ReceivedMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const ReceivedMessage&) const = default;
};

// Creates a window (parent HWND_MESSAGE) on construction and destroys it on
// destruction. Each message is recorded and answered with DefWindowProcW.
class TestWindow {
 public:
  TestWindow();
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return m_hwnd; }

  // The messages received since the window was created (WM_NCCREATE and
  // WM_CREATE are left out), in order.
  std::vector<ReceivedMessage> Messages() const;

  // Every message received, the creation messages included.
  std::vector<ReceivedMessage> AllMessages() const;

  // Forgets the messages received so far (the creation messages too).
  void Clear();

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  mutable std::mutex m_mutex;
  std::vector<ReceivedMessage> m_received;
  size_t m_creationCount = 0;
  HWND m_hwnd = nullptr;
};

}  // namespace k42test
