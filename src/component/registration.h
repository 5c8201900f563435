// The registry entries of the component: the class with its ProgIDs, and its type library.
#pragma once

#include <k42gui/wintypes.h>

#include <string>

namespace k42com {

// Writes the registration script's keys under HKEY_CLASSES_ROOT, with
// modulePath as the in-process server, then the type library's keys.
// Result: S_OK, or the first failure as an HRESULT of the registry's error.
HRESULT RegisterComponent(const std::u16string& modulePath);

// Removes what RegisterComponent wrote. Keys already missing are no error.
HRESULT UnregisterComponent();

}  // namespace k42com
