// MessageBoxW without a screen: a line on standard error and a replaceable answer.
#include <k42gui/winuser.h>

#include <cstdio>
#include <mutex>
#include <string>

#include "platform/utf.h"

namespace {

struct HandlerSlot {
  std::mutex mutex;
  K42MESSAGEBOXHANDLER handler = nullptr;
  void* context = nullptr;
};

HandlerSlot& Slot() {
  static HandlerSlot slot;
  return slot;
}

std::u16string_view View(LPCWSTR text) { return text ? std::u16string_view(text) : std::u16string_view(); }

}  // namespace

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  std::string line = "MessageBox [";
  k42::utf::AppendUtf8(line, lpCaption ? View(lpCaption) : std::u16string_view(u"Error"));
  line += "]: ";
  k42::utf::AppendUtf8(line, View(lpText));
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);

  K42MESSAGEBOXHANDLER handler;
  void* context;
  {
    HandlerSlot& slot = Slot();
    std::lock_guard<std::mutex> lock(slot.mutex);
    handler = slot.handler;
    context = slot.context;
  }
  // Called without the lock so that a handler may itself show a box or swap handlers.
  return handler ? handler(hWnd, lpText ? lpText : u"", lpCaption ? lpCaption : u"Error", uType, context) : IDOK;
}

void K42SetMessageBoxHandler(K42MESSAGEBOXHANDLER handler, void* context) {
  HandlerSlot& slot = Slot();
  std::lock_guard<std::mutex> lock(slot.mutex);
  slot.handler = handler;
  slot.context = handler ? context : nullptr;
}
