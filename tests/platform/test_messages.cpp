// Window messages and message boxes: synchronous delivery, handles, creation and destruction.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <k42gui/winuser.h>

#include <string>
#include <thread>
#include <vector>

#include "support/test_window.h"

namespace {

using k42test::ReceivedMessage;
using ::testing::ElementsAre;

TEST(WindowMessages, SentSynchronouslyWithTheirParameters) {
  k42test::TestWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  std::vector<ReceivedMessage> creation = window.AllMessages();
  ASSERT_EQ(creation.size(), 2u);
  EXPECT_EQ(creation[0].msg, UINT(WM_NCCREATE));
  EXPECT_EQ(creation[1].msg, UINT(WM_CREATE));

  // The handle survives a trip through a 32-bit LONG, as hosts store it that way.
  LONG stored = static_cast<LONG>(reinterpret_cast<LONG_PTR>(window.Handle()));
  HWND restored = reinterpret_cast<HWND>(static_cast<LONG_PTR>(stored));
  SendMessageW(restored, 1231, 0, MAKELPARAM(0, 11));
  SendMessageW(window.Handle(), 1234, 1, 0);
  SendMessageW(window.Handle(), WM_USER + 1, WPARAM(-1), LPARAM(-2));
  EXPECT_THAT(window.Messages(), ElementsAre(ReceivedMessage{1231, 0, MAKELPARAM(0, 11)}, ReceivedMessage{1234, 1, 0},
                                             ReceivedMessage{WM_USER + 1, WPARAM(-1), LPARAM(-2)}));
}

struct ProcedureLog {
  std::vector<UINT> messages;
  std::thread::id thread;
  void* createParams = nullptr;
  LRESULT nccreateResult = TRUE;
  LRESULT createResult = 0;
};
ProcedureLog* g_log = nullptr;

LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  g_log->messages.push_back(msg);
  g_log->thread = std::this_thread::get_id();
  if (msg == WM_NCCREATE) {
    g_log->createParams = reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams;
    return g_log->nccreateResult;
  }
  if (msg == WM_CREATE) return g_log->createResult;
  if (msg == WM_USER) return LRESULT(wParam) + lParam;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class WindowLifecycle : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log = &log;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = LoggingProc;
    wc.lpszClassName = u"LifecycleClass";
    ASSERT_NE(RegisterClassW(&wc), 0);
  }
  void TearDown() override {
    EXPECT_TRUE(UnregisterClassW(u"LIFECYCLECLASS", nullptr));
    g_log = nullptr;
  }
  HWND Create(HWND parent = HWND_MESSAGE) {
    return CreateWindowExW(0, u"lifecycleclass", nullptr, 0, 0, 0, 0, 0, parent, nullptr, nullptr, &log);
  }
  ProcedureLog log;
};

TEST_F(WindowLifecycle, CreationDeliveryAndDestruction) {
  HWND hwnd = Create();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(log.createParams, &log);
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 40, 2), 42);
  EXPECT_EQ(log.thread, std::this_thread::get_id());

  EXPECT_TRUE(DestroyWindow(hwnd));
  EXPECT_THAT(log.messages, ElementsAre(WM_NCCREATE, WM_CREATE, WM_USER, WM_DESTROY, WM_NCDESTROY));
  // A destroyed, null or made-up handle is ignored.
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 1, 1), 0);
  EXPECT_EQ(SendMessageW(nullptr, WM_USER, 1, 1), 0);
  EXPECT_EQ(SendMessageW(reinterpret_cast<HWND>(0x7777), WM_USER, 1, 1), 0);
  EXPECT_EQ(log.messages.size(), 5u);
  EXPECT_FALSE(DestroyWindow(hwnd));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowLifecycle, RefusedCreationAndChildren) {
  log.nccreateResult = FALSE;
  EXPECT_EQ(Create(), nullptr);
  EXPECT_THAT(log.messages, ElementsAre(WM_NCCREATE, WM_NCDESTROY));

  log = ProcedureLog{};
  log.createResult = -1;
  EXPECT_EQ(Create(), nullptr);
  EXPECT_THAT(log.messages, ElementsAre(WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY));

  log = ProcedureLog{};
  HWND parent = Create();
  HWND child = Create(parent);
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(UnregisterClassW(u"LifecycleClass", nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_HAS_WINDOWS));
  log.messages.clear();
  DestroyWindow(parent);
  EXPECT_THAT(log.messages, ElementsAre(WM_DESTROY, WM_DESTROY, WM_NCDESTROY, WM_NCDESTROY));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(Create(reinterpret_cast<HWND>(0x7777)), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowLifecycle, ClassesAndWindowData) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = LoggingProc;
  wc.lpszClassName = u"LIFECYCLECLASS";
  EXPECT_EQ(RegisterClassW(&wc), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLASS_ALREADY_EXISTS));
  EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CANNOT_FIND_WND_CLASS));

  HWND hwnd = Create();
  EXPECT_EQ(SetWindowLongPtrW(hwnd, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(SetWindowLongPtrW(hwnd, GWLP_USERDATA, 5678), 1234);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), 5678);
  // Subclassing: the new procedure gets the messages.
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  WNDPROC replacement = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 99; };
  EXPECT_EQ(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement)),
            reinterpret_cast<LONG_PTR>(original));
  EXPECT_EQ(SendMessageW(hwnd, WM_USER, 1, 1), 99);
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  EXPECT_EQ(GetWindowLongPtrW(hwnd, 12345), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_INDEX));
  DestroyWindow(hwnd);
}

struct BoxSeen {
  HWND owner;
  std::u16string text;
  std::u16string caption;
  UINT type;
};

TEST(MessageBox, WritesALineAndAsksTheHandler) {
  std::vector<BoxSeen> seen;
  K42SetMessageBoxHandler(
      [](HWND owner, LPCWSTR text, LPCWSTR caption, UINT type, void* context) {
        static_cast<std::vector<BoxSeen>*>(context)->push_back({owner, text, caption, type});
        return IDCANCEL;
      },
      &seen);
  ::testing::internal::CaptureStderr();
  int answer = MessageBoxW(nullptr, u"FATAL ERROR found parsing TAVIRO XML file!", u"XML Reader", MB_OK);
  int untitled = MessageBoxW(reinterpret_cast<HWND>(0x40), u"\u00dcbersetzung", nullptr, MB_ICONERROR);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "MessageBox [XML Reader]: FATAL ERROR found parsing TAVIRO XML file!\n"
            "MessageBox [Error]: \xc3\x9c"
            "bersetzung\n");
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(untitled, IDCANCEL);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].owner, nullptr);
  EXPECT_EQ(seen[0].text, u"FATAL ERROR found parsing TAVIRO XML file!");
  EXPECT_EQ(seen[0].caption, u"XML Reader");
  EXPECT_EQ(seen[0].type, UINT(MB_OK));
  EXPECT_EQ(seen[1].owner, reinterpret_cast<HWND>(0x40));
  EXPECT_EQ(seen[1].type, UINT(MB_ICONERROR));

  K42SetMessageBoxHandler(nullptr, nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxW(nullptr, u"Open failed!", u"Language", MB_OK), IDOK);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "MessageBox [Language]: Open failed!\n");
}

}  // namespace
