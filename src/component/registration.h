// The registry entries of the component: the class with its ProgIDs, and its type library.
#pragma once

#include <k42gui/objbase.h>

#include <initializer_list>
#include <string>

namespace k42com {

// Writes the registration script's keys under HKEY_CLASSES_ROOT, with
// modulePath as the in-process server, then the type library's keys.
// Result: S_OK, or the first failure as an HRESULT of the registry's error.
HRESULT RegisterComponent(const std::u16string& modulePath);

// Removes what RegisterComponent wrote. Keys already missing are no error.
HRESULT UnregisterComponent();

// The helpers both the class's and the type library's entries are written with.
// A GUID in braces, as the registry names it.
std::u16string GuidText(REFGUID guid);
// Creates HKEY_CLASSES_ROOT\path and, when value is given, sets its value named name (null: the default value).
HRESULT WriteKey(const std::u16string& path, const char16_t* name = nullptr, const std::u16string* value = nullptr);
// Removes the named subkeys of HKEY_CLASSES_ROOT\path, then the key itself unless something else still lives
// below it. Keys already missing are no error.
HRESULT RemoveKey(const std::u16string& path, std::initializer_list<const char16_t*> subkeys);

}  // namespace k42com
