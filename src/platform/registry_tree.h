// The registry in memory: five root keys, each a tree of keys with typed values.
#pragma once

#include <k42gui/wintypes.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace k42::registry {

// Keys nest at most this deep below a root, as on Windows; the limit also
// bounds the recursion that walks and destroys the tree.
inline constexpr size_t kMaxKeyDepth = 512;

// The roots, in the order an export file lists them.
enum RootIndex { kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kCurrentConfig, kRootCount };

// "HKEY_CLASSES_ROOT" and so on.
std::u16string_view RootName(int root);

// The root named `name` (any letter case), or -1.
int RootFromName(std::u16string_view name);

struct Value {
  std::u16string name;  // empty: the key's default value
  DWORD type = 0;
  std::vector<BYTE> data;
};

// One key. Subkey and value names keep the letter case they were created
// with but are looked up case-insensitively, as Windows does; subkeys are
// kept sorted by their upper-case names, values in the order they were first set.
class Key {
 public:
  Key() = default;
  explicit Key(std::u16string name) : m_name(std::move(name)) {}

  const std::u16string& Name() const { return m_name; }

  // The subkey of that name, or nullptr.
  Key* Child(std::u16string_view name);
  const Key* Child(std::u16string_view name) const;

  // The subkey of that name, created if missing (*created tells which).
  Key& EnsureChild(std::u16string_view name, bool* created = nullptr);

  // Removes a subkey with everything below it; false if there was none.
  bool RemoveChild(std::u16string_view name);

  bool HasChildren() const { return !m_children.empty(); }
  const std::map<std::u16string, std::unique_ptr<Key>>& Children() const { return m_children; }

  // The value of that name (empty: the default value), or nullptr.
  const Value* FindValue(std::u16string_view name) const;

  // Stores a value; one of the same name is replaced in place.
  void SetValue(Value value);

  // Removes a value; false if there was none.
  bool RemoveValue(std::u16string_view name);

  const std::vector<Value>& Values() const { return m_values; }

  // Removes every subkey and every value.
  void Clear();

 private:
  std::u16string m_name;
  std::map<std::u16string, std::unique_ptr<Key>> m_children;  // by upper-case name
  std::vector<Value> m_values;
};

// A whole registry.
struct Hive {
  Key roots[kRootCount];

  // The key at `path` below a root (an empty path is the root), or nullptr.
  Key* Find(int root, const std::vector<std::u16string>& path);
};

}  // namespace k42::registry
