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
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/OwnedList.h"
#include "model/SameText.h"

namespace k42 {

// Records by identifier in one flat array of pointers (open addressing, at most half full): the record
// entered first under an identifier stays. A record's identifier is its key, so it must not change while
// the record is in a table. About 16 bytes a record instead of a hash map's node of 40 to 60.
//
// Each slot also keeps 16 bits of its identifier's hash in the pointer's top bits, which user-space
// addresses of the 64-bit targets leave zero: a probe then passes a record of another identifier without
// reading the record and its identifier, two cache misses on a large table.
template <typename T>
class IdTable {
 public:
  // False when a record of that identifier is already there (record is then not stored).
  bool Insert(T* record) {
    if ((m_count + 1) * 2 > m_slots.size()) Grow();
    const std::u16string_view id = record->Id();
    const size_t hash = Hash(id);
    const size_t mask = m_slots.size() - 1;
    size_t at = hash & mask;
    for (; m_slots[at] != 0; at = (at + 1) & mask) {
      if (Same(m_slots[at], hash, id)) return false;
    }
    m_slots[at] = Tagged(record, hash);
    ++m_count;
    return true;
  }

  T* Find(std::u16string_view id) const {
    if (m_count == 0) return nullptr;
    const size_t hash = Hash(id);
    const size_t mask = m_slots.size() - 1;
    for (size_t at = hash & mask; m_slots[at] != 0; at = (at + 1) & mask) {
      if (Same(m_slots[at], hash, id)) return RecordOf(m_slots[at]);
    }
    return nullptr;
  }

  size_t size() const { return m_count; }

  // Visits every record, in no particular order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (uintptr_t slot : m_slots) {
      if (slot != 0) visit(*RecordOf(slot));
    }
  }

 private:
  static size_t Hash(std::u16string_view id) { return std::hash<std::u16string_view>{}(id); }
  // The tag takes the hash's top bits; the slot's place comes from its low bits.
  uintptr_t TagOf(size_t hash) const { return static_cast<uintptr_t>(hash) & ~m_addressMask; }
  uintptr_t Tagged(T* record, size_t hash) {
    const auto address = reinterpret_cast<uintptr_t>(record);
    // An address that uses the top bits (or pointers narrower than 64 bits) turns tags off for good.
    if ((address & ~m_addressMask) != 0) {
      for (uintptr_t& slot : m_slots) slot &= m_addressMask;
      m_addressMask = ~uintptr_t{0};
    }
    return address | TagOf(hash);
  }
  T* RecordOf(uintptr_t slot) const { return reinterpret_cast<T*>(slot & m_addressMask); }
  bool Same(uintptr_t slot, size_t hash, std::u16string_view id) const {
    return (slot & ~m_addressMask) == TagOf(hash) && SameText(RecordOf(slot)->Id(), id);
  }

  void Grow() {
    std::vector<uintptr_t> slots(m_slots.empty() ? 8 : m_slots.size() * 2, 0);
    const size_t mask = slots.size() - 1;
    for (uintptr_t slot : m_slots) {
      if (slot == 0) continue;
      size_t at = Hash(RecordOf(slot)->Id()) & mask;
      while (slots[at] != 0) at = (at + 1) & mask;
      slots[at] = slot;
    }
    m_slots.swap(slots);
  }

  std::vector<uintptr_t> m_slots;
  size_t m_count = 0;
  uintptr_t m_addressMask = sizeof(uintptr_t) == 8 ? (uintptr_t{1} << 48) - 1 : ~uintptr_t{0};
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
