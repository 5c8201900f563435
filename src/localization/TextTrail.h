// Makes the texts a read of the localized file gives its records, from the pool's texts the previous read
// of the same language block used at the same places.
//
// The texts of a language block are the same on every read of the file: the pool's text the previous read
// of the block took at the same place is the likely one, and the texts after it are known in advance, so
// they are loaded before they are needed instead of costing the pool's hash look-up (a hash over the text,
// a slot and the stored text, each a cache miss on a large model) one after another. A guess is used only
// when it is exactly the text given, which is the one the pool itself would find: the pool keeps each
// text once and never removes one. A read keeps 4 bytes per text of the blocks it read.
//
// Example:
//   k42::TextTrail trail(pool, memo.texts);
//   trail.EnterBlock(u"de");                              // each language block that applies
//   element->SetLabel(pool, trail.Make(text), 0, key);    // each text, in file order
//   trail.Keep();                                         // at the end of the read
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/CompactText.h"
#include "model/TextPool.h"

namespace k42 {

class TextTrail {
 public:
  using Kept = std::unordered_map<std::u16string, std::vector<TextPool::Handle>>;
  // kept: the handles of earlier reads by language block; Keep replaces those of the blocks read now.
  TextTrail(TextPool& pool, Kept& kept);
  TextTrail(const TextTrail&) = delete;
  TextTrail& operator=(const TextTrail&) = delete;

  // The texts from now on belong to the block of that language.
  void EnterBlock(std::u16string_view language);
  // Whether the next text has a guess to try (without one, the caller may hint the pool's look-up).
  bool HasGuess() const { return m_previous != nullptr && m_cursor < m_previous->size(); }
  // text as a record of the model keeps it: borrowed from the pool, or inline when short.
  CompactText Make(std::u16string_view text);
  // Hands this read's handles over for the next read (a read that ran out of memory keeps none).
  void Keep();

 private:
  void Record(TextPool::Handle handle);

  TextPool& m_pool;
  Kept& m_kept;
  // The block being read: its handles of the previous read (null: none) and of this one.
  const std::vector<TextPool::Handle>* m_previous = nullptr;
  std::vector<TextPool::Handle>* m_current = nullptr;
  size_t m_cursor = 0;
  Kept m_read;  // this read's, by block
  bool m_recording = true;
};

}  // namespace k42
