// Look-ups by identifier: a flat first-wins table, and indexes over record lists that answer as a scan would.
//
// The lists of the model only grow (records are appended while files are read, never removed or
// reordered), so an index catches up with its list on each look-up: the records appended since the last
// one are entered, and a look-up costs the same whatever the size of the list. Keys are views of the
// records' own identifiers, which never move (each record lives in its own allocation) and never change
// after the record is listed.
//
// Example:
//   k42::FirstIdIndex<CDDVariable> index;
//   CDDVariable* first = index.Find(m_variables, u"varTemp");   // as the first match of a scan
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/OwnedList.h"

namespace k42 {

// Records by identifier in one flat array of pointers (open addressing, at most half full): the record
// entered first under an identifier stays. A record's identifier is its key, so it must not change while
// the record is in a table. About 16 bytes a record instead of a hash map's node of 40 to 60.
template <typename T>
class IdTable {
 public:
  // False when a record of that identifier is already there (record is then not stored).
  bool Insert(T* record) {
    if ((m_count + 1) * 2 > m_slots.size()) Grow();
    const std::u16string_view id = record->Id();
    const size_t mask = m_slots.size() - 1;
    size_t at = Hash(id) & mask;
    for (; m_slots[at] != nullptr; at = (at + 1) & mask) {
      if (m_slots[at]->Id() == id) return false;
    }
    m_slots[at] = record;
    ++m_count;
    return true;
  }

  T* Find(std::u16string_view id) const {
    if (m_count == 0) return nullptr;
    const size_t mask = m_slots.size() - 1;
    for (size_t at = Hash(id) & mask; m_slots[at] != nullptr; at = (at + 1) & mask) {
      if (m_slots[at]->Id() == id) return m_slots[at];
    }
    return nullptr;
  }

  size_t size() const { return m_count; }

  // Visits every record, in no particular order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (T* record : m_slots) {
      if (record != nullptr) visit(*record);
    }
  }

 private:
  static size_t Hash(std::u16string_view id) { return std::hash<std::u16string_view>{}(id); }
  void Grow() {
    std::vector<T*> slots(m_slots.empty() ? 8 : m_slots.size() * 2, nullptr);
    const size_t mask = slots.size() - 1;
    for (T* record : m_slots) {
      if (record == nullptr) continue;
      size_t at = Hash(record->Id()) & mask;
      while (slots[at] != nullptr) at = (at + 1) & mask;
      slots[at] = record;
    }
    m_slots.swap(slots);
  }

  std::vector<T*> m_slots;
  size_t m_count = 0;
};

// The first record of each identifier.
template <typename T>
class FirstIdIndex {
 public:
  T* Find(const OwnedList<T>& list, std::u16string_view id) const {
    for (; m_indexed < list.size(); ++m_indexed) m_first.Insert(list[m_indexed].get());
    return m_first.Find(id);
  }

 private:
  mutable IdTable<T> m_first;
  mutable size_t m_indexed = 0;
};

// Every record of each identifier, in list order (for the look-ups that go on past the first match).
template <typename T>
class AllIdIndex {
 public:
  const std::vector<T*>& Find(const OwnedList<T>& list, std::u16string_view id) const {
    for (; m_indexed < list.size(); ++m_indexed) m_all[list[m_indexed]->Id()].push_back(list[m_indexed].get());
    static const std::vector<T*> kNone;
    const auto found = m_all.find(id);
    return found == m_all.end() ? kNone : found->second;
  }

 private:
  mutable std::unordered_map<std::u16string_view, std::vector<T*>> m_all;
  mutable size_t m_indexed = 0;
};

}  // namespace k42
