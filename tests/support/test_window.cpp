// Test helper: the recording window and its window class.
#include "support/test_window.h"

namespace k42test {
namespace {
constexpr char16_t kClassName[] = u"K42TestRecordingWindow";
}  // namespace

TestWindow::TestWindow() {
  static const ATOM atom = [] {
    WNDCLASSW wc = {};
    wc.lpszClassName = kClassName;
    wc.lpfnWndProc = &TestWindow::Procedure;
    return RegisterClassW(&wc);
  }();
  (void)atom;
  hwnd_ = CreateWindowExW(0, kClassName, u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, this);
  std::lock_guard<std::mutex> lock(mutex_);
  creationCount_ = received_.size();
}

TestWindow::~TestWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK TestWindow::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The usual pattern: WM_NCCREATE, the first message, brings the object,
  // which is kept in the window's user data for all later messages.
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  if (auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->received_.push_back({msg, wParam, lParam});
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::vector<ReceivedMessage> TestWindow::Messages() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::vector<ReceivedMessage>(received_.begin() + static_cast<std::ptrdiff_t>(creationCount_),
                                      received_.end());
}

std::vector<ReceivedMessage> TestWindow::AllMessages() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

void TestWindow::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  received_.clear();
  creationCount_ = 0;
}

}  // namespace k42test
