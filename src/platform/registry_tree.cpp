// Key lookup, creation and removal in the in-memory registry, names compared case-insensitively.
#include "platform/registry_tree.h"

#include "platform/text.h"

namespace k42::registry {
namespace {

constexpr std::u16string_view kRootNames[kRootCount] = {u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER",
                                                        u"HKEY_LOCAL_MACHINE", u"HKEY_USERS", u"HKEY_CURRENT_CONFIG"};

std::u16string Folded(std::u16string_view name) { return ToUpper(std::u16string(name)); }

}  // namespace

std::u16string_view RootName(int root) { return root >= 0 && root < kRootCount ? kRootNames[root] : u""; }

int RootFromName(std::u16string_view name) {
  std::u16string folded = Folded(name);
  for (int root = 0; root < kRootCount; ++root)
    if (folded == kRootNames[root]) return root;
  return -1;
}

Key* Key::Child(std::u16string_view name) {
  auto it = m_children.find(Folded(name));
  return it == m_children.end() ? nullptr : it->second.get();
}

const Key* Key::Child(std::u16string_view name) const {
  auto it = m_children.find(Folded(name));
  return it == m_children.end() ? nullptr : it->second.get();
}

Key& Key::EnsureChild(std::u16string_view name, bool* created) {
  std::unique_ptr<Key>& slot = m_children[Folded(name)];
  if (created) *created = !slot;
  if (!slot) slot = std::make_unique<Key>(std::u16string(name));
  return *slot;
}

bool Key::RemoveChild(std::u16string_view name) { return m_children.erase(Folded(name)) > 0; }

const Value* Key::FindValue(std::u16string_view name) const {
  std::u16string folded = Folded(name);
  for (const Value& value : m_values)
    if (Folded(value.name) == folded) return &value;
  return nullptr;
}

void Key::SetValue(Value value) {
  std::u16string folded = Folded(value.name);
  for (Value& existing : m_values) {
    if (Folded(existing.name) == folded) {
      existing.type = value.type;
      existing.data = std::move(value.data);
      return;
    }
  }
  m_values.push_back(std::move(value));
}

bool Key::RemoveValue(std::u16string_view name) {
  std::u16string folded = Folded(name);
  for (auto it = m_values.begin(); it != m_values.end(); ++it) {
    if (Folded(it->name) == folded) {
      m_values.erase(it);
      return true;
    }
  }
  return false;
}

void Key::Clear() {
  m_children.clear();
  m_values.clear();
}

Key* Hive::Find(int root, const std::vector<std::u16string>& path) {
  if (root < 0 || root >= kRootCount) return nullptr;
  Key* key = &roots[root];
  for (const std::u16string& name : path) {
    key = key->Child(name);
    if (!key) return nullptr;
  }
  return key;
}

}  // namespace k42::registry
