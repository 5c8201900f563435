// The registry, Windows style (RegOpenKeyExW, RegQueryValueExW, RegSetValueExW, ...), kept in one file.
//
// The machine registry lives in ONE file in the Windows registry-export text
// format ("Windows Registry Editor Version 5.00", as regedit writes it): the path in the environment variable
// K42GUI_REGISTRY when that is set, else /var/lib/k42gui/registry.reg. The
// file is read on every call that looks at the registry and written back on
// every change, atomically (a temporary file renamed over it); a missing file
// is an empty registry and a malformed line in it is skipped. Calls are
// serialised by one mutex of the process; two processes changing the registry
// at the same moment may lose one of the changes, but never see a torn file.
//
// The five root keys are kept apart: HKEY_CLASSES_ROOT is a root of its own,
// not a view of the Classes keys of the other two. Key and value names are
// compared case-insensitively, as on Windows. Handles check the access they
// were opened with: KEY_QUERY_VALUE for RegQueryValueExW, KEY_SET_VALUE for
// RegSetValueExW/RegDeleteValueW, KEY_CREATE_SUB_KEY for creating subkeys.
// Names containing a line break (and so not storable in the file) and paths
// nesting more than 512 keys deep are refused with ERROR_INVALID_PARAMETER. A key deleted while a handle to it is open
// makes that handle's calls fail with ERROR_KEY_DELETED.
//
// Example:
//   HKEY key;
//   if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Morvane\\EDD", 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
//     DWORD value = 0, size = sizeof value;
//     RegQueryValueExW(key, u"SwitchOffDeviceHelp", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
//     RegCloseKey(key);
//   }
#pragma once

#include <k42gui/wintypes.h>

struct HKEY__;
typedef HKEY__* HKEY;
typedef HKEY* PHKEY;
typedef DWORD ACCESS_MASK;
typedef ACCESS_MASK REGSAM;

typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)((LONG)0x80000005))

#define READ_CONTROL 0x00020000L
#define SYNCHRONIZE 0x00100000L
#define STANDARD_RIGHTS_READ READ_CONTROL
#define STANDARD_RIGHTS_WRITE READ_CONTROL
#define STANDARD_RIGHTS_ALL 0x001F0000L

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ ((STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) & (~SYNCHRONIZE))
#define KEY_WRITE ((STANDARD_RIGHTS_WRITE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & (~SYNCHRONIZE))
#define KEY_EXECUTE ((KEY_READ) & (~SYNCHRONIZE))
#define KEY_ALL_ACCESS                                                                                                 \
  ((STANDARD_RIGHTS_ALL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | \
    KEY_CREATE_LINK) &                                                                                                 \
   (~SYNCHRONIZE))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define REG_OPTION_RESERVED 0x00000000L
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L
#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

#ifndef ERROR_BAD_PATHNAME
#define ERROR_BAD_PATHNAME 161L
#endif
#ifndef ERROR_REGISTRY_IO_FAILED
#define ERROR_REGISTRY_IO_FAILED 1016L
#endif
#ifndef ERROR_KEY_DELETED
#define ERROR_KEY_DELETED 1018L
#endif

extern "C" {

// Opens an existing key.
//   hKey: an open key or a root (HKEY_LOCAL_MACHINE, ...).
//   lpSubKey: the path below it, names separated by '\' (empty names are
//   skipped); null or empty opens a new handle to hKey itself.
//   ulOptions: ignored. samDesired: the access the handle gets (KEY_READ, ...).
//   phkResult: receives the handle (null on failure).
//   Result: ERROR_SUCCESS; ERROR_FILE_NOT_FOUND when the key does not exist;
//   ERROR_INVALID_HANDLE for a bad hKey; ERROR_INVALID_PARAMETER without phkResult.
K42PLATFORM_API LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                                             PHKEY phkResult);

// Opens a key, creating it and any missing parents.
//   Reserved, lpClass, lpSecurityAttributes: ignored. dwOptions: volatile keys
//   are kept like the others. lpdwDisposition (optional) receives
//   REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY.
//   Result: ERROR_SUCCESS; ERROR_ACCESS_DENIED when hKey lacks
//   KEY_CREATE_SUB_KEY and a key must be created; ERROR_REGISTRY_IO_FAILED when
//   the file cannot be written; ERROR_INVALID_PARAMETER for a null lpSubKey.
K42PLATFORM_API LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass,
                                               DWORD dwOptions, REGSAM samDesired,
                                               const LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                                               LPDWORD lpdwDisposition);

// Reads a value.
//   lpValueName: null or empty for the key's default value.
//   lpReserved: must be null. lpType (optional): receives the value's type,
//   which is reported, never checked.
//   lpData/lpcbData: with lpData null, *lpcbData receives the size and the
//   result is ERROR_SUCCESS; with a buffer of *lpcbData bytes, the data is
//   copied and *lpcbData set to its size, or, when it does not fit,
//   ERROR_MORE_DATA with *lpcbData set to the size needed (buffer untouched).
//   A REG_SZ value's data is UTF-16 with its terminating NUL.
//   Result: also ERROR_FILE_NOT_FOUND for a missing value, ERROR_ACCESS_DENIED
//   without KEY_QUERY_VALUE, ERROR_INVALID_PARAMETER for lpData without lpcbData.
K42PLATFORM_API LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                                LPBYTE lpData, LPDWORD lpcbData);

// Stores a value (replacing one of the same name) exactly as given: for
// REG_SZ, cbData should count the terminating NUL, as on Windows.
//   Result: ERROR_SUCCESS; ERROR_ACCESS_DENIED without KEY_SET_VALUE;
//   ERROR_INVALID_PARAMETER for data null with cbData > 0;
//   ERROR_REGISTRY_IO_FAILED when the file cannot be written.
K42PLATFORM_API LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                                              const BYTE* lpData, DWORD cbData);

// Removes a value (null or empty name: the default value).
//   Result: ERROR_SUCCESS; ERROR_FILE_NOT_FOUND when there is none.
K42PLATFORM_API LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName);

// Removes a subkey that has no subkeys of its own (its values go with it).
//   lpSubKey: the path below hKey; empty deletes hKey itself; null is
//   ERROR_INVALID_PARAMETER.
//   Result: ERROR_SUCCESS; ERROR_FILE_NOT_FOUND; ERROR_ACCESS_DENIED when the
//   key has subkeys or is a root.
K42PLATFORM_API LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey);

// Removes a subkey with everything below it; with lpSubKey null (or empty),
// removes every subkey and value of hKey but keeps hKey itself.
//   Result: ERROR_SUCCESS; ERROR_FILE_NOT_FOUND when the subkey does not exist.
K42PLATFORM_API LSTATUS WINAPI RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey);

// Releases a handle (closing a root key is allowed and does nothing).
//   Result: ERROR_SUCCESS; ERROR_INVALID_HANDLE for an unknown handle.
K42PLATFORM_API LSTATUS WINAPI RegCloseKey(HKEY hKey);

}  // extern "C"
