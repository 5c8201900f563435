// One store per model for the short, much-repeated texts of its rows (display items, menu entries), each kept once.
//
// A large device repeats the same few texts thousands of times (control styles, fonts, alignments, formats,
// references to the same variable from many displays). Each distinct text is stored once, in large blocks of
// code units that never move, and a row holds an 8-byte handle instead of an owning string. Texts are never
// removed: the pool lives as long as its model, and the model only grows.
//
// Example:
//   k42::TextPool pool;
//   k42::PooledText a = pool.Intern(u"LEFT"), b = pool.Intern(u"LEFT");   // one copy, a == b
//   std::u16string_view text = a;                                         // u"LEFT"
#pragma once

#include <cstdint>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/SameText.h"

namespace k42 {

// A text of a TextPool: its code units, with their count stored in the two code units in front of them.
// The empty text needs no storage and is the default.
class PooledText {
 public:
  PooledText() = default;

  std::u16string_view View() const {
    return m_text == nullptr ? std::u16string_view() : std::u16string_view(m_text, Size());
  }
  operator std::u16string_view() const { return View(); }
  std::u16string String() const { return std::u16string(View()); }
  bool empty() const { return m_text == nullptr; }

  friend bool operator==(PooledText a, std::u16string_view b) { return SameText(a.View(), b); }
  friend bool operator==(PooledText a, PooledText b) { return SameText(a.View(), b.View()); }

 private:
  friend class TextPool;
  explicit PooledText(const char16_t* text) : m_text(text) {}
  uint32_t Size() const {
    uint32_t size;
    std::memcpy(&size, m_text - 2, sizeof size);
    return size;
  }

  const char16_t* m_text = nullptr;
};

class TextPool {
 public:
  TextPool() = default;
  TextPool(const TextPool&) = delete;
  TextPool& operator=(const TextPool&) = delete;

  // The pool's copy of text (made on first sight). Throws std::bad_alloc, or std::length_error for a text
  // of 4 G code units or more.
  PooledText Intern(std::u16string_view text);

  // A hint that text is about to be interned: starts loading its slot of the table, which on a large pool is
  // a cache miss, so that the reader's own work in the meantime hides it. Changes nothing.
  void Prefetch(std::u16string_view text) const;

  // A text of the pool named in 32 bits, for those who keep many references to the pool's texts: the
  // texts' block and place in it (0: the empty text).
  using Handle = uint32_t;
  // The same as Intern, naming the text by its handle.
  Handle InternHandle(std::u16string_view text);
  // The text of a handle that InternHandle gave.
  PooledText TextOf(Handle handle) const { return handle == 0 ? PooledText() : PooledText(TextAt(handle)); }

  // Distinct texts held.
  size_t Count() const { return m_count; }

  // The address of the text's length field, 4-byte aligned, with the code units right after it.
  static const void* HeaderOf(PooledText text) { return text.empty() ? nullptr : text.View().data() - 2; }

 private:
  // A stored text is named by its handle in the table too, so that the table of a hundred thousand texts
  // costs half of what pointers would.
  Handle Store(std::u16string_view text);
  const char16_t* TextAt(Handle handle) const;
  void Grow();

  std::vector<std::unique_ptr<char16_t[]>> m_blocks;
  size_t m_current = SIZE_MAX;  // the block being filled; a text longer than a block has one of its own
  size_t m_blockUsed = 0;       // code units used in the block being filled
  // Open addressing over the stored texts; at most half full. A slot keeps the text's hash beside its
  // handle, so that a probe compares texts only when their hashes agree, and growing needs no rehash:
  // the texts themselves lie all over the blocks, and reading one is a cache miss.
  struct Slot {
    Handle handle = 0;  // 0: free
    uint32_t hash = 0;
  };
  std::vector<Slot> m_slots;
  size_t m_count = 0;
};

}  // namespace k42
