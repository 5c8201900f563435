// The component's own module: its Windows name and the path of the file it was loaded from.
#pragma once

#include <k42gui/libloaderapi.h>

#include <string>

namespace k42 {

// The name under which the component's own module is known on Windows.
inline constexpr char16_t kComponentModuleName[] = u"K42GuiXMLReader.dll";

// The full path of the component's own module (GetModuleFileNameW of
// GetModuleHandleW(kComponentModuleName)), or an empty text when it cannot be found.
std::u16string ComponentModuleFileName();

}  // namespace k42
