// Windows build: module handles and file names come from the SDK; the component's own file name is ours.
#pragma once

#include <k42gui/sdk.h>

#include <string>

namespace k42 {
// The full path of the component's own module, or an empty text when it cannot be found.
std::u16string ComponentModuleFileName();
}  // namespace k42
