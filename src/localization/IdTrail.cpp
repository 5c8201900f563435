// Guesses of the localized file's records from the previous read's order, checked before use.
#include "localization/IdTrail.h"

#include <new>
#include <utility>

#include "model/DDBase.h"
#include "model/SameText.h"

namespace k42 {

namespace {

constexpr uintptr_t kScopeMark = 1;

bool IsRecord(uintptr_t entry) { return entry != 0 && (entry & kScopeMark) == 0; }
CDDBase* RecordOf(uintptr_t entry) { return reinterpret_cast<CDDBase*>(entry); }

// How far ahead a record starts loading: far enough that the parser's work on the elements in between
// hides the miss, near enough that the lines are still cached when their turn comes. Its identifier is
// loaded half as far ahead, once the record itself has arrived.
constexpr size_t kRecordsAhead = 16;
constexpr size_t kIdsAhead = kRecordsAhead / 2;

}  // namespace

IdTrail::IdTrail(std::vector<uintptr_t>& kept) : m_kept(kept), m_previous(std::move(kept)) {
  kept.clear();
  m_searchBudget = 4 * m_previous.size();
  try {
    m_order.reserve(m_previous.size());
  } catch (const std::bad_alloc&) {
    m_recording = false;
  }
}

void IdTrail::Record(uintptr_t entry) {
  if (!m_recording) return;
  try {
    m_order.push_back(entry);
  } catch (const std::bad_alloc&) {
    // The order is only a hint: without it the next read looks every identifier up.
    m_recording = false;
    m_order = {};
  }
}

size_t IdTrail::FindScope(uintptr_t mark) {
  const size_t size = m_previous.size();
  for (size_t pass = 0, at = m_cursor; pass < 2; ++pass, at = 0) {
    for (; at < size && m_searchBudget > 0; ++at, --m_searchBudget) {
      if (m_previous[at] == mark) return at;
    }
  }
  return size;
}

void IdTrail::EnterScope(const CDDBase* scope) {
  const uintptr_t mark = reinterpret_cast<uintptr_t>(scope) | kScopeMark;
  Record(mark);
  const size_t at = m_cursor < m_previous.size() && m_previous[m_cursor] == mark ? m_cursor : FindScope(mark);
  m_cursor = at < m_previous.size() ? at + 1 : m_previous.size();
}

void IdTrail::LoadAhead() const {
  if (m_cursor + kRecordsAhead < m_previous.size() && IsRecord(m_previous[m_cursor + kRecordsAhead])) {
    // A record of the model spans a few cache lines; its texts lie in the later ones.
    const auto* bytes = reinterpret_cast<const char*>(m_previous[m_cursor + kRecordsAhead]);
    __builtin_prefetch(bytes);
    __builtin_prefetch(bytes + 64);
    __builtin_prefetch(bytes + 128);
  }
  if (m_cursor + kIdsAhead < m_previous.size() && IsRecord(m_previous[m_cursor + kIdsAhead])) {
    __builtin_prefetch(RecordOf(m_previous[m_cursor + kIdsAhead])->Id().data());
  }
}

CDDBase* IdTrail::Guess(std::u16string_view id) {
  if (m_cursor >= m_previous.size()) return nullptr;
  LoadAhead();
  const uintptr_t entry = m_previous[m_cursor];
  // Past the end of the previous read's scope the entry is the next scope's mark: no guess.
  if (!IsRecord(entry) || !SameText(RecordOf(entry)->Id(), id)) return nullptr;
  return RecordOf(entry);
}

void IdTrail::Met(CDDBase* found) {
  const auto entry = reinterpret_cast<uintptr_t>(found);
  Record(entry);
  if (m_cursor >= m_previous.size() || (m_previous[m_cursor] & kScopeMark) != 0) return;
  // In step: move on. An identifier left out since the previous read: skip its place. One added (or
  // changed): stay, the next identifier is the one the previous read met here.
  if (m_previous[m_cursor] == entry) {
    ++m_cursor;
  } else if (m_cursor + 1 < m_previous.size() && m_previous[m_cursor + 1] == entry) {
    m_cursor += 2;
  }
}

void IdTrail::Keep() {
  if (!m_recording) return;
  m_order.shrink_to_fit();  // kept for as long as the model
  m_kept = std::move(m_order);
}

}  // namespace k42
