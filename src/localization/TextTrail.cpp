// Texts of the localized file made from the previous read's pool entries, checked before use.
#include "localization/TextTrail.h"

#include <new>

namespace k42 {

namespace {

// How many texts ahead an entry starts loading: the parser's work on the elements in between hides the miss.
constexpr size_t kTextsAhead = 8;

}  // namespace

TextTrail::TextTrail(TextPool& pool, Kept& kept) : m_pool(pool), m_kept(kept) {}

void TextTrail::EnterBlock(std::u16string_view language) {
  const std::u16string key(language);
  const auto previous = m_kept.find(key);
  m_previous = previous != m_kept.end() ? &previous->second : nullptr;
  m_cursor = 0;
  m_current = nullptr;
  if (!m_recording) return;
  try {
    m_current = &m_read[key];
    m_current->clear();  // a block read twice: the later one counts
    if (m_previous != nullptr) m_current->reserve(m_previous->size());
  } catch (const std::bad_alloc&) {
    m_recording = false;
    m_read = {};
  }
}

void TextTrail::Record(const void* entry) {
  if (!m_recording || m_current == nullptr) return;
  try {
    m_current->push_back(entry);
  } catch (const std::bad_alloc&) {
    // The entries are only a hint: without them the next read looks every text up.
    m_recording = false;
    m_current = nullptr;
    m_read = {};
  }
}

CompactText TextTrail::Make(std::u16string_view text) {
  CompactText made;
  const void* guess = nullptr;
  if (HasGuess()) {
    if (m_cursor + kTextsAhead < m_previous->size() && (*m_previous)[m_cursor + kTextsAhead] != nullptr)
      __builtin_prefetch((*m_previous)[m_cursor + kTextsAhead]);
    guess = (*m_previous)[m_cursor];
  }
  if (guess != nullptr && CompactText::EntryText(guess) == text)
    made = CompactText::Borrowing(guess);
  else
    made = CompactText(m_pool, text);
  const void* entry = made.PoolEntry();
  Record(entry);
  // In step: move on. A text left out since the previous read: skip its place. One added or changed:
  // stay, the next text is the one the previous read met here.
  if (HasGuess()) {
    if ((*m_previous)[m_cursor] == entry)
      ++m_cursor;
    else if (m_cursor + 1 < m_previous->size() && (*m_previous)[m_cursor + 1] == entry)
      m_cursor += 2;
  }
  return made;
}

void TextTrail::Keep() {
  if (!m_recording) return;
  try {
    for (auto& [block, entries] : m_read) m_kept[block] = std::move(entries);
  } catch (const std::bad_alloc&) {
    m_kept = {};
  }
}

}  // namespace k42
