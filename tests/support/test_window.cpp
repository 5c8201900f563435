// Test helper: the recording window and its window class.
#include "support/test_window.h"

#include "platform/wide.h"

namespace k42test {
namespace {
constexpr char16_t kClassName[] = u"K42TestRecordingWindow";
}  // namespace

TestWindow::TestWindow() {
  static const ATOM atom = [] {
    WNDCLASSW wc = {};
    wc.lpszClassName = k42::AsWide(kClassName);
    wc.lpfnWndProc = &TestWindow::Procedure;
    return RegisterClassW(&wc);
  }();
  (void)atom;
  m_hwnd = CreateWindowExW(0, k42::AsWide(kClassName), k42::AsWide(u""), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                           this);
  std::lock_guard<std::mutex> lock(m_mutex);
  m_creationCount = m_received.size();
}

TestWindow::~TestWindow() {
  if (m_hwnd) DestroyWindow(m_hwnd);
}

LRESULT CALLBACK TestWindow::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The usual pattern: WM_NCCREATE, the first message, brings the object,
  // which is kept in the window's user data for all later messages.
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
    std::lock_guard<std::mutex> lock(self->m_mutex);
    self->m_received.push_back({msg, wParam, lParam});
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::vector<ReceivedMessage> TestWindow::Messages() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return std::vector<ReceivedMessage>(m_received.begin() + static_cast<std::ptrdiff_t>(m_creationCount),
                                      m_received.end());
}

std::vector<ReceivedMessage> TestWindow::AllMessages() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_received;
}

void TestWindow::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_received.clear();
  m_creationCount = 0;
}

}  // namespace k42test
