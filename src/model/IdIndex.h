// Look-ups by identifier over an owned record list that answer as a scan from the front would.
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
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/OwnedList.h"

namespace k42 {

// The first record of each identifier.
template <typename T>
class FirstIdIndex {
 public:
  T* Find(const OwnedList<T>& list, std::u16string_view id) const {
    CatchUp(list);
    const auto found = m_first.find(id);
    return found == m_first.end() ? nullptr : found->second;
  }

 private:
  void CatchUp(const OwnedList<T>& list) const {
    for (; m_indexed < list.size(); ++m_indexed) m_first.emplace(list[m_indexed]->Id(), list[m_indexed].get());
  }

  mutable std::unordered_map<std::u16string_view, T*> m_first;
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
