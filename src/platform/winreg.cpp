// The registry functions: key handles over the registry file, one process mutex around every call.
#include <k42gui/winreg.h>

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/registry_file.h"
#include "platform/registry_tree.h"

namespace {

using k42::registry::Hive;
using k42::registry::Key;
using k42::registry::LoadResult;

struct OpenKey {
  int root = -1;
  std::vector<std::u16string> path;
  REGSAM access = 0;
};

struct HandleTable {
  std::mutex mutex;
  std::map<uintptr_t, OpenKey> keys;
  uintptr_t next = 0x100;
};

HandleTable& Handles() {
  static HandleTable table;
  return table;
}

// The registry as it is in the file right now; loaded under the handle table's mutex.
struct Snapshot {
  std::string file = k42::registry::RegistryFilePath();
  Hive hive;
  LoadResult load = k42::registry::LoadRegistryFile(file, hive);

  LSTATUS Save() const {
    // An unreadable file is not replaced by what little we know.
    if (load == LoadResult::kUnreadable || !k42::registry::SaveRegistryFile(file, hive))
      return ERROR_REGISTRY_IO_FAILED;
    return ERROR_SUCCESS;
  }
};

int PredefinedRoot(HKEY key) {
  if (key == HKEY_CLASSES_ROOT) return k42::registry::kClassesRoot;
  if (key == HKEY_CURRENT_USER) return k42::registry::kCurrentUser;
  if (key == HKEY_LOCAL_MACHINE) return k42::registry::kLocalMachine;
  if (key == HKEY_USERS) return k42::registry::kUsers;
  if (key == HKEY_CURRENT_CONFIG) return k42::registry::kCurrentConfig;
  return -1;
}

// What a handle stands for; false for an unknown handle. The mutex must be held.
bool Resolve(HandleTable& table, HKEY key, OpenKey& out) {
  int root = PredefinedRoot(key);
  if (root >= 0) {
    out = OpenKey{root, {}, KEY_ALL_ACCESS};
    return true;
  }
  auto it = table.keys.find(reinterpret_cast<uintptr_t>(key));
  if (it == table.keys.end()) return false;
  out = it->second;
  return true;
}

HKEY NewHandle(HandleTable& table, OpenKey key) {
  while (table.keys.count(table.next)) ++table.next;
  uintptr_t handle = table.next++;
  table.keys[handle] = std::move(key);
  return reinterpret_cast<HKEY>(handle);
}

bool HasLineBreak(std::u16string_view name) { return name.find_first_of(u"\r\n") != std::u16string_view::npos; }

// Appends the names of a '\'-separated path (empty names skipped); false when a
// name cannot be stored in the registry file or the path nests too deep.
bool AppendPath(LPCWSTR subKey, std::vector<std::u16string>& path) {
  if (!subKey) return true;
  std::u16string_view rest(subKey);
  if (HasLineBreak(rest)) return false;
  while (!rest.empty()) {
    size_t end = rest.find(u'\\');
    std::u16string_view name = rest.substr(0, end);
    if (!name.empty()) path.emplace_back(name);
    if (path.size() > k42::registry::kMaxKeyDepth) return false;
    if (end == std::u16string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return true;
}

std::u16string_view ValueName(LPCWSTR name) { return name ? std::u16string_view(name) : std::u16string_view(); }

// Runs use(registry, key) on the key that hKey stands for, in a fresh snapshot
// of the registry file, once the handle and the access it was opened with
// are checked; the handle table stays locked throughout.
template <typename Use>
LSTATUS WithOpenKey(HKEY hKey, REGSAM needed, Use use) {
  HandleTable& table = Handles();
  std::lock_guard<std::mutex> lock(table.mutex);
  OpenKey base;
  if (!Resolve(table, hKey, base)) return ERROR_INVALID_HANDLE;
  if (!(base.access & needed)) return ERROR_ACCESS_DENIED;
  Snapshot registry;
  Key* key = registry.hive.Find(base.root, base.path);
  if (!key) return ERROR_KEY_DELETED;
  return use(registry, *key);
}

}  // namespace

LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  HandleTable& table = Handles();
  std::lock_guard<std::mutex> lock(table.mutex);
  OpenKey base;
  if (!Resolve(table, hKey, base)) return ERROR_INVALID_HANDLE;
  OpenKey target{base.root, base.path, samDesired};
  if (!AppendPath(lpSubKey, target.path)) return ERROR_INVALID_PARAMETER;
  Snapshot registry;
  if (!registry.hive.Find(base.root, base.path)) return ERROR_KEY_DELETED;
  if (!registry.hive.Find(target.root, target.path)) return ERROR_FILE_NOT_FOUND;
  *phkResult = NewHandle(table, std::move(target));
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM samDesired,
                               const LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (!phkResult || !lpSubKey) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  HandleTable& table = Handles();
  std::lock_guard<std::mutex> lock(table.mutex);
  OpenKey base;
  if (!Resolve(table, hKey, base)) return ERROR_INVALID_HANDLE;
  std::vector<std::u16string> names;
  if (!AppendPath(lpSubKey, names) || base.path.size() + names.size() > k42::registry::kMaxKeyDepth)
    return ERROR_INVALID_PARAMETER;
  Snapshot registry;
  Key* key = registry.hive.Find(base.root, base.path);
  if (!key) return ERROR_KEY_DELETED;
  bool created = false;
  for (const std::u16string& name : names) {
    if (Key* child = key->Child(name)) {
      key = child;
      continue;
    }
    if (!(base.access & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
    key = &key->EnsureChild(name);
    created = true;
  }
  if (created) {
    if (LSTATUS status = registry.Save(); status != ERROR_SUCCESS) return status;
  }
  if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  OpenKey target{base.root, base.path, samDesired};
  target.path.insert(target.path.end(), names.begin(), names.end());
  *phkResult = NewHandle(table, std::move(target));
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                                LPDWORD lpcbData) {
  if (lpReserved || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
  return WithOpenKey(hKey, KEY_QUERY_VALUE, [&](Snapshot&, Key& key) -> LSTATUS {
    const k42::registry::Value* value = key.FindValue(ValueName(lpValueName));
    if (!value) return ERROR_FILE_NOT_FOUND;
    if (lpType) *lpType = value->type;
    if (!lpcbData) return ERROR_SUCCESS;
    DWORD size = static_cast<DWORD>(value->data.size());
    if (lpData && *lpcbData < size) {
      *lpcbData = size;
      return ERROR_MORE_DATA;
    }
    if (lpData && size) std::memcpy(lpData, value->data.data(), size);
    *lpcbData = size;
    return ERROR_SUCCESS;
  });
}

LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
  if ((!lpData && cbData) || HasLineBreak(ValueName(lpValueName))) return ERROR_INVALID_PARAMETER;
  return WithOpenKey(hKey, KEY_SET_VALUE, [&](Snapshot& registry, Key& key) -> LSTATUS {
    k42::registry::Value value{std::u16string(ValueName(lpValueName)), dwType, {}};
    if (cbData) value.data.assign(lpData, lpData + cbData);
    key.SetValue(std::move(value));
    return registry.Save();
  });
}

LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  return WithOpenKey(hKey, KEY_SET_VALUE, [&](Snapshot& registry, Key& key) -> LSTATUS {
    if (!key.RemoveValue(ValueName(lpValueName))) return ERROR_FILE_NOT_FOUND;
    return registry.Save();
  });
}

LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  HandleTable& table = Handles();
  std::lock_guard<std::mutex> lock(table.mutex);
  OpenKey base;
  if (!Resolve(table, hKey, base)) return ERROR_INVALID_HANDLE;
  std::vector<std::u16string> path = base.path;
  if (!AppendPath(lpSubKey, path)) return ERROR_FILE_NOT_FOUND;
  if (path.empty()) return ERROR_ACCESS_DENIED;  // a root key cannot be deleted
  Snapshot registry;
  if (!registry.hive.Find(base.root, base.path)) return ERROR_KEY_DELETED;
  Key* key = registry.hive.Find(base.root, path);
  if (!key) return ERROR_FILE_NOT_FOUND;
  if (key->HasChildren()) return ERROR_ACCESS_DENIED;
  std::u16string name = path.back();
  path.pop_back();
  registry.hive.Find(base.root, path)->RemoveChild(name);
  return registry.Save();
}

LSTATUS WINAPI RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey) {
  HandleTable& table = Handles();
  std::lock_guard<std::mutex> lock(table.mutex);
  OpenKey base;
  if (!Resolve(table, hKey, base)) return ERROR_INVALID_HANDLE;
  std::vector<std::u16string> names;
  if (!AppendPath(lpSubKey, names)) return ERROR_FILE_NOT_FOUND;
  Snapshot registry;
  Key* parent = registry.hive.Find(base.root, base.path);
  if (!parent) return ERROR_KEY_DELETED;
  if (names.empty()) {
    parent->Clear();
    return registry.Save();
  }
  for (size_t i = 0; i + 1 < names.size() && parent; ++i) parent = parent->Child(names[i]);
  if (!parent || !parent->RemoveChild(names.back())) return ERROR_FILE_NOT_FOUND;
  return registry.Save();
}

LSTATUS WINAPI RegCloseKey(HKEY hKey) {
  if (PredefinedRoot(hKey) >= 0) return ERROR_SUCCESS;
  HandleTable& table = Handles();
  std::lock_guard<std::mutex> lock(table.mutex);
  return table.keys.erase(reinterpret_cast<uintptr_t>(hKey)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
