// Finds the records a read of the localized file names through the order the previous read met them in.
//
// A language switch reads the same file again, and the file names its records in the same order each
// time: the record the previous read found at the same place is the likely answer, and the records after
// it are known in advance, so they are loaded into the cache before they are needed instead of costing a
// hash table's dependent misses one after another. A guess is used only when it comes from the same scope
// and carries the identifier asked for; otherwise the caller looks the identifier up, as without a trail.
// A record found once in a scope stays the answer there: records are never removed, and a scope's first
// record of an identifier keeps it.
//
// Example:
//   k42::IdTrail trail(memo.order);                 // the LocReadMemo of the document
//   trail.EnterScope(scope);                       // each scope of the blocks that apply
//   CDDBase* found = trail.Guess(id);              // null: look it up
//   if (found == nullptr) found = scope->FindChild(id);
//   trail.Met(found);                              // found or not, each identifier of the scope
//   trail.Keep();                                  // at the end of the read: this read's order for the next
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class CDDBase;

namespace k42 {

class IdTrail {
 public:
  // kept: the previous read's order (empty for the first read); Keep replaces it with this read's.
  explicit IdTrail(std::vector<uintptr_t>& kept);
  IdTrail(const IdTrail&) = delete;
  IdTrail& operator=(const IdTrail&) = delete;

  // The identifiers met from now on are looked up in scope, until the next EnterScope.
  void EnterScope(const CDDBase* scope);
  // The record the previous read met at this place, when it has identifier id; null otherwise.
  CDDBase* Guess(std::u16string_view id);
  // What this place's identifier found (null: nothing); moves on to the next place.
  void Met(CDDBase* found);
  // Hands this read's order over for the next read (a read that ran out of memory keeps none).
  void Keep();

 private:
  // Where the previous read met scope, at the cursor or after it (else from the start); size when nowhere.
  size_t FindScope(uintptr_t mark);
  // Starts loading the records a few places ahead, and the identifiers of those nearer.
  void LoadAhead() const;
  void Record(uintptr_t entry);

  std::vector<uintptr_t>& m_kept;
  // Entries of an order: a record's address (0: nothing found), or a scope's address with its low bit set
  // (records and scopes are objects with a virtual table: their addresses are even).
  std::vector<uintptr_t> m_previous;
  std::vector<uintptr_t> m_order;
  size_t m_cursor = 0;
  // Entries of the previous order that searches for a scope may still pass over: bounds the work of a
  // file whose scopes no longer come in the previous order to a few passes over it.
  size_t m_searchBudget = 0;
  bool m_recording = true;
};

}  // namespace k42
