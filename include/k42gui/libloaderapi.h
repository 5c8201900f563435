// Module handles and module file names, Windows style (GetModuleHandleW, GetModuleFileNameW).
//
// A module is a loaded ELF object: the executable or a shared object. Its
// HMODULE is the address where it is mapped, as on Windows.
//
// The component's own module answers to the name "K42GuiXMLReader.dll" (any
// letter case, ".dll" may be left out) as well as to its real file name. It is
// the loaded shared library "libK42GuiXmlReader.so" (any version suffix); in a
// program that does not load it but links the model statically, it is the
// executable itself.
//
// File names are the Unix paths, absolute, with '/' separators (the directory
// of a module is the text up to its last '/', not its last '\').
//
// Example:
//   WCHAR path[MAX_PATH];
//   DWORD n = GetModuleFileNameW(GetModuleHandleW(u"K42GuiXMLReader.dll"), path, MAX_PATH);
#pragma once

#include <k42gui/wintypes.h>

#ifndef MAX_PATH
#define MAX_PATH 260
#endif
#ifndef ERROR_MOD_NOT_FOUND
#define ERROR_MOD_NOT_FOUND 126L
#endif

extern "C" {

// Finds a loaded module.
//   lpModuleName: null for the executable; else a module name compared
//   case-insensitively with the file name (or full path) of each loaded
//   module, under the name it was loaded by or that of the real file behind
//   a symbolic link; a name without an extension also matches that name plus ".dll",
//   as on Windows, and "K42GuiXMLReader.dll" is the component's module
//   (see above).
//   Result: the module handle; null with ERROR_MOD_NOT_FOUND.
K42PLATFORM_API HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName);

// The full path of a module.
//   hModule: a handle from GetModuleHandleW, or null for the executable.
//   lpFilename/nSize: the output buffer and its size in WCHARs.
//   Result: the length of the path without its NUL. If the buffer is too small,
//   the path is truncated to nSize - 1 WCHARs and terminated, the result is
//   nSize and the last error ERROR_INSUFFICIENT_BUFFER (as on Windows Vista and
//   later). An unknown module gives 0 with ERROR_MOD_NOT_FOUND.
K42PLATFORM_API DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);

}  // extern "C"
