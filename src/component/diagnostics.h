// A diagnostic export of the component library: its module lock count, for tests and leak checks.
#pragma once

#include <k42gui/IGuiXmlModel.h>

extern "C" {
// The module lock count: live GuiXmlModel objects, outstanding
// LockServer(TRUE) calls, and one while references to the class object are
// held beyond the module's own. 0 when a host has released everything.
// Not part of the interface a host uses (DllCanUnloadNow always answers
// S_FALSE); exported so that tests can check that every reference returns.
K42GUI_EXPORT LONG K42GuiXmlReaderLockCount();
}
