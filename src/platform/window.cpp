// Window classes and message-only windows: a process-wide handle table and synchronous messages.
#include <k42gui/winuser.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/text.h"

namespace {

constexpr uintptr_t kFirstHandle = 0x10010;
constexpr uintptr_t kHandleStep = 4;
constexpr uintptr_t kLastHandle = 0x7FFFFFF0;  // handles stay positive in a 32-bit LONG
constexpr ATOM kFirstAtom = 0xC000;

struct WindowClass {
  std::u16string name;
  ATOM atom = 0;
  WNDPROC proc = nullptr;
};

struct Window {
  WNDPROC proc = nullptr;
  LONG_PTR userData = 0;
  ATOM classAtom = 0;
  uintptr_t parent = 0;
  bool destroying = false;
};

struct WindowTable {
  std::mutex mutex;
  std::map<std::u16string, WindowClass> classes;  // by upper-case name
  std::map<uintptr_t, Window> windows;
  uintptr_t nextHandle = kFirstHandle;
};

WindowTable& Table() {
  static WindowTable table;
  return table;
}

uintptr_t HandleValue(HWND hwnd) { return reinterpret_cast<uintptr_t>(hwnd); }
HWND ToHwnd(uintptr_t value) { return reinterpret_cast<HWND>(value); }

// A class name pointer whose high bits are zero is an atom (MAKEINTATOM).
bool IsAtom(LPCWSTR name) { return reinterpret_cast<uintptr_t>(name) < 0x10000; }

// Finds a class by name or atom; the table's mutex must be held.
WindowClass* FindClass(WindowTable& table, LPCWSTR name) {
  if (IsAtom(name)) {
    ATOM atom = static_cast<ATOM>(reinterpret_cast<uintptr_t>(name));
    for (auto& [key, cls] : table.classes)
      if (cls.atom == atom) return &cls;
    return nullptr;
  }
  auto it = table.classes.find(k42::ToUpper(name));
  return it == table.classes.end() ? nullptr : &it->second;
}

ATOM FreeAtom(const WindowTable& table) {
  for (unsigned atom = kFirstAtom; atom <= 0xFFFF; ++atom) {
    bool used = false;
    for (const auto& [key, cls] : table.classes) used = used || cls.atom == atom;
    if (!used) return static_cast<ATOM>(atom);
  }
  return 0;
}

uintptr_t NewHandle(WindowTable& table) {
  for (;;) {
    uintptr_t handle = table.nextHandle;
    table.nextHandle = handle + kHandleStep > kLastHandle ? kFirstHandle : handle + kHandleStep;
    if (!table.windows.count(handle)) return handle;
  }
}

void Forget(uintptr_t handle) {
  WindowTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  table.windows.erase(handle);
}

}  // namespace

ATOM WINAPI RegisterClassW(const WNDCLASSW* lpWndClass) {
  if (!lpWndClass || !lpWndClass->lpfnWndProc || !lpWndClass->lpszClassName || IsAtom(lpWndClass->lpszClassName) ||
      !*lpWndClass->lpszClassName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WindowTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  std::u16string key = k42::ToUpper(lpWndClass->lpszClassName);
  if (table.classes.count(key)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  ATOM atom = FreeAtom(table);
  if (!atom) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  table.classes[key] = WindowClass{lpWndClass->lpszClassName, atom, lpWndClass->lpfnWndProc};
  return atom;
}

BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE) {
  WindowTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  WindowClass* cls = lpClassName ? FindClass(table, lpClassName) : nullptr;
  if (!cls) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  for (const auto& [handle, window] : table.windows) {
    if (window.classAtom == cls->atom) {
      SetLastError(ERROR_CLASS_HAS_WINDOWS);
      return FALSE;
    }
  }
  table.classes.erase(k42::ToUpper(cls->name));
  return TRUE;
}

HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                            LPVOID lpParam) {
  uintptr_t handle = 0;
  {
    WindowTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    WindowClass* cls = lpClassName ? FindClass(table, lpClassName) : nullptr;
    if (!cls) {
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    uintptr_t parent = 0;
    if (hWndParent && hWndParent != HWND_MESSAGE) {
      if (!table.windows.count(HandleValue(hWndParent))) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
      }
      parent = HandleValue(hWndParent);
    }
    handle = NewHandle(table);
    table.windows[handle] = Window{cls->proc, 0, cls->atom, parent, false};
  }

  HWND hwnd = ToHwnd(handle);
  CREATESTRUCTW cs = {
      lpParam,      hInstance,   hMenu,    hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
      lpWindowName, lpClassName, dwExStyle};
  if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    // The window never existed for its creator, but it did see WM_NCCREATE.
    if (IsWindow(hwnd)) {
      SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
      Forget(handle);
    }
    return nullptr;
  }
  if (!IsWindow(hwnd)) return nullptr;
  if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd) {
  uintptr_t handle = HandleValue(hWnd);
  std::vector<uintptr_t> children;
  {
    WindowTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    auto it = table.windows.find(handle);
    if (it == table.windows.end() || it->second.destroying) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    it->second.destroying = true;
    for (const auto& [child, window] : table.windows)
      if (window.parent == handle) children.push_back(child);
  }
  SendMessageW(hWnd, WM_DESTROY, 0, 0);
  for (uintptr_t child : children) DestroyWindow(ToHwnd(child));
  SendMessageW(hWnd, WM_NCDESTROY, 0, 0);
  Forget(handle);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd) {
  WindowTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  return table.windows.count(HandleValue(hWnd)) ? TRUE : FALSE;
}

LRESULT WINAPI DefWindowProcW(HWND, UINT Msg, WPARAM, LPARAM) { return Msg == WM_NCCREATE ? TRUE : 0; }

LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = nullptr;
  {
    WindowTable& table = Table();
    std::lock_guard<std::mutex> lock(table.mutex);
    auto it = hWnd ? table.windows.find(HandleValue(hWnd)) : table.windows.end();
    if (it == table.windows.end()) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    proc = it->second.proc;
  }
  // Called without the lock: the procedure may create, destroy or message windows.
  return proc(hWnd, Msg, wParam, lParam);
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  WindowTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto it = table.windows.find(HandleValue(hWnd));
  if (it == table.windows.end()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  Window& window = it->second;
  LONG_PTR previous;
  if (nIndex == GWLP_USERDATA) {
    previous = window.userData;
    window.userData = dwNewLong;
  } else if (nIndex == GWLP_WNDPROC) {
    if (!dwNewLong) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
    }
    previous = reinterpret_cast<LONG_PTR>(window.proc);
    window.proc = reinterpret_cast<WNDPROC>(dwNewLong);
  } else {
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  return previous;
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex) {
  WindowTable& table = Table();
  std::lock_guard<std::mutex> lock(table.mutex);
  auto it = table.windows.find(HandleValue(hWnd));
  if (it == table.windows.end()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (nIndex == GWLP_USERDATA) return it->second.userData;
  if (nIndex == GWLP_WNDPROC) return reinterpret_cast<LONG_PTR>(it->second.proc);
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}
