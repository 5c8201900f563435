// Texts of the localized file made from the previous read's pool texts, checked before use.
#include "localization/TextTrail.h"

#include <new>

namespace k42 {

namespace {

// How many texts ahead a guess starts loading: the parser's work on the elements in between hides the miss.
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

void TextTrail::Record(TextPool::Handle handle) {
  if (!m_recording || m_current == nullptr) return;
  try {
    m_current->push_back(handle);
  } catch (const std::bad_alloc&) {
    // The handles are only a hint: without them the next read looks every text up.
    m_recording = false;
    m_current = nullptr;
    m_read = {};
  }
}

CompactText TextTrail::Make(std::u16string_view text) {
  TextPool::Handle guess = 0;
  if (HasGuess()) {
    if (m_cursor + kTextsAhead < m_previous->size())
      __builtin_prefetch(TextPool::HeaderOf(m_pool.TextOf((*m_previous)[m_cursor + kTextsAhead])));
    guess = (*m_previous)[m_cursor];
  }
  TextPool::Handle handle = 0;
  CompactText made;
  if (CompactText::FitsInline(text)) {
    made = CompactText(text);  // what the pool would not be asked for
  } else if (!text.empty()) {
    handle = guess != 0 && m_pool.TextOf(guess) == text ? guess : m_pool.InternHandle(text);
    made = CompactText::Borrowing(m_pool.TextOf(handle));
  }
  Record(handle);
  // In step: move on. A text left out since the previous read: skip its place. One added or changed:
  // stay, the next text is the one the previous read met here.
  if (HasGuess()) {
    if ((*m_previous)[m_cursor] == handle)
      ++m_cursor;
    else if (m_cursor + 1 < m_previous->size() && (*m_previous)[m_cursor + 1] == handle)
      m_cursor += 2;
  }
  return made;
}

void TextTrail::Keep() {
  if (!m_recording) return;
  try {
    for (auto& [block, handles] : m_read) {
      handles.shrink_to_fit();  // kept for as long as the model
      m_kept[block] = std::move(handles);
    }
  } catch (const std::bad_alloc&) {
    m_kept = {};
  }
}

}  // namespace k42
