// Umbrella header: everything of the Windows platform stand-in that host code expects from <windows.h>.
//
// Host code written for Windows includes <windows.h> (and <oleauto.h>);
// here it includes <k42gui/windows.h> and gets the base types, the
// component-object and automation declarations and, where they exist, the
// window functions and the host's logger.
//
// Example:
//   #include <k42gui/windows.h>
//   BSTR text = SysAllocString(u"Label");
//   SysFreeString(text);
#pragma once

#include <k42gui/wintypes.h>
#include <k42gui/objbase.h>
#include <k42gui/oleauto.h>

#if __has_include(<k42gui/winuser.h>)
#include <k42gui/winuser.h>
#endif
#if __has_include(<k42gui/winreg.h>)
#include <k42gui/winreg.h>
#endif
#if __has_include(<k42gui/Logger.h>)
#include <k42gui/Logger.h>
#endif
