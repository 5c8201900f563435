// Window classes, message-only windows, synchronous messages and message boxes, Windows style.
//
// There is no window system here. A "window" is an entry in a process-wide
// table: a handle, its class's window procedure and a user-data slot. That is
// all the component needs to talk to a host's progress window, and all a host
// written for Windows needs to receive those messages.
//
// Differences from Windows, on purpose:
//   - Every window is message-only: position, size, styles and menus are
//     accepted and ignored; a parent may be null, HWND_MESSAGE or an existing
//     window (destroying a window destroys its children first, as on Windows).
//   - SendMessageW calls the window procedure directly on the calling thread,
//     whatever thread created the window; there are no queues and no PostMessage.
//   - Window classes are process-wide; the instance handle is not part of
//     a class's identity. Class names are compared case-insensitively.
//   - MessageBoxW never blocks: it writes one line to standard error and asks
//     the handler installed with K42SetMessageBoxHandler for the answer.
//   - Window handles are small numbers (never 0) cast to HWND, so they survive
//     a round trip through a 32-bit LONG; a handle is not reused while the
//     process runs (until some two billion windows have been created).
//
// Example:
//   WNDCLASSW wc = {}; wc.lpfnWndProc = MyProc; wc.lpszClassName = u"Progress";
//   RegisterClassW(&wc);
//   HWND hwnd = CreateWindowExW(0, u"Progress", u"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, this);
//   SendMessageW(hwnd, WM_USER + 1, 0, 0);
//   DestroyWindow(hwnd);
#pragma once

#include <k42gui/wintypes.h>

struct HICON__;
typedef HICON__* HICON;
typedef HICON HCURSOR;
struct HBRUSH__;
typedef HBRUSH__* HBRUSH;
struct HMENU__;
typedef HMENU__* HMENU;
typedef WORD ATOM;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagWNDCLASSW {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
} WNDCLASSW, *PWNDCLASSW, *LPWNDCLASSW;

typedef struct tagCREATESTRUCTW {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTW, *LPCREATESTRUCTW;

#define HWND_MESSAGE ((HWND)(LONG_PTR)-3)
#define MAKEINTATOM(i) ((LPCWSTR)((ULONG_PTR)((WORD)(i))))

#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_TIMER 0x0113
#define WM_USER 0x0400
#define WM_APP 0x8000

#define GWLP_WNDPROC (-4)
#define GWLP_USERDATA (-21)

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_TOPMOST 0x00040000L

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

#ifndef ERROR_CLASS_DOES_NOT_EXIST
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#endif
#ifndef ERROR_CLASS_HAS_WINDOWS
#define ERROR_CLASS_HAS_WINDOWS 1412L
#endif
#ifndef ERROR_INVALID_INDEX
#define ERROR_INVALID_INDEX 1413L
#endif

extern "C" {

// Last-error code of the calling thread (each thread has its own, starting at 0).
K42PLATFORM_API DWORD WINAPI GetLastError(void);
K42PLATFORM_API void WINAPI SetLastError(DWORD dwErrCode);

// Registers a window class.
//   lpWndClass: lpfnWndProc and lpszClassName are required; the other fields are ignored.
//   Result: a class atom (non-zero); 0 with ERROR_CLASS_ALREADY_EXISTS when the
//   name is taken, ERROR_INVALID_PARAMETER when a required field is missing.
K42PLATFORM_API ATOM WINAPI RegisterClassW(const WNDCLASSW* lpWndClass);

// Removes a window class (by name or MAKEINTATOM).
//   Result: TRUE; FALSE with ERROR_CLASS_DOES_NOT_EXIST, or ERROR_CLASS_HAS_WINDOWS
//   while windows of the class exist.
K42PLATFORM_API BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE hInstance);

// Creates a message-only window of a registered class.
//   Sends WM_NCCREATE then WM_CREATE, both with lParam = the CREATESTRUCTW whose
//   lpCreateParams is lpParam. WM_NCCREATE answered with FALSE fails the creation
//   (the window then gets WM_NCDESTROY); WM_CREATE answered with -1 destroys it.
//   Result: the handle; null with ERROR_CANNOT_FIND_WND_CLASS for an unknown
//   class, ERROR_INVALID_WINDOW_HANDLE for an unknown parent.
K42PLATFORM_API HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle,
                                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                                            HINSTANCE hInstance, LPVOID lpParam);

// Destroys a window and its children: WM_DESTROY to the window, then its children
// are destroyed, then WM_NCDESTROY; afterwards the handle is invalid.
//   Result: TRUE; FALSE with ERROR_INVALID_WINDOW_HANDLE for an unknown handle.
K42PLATFORM_API BOOL WINAPI DestroyWindow(HWND hWnd);

// TRUE while hWnd names a window that has not been destroyed.
K42PLATFORM_API BOOL WINAPI IsWindow(HWND hWnd);

// Default processing: TRUE for WM_NCCREATE, 0 for every other message.
K42PLATFORM_API LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Calls the window procedure of hWnd with the message, synchronously on the
// calling thread, and returns its result. An unknown, null or destroyed
// handle returns 0 and does nothing (last error ERROR_INVALID_WINDOW_HANDLE).
K42PLATFORM_API LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// Replaces GWLP_USERDATA or GWLP_WNDPROC and returns the previous value.
// As on Windows, a previous value of 0 returns 0 without clearing the last
// error. Other indices: 0 with ERROR_INVALID_INDEX; unknown window: 0 with
// ERROR_INVALID_WINDOW_HANDLE.
K42PLATFORM_API LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong);

// Reads GWLP_USERDATA or GWLP_WNDPROC; errors as for SetWindowLongPtrW.
K42PLATFORM_API LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex);

// Shows a message box: writes "MessageBox [caption]: text" as one UTF-8 line to
// standard error and returns what the installed handler returns, or IDOK
// without a handler. Never blocks. A null caption reads "Error", as on
// Windows, and a null text reads ""; the handler gets them that way too.
K42PLATFORM_API int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);

// Stand-in extension: decides the answer of MessageBoxW (tests record the
// boxes with it). The handler runs on the thread that called MessageBoxW.
typedef int (*K42MESSAGEBOXHANDLER)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type, void* context);

// Installs the message box handler with a context passed back on each call;
// nullptr removes it.
K42PLATFORM_API void K42SetMessageBoxHandler(K42MESSAGEBOXHANDLER handler, void* context);

}  // extern "C"
