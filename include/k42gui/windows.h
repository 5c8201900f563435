// Umbrella header: everything of the Windows platform stand-in that host code expects from <windows.h>.
//
// Host code written for Windows includes <windows.h> (and <oleauto.h>);
// here it includes <k42gui/windows.h> and gets the base types, the
// component-object and automation declarations, the window, message box,
// code-page, registry and module functions, and the host's logger.
//
// Example:
//   #include <k42gui/windows.h>
//   BSTR text = SysAllocString(u"Label");
//   SysFreeString(text);
#pragma once

#include <k42gui/wintypes.h>
#include <k42gui/objbase.h>
#include <k42gui/oleauto.h>
#include <k42gui/winuser.h>
#include <k42gui/winnls.h>
#include <k42gui/winreg.h>
#include <k42gui/libloaderapi.h>
#include <k42gui/Logger.h>
