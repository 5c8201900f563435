// Interning of row texts: block storage and an open-addressing table over it.
#include "model/TextPool.h"

#include <functional>
#include <stdexcept>

namespace k42 {

namespace {

// 64 K code units per block: large enough that the blocks' own bookkeeping is negligible, small enough that
// a small device does not reserve much it never uses.
constexpr size_t kBlockUnits = 64 * 1024;
constexpr size_t kHeaderUnits = 2;  // the 32-bit length in front of each text
constexpr size_t kAlignUnits = 4;   // 8 bytes

size_t HashOf(std::u16string_view text) { return std::hash<std::u16string_view>{}(text); }

}  // namespace

const char16_t* TextPool::Store(std::u16string_view text) {
  // Each text starts on an 8-byte boundary, so its length field can also be referred to by an address
  // whose low bits are free (CompactText borrows texts that way).
  m_blockUsed = (m_blockUsed + kAlignUnits - 1) / kAlignUnits * kAlignUnits;
  if (m_blockUsed > m_blockSize) m_blockUsed = m_blockSize;
  const size_t units = kHeaderUnits + text.size();
  if (m_blockSize - m_blockUsed < units) {
    // A text longer than a block gets a block of its own; the current block stays the one to fill.
    const size_t size = units > kBlockUnits ? units : kBlockUnits;
    auto block = std::make_unique<char16_t[]>(size);
    if (units > kBlockUnits) {
      char16_t* start = block.get();
      m_blocks.insert(m_blocks.end() - (m_blocks.empty() ? 0 : 1), std::move(block));
      const auto size32 = static_cast<uint32_t>(text.size());
      std::memcpy(start, &size32, sizeof size32);
      std::memcpy(start + kHeaderUnits, text.data(), text.size() * sizeof(char16_t));
      return start + kHeaderUnits;
    }
    m_blocks.push_back(std::move(block));
    m_blockUsed = 0;
    m_blockSize = size;
  }
  char16_t* start = m_blocks.back().get() + m_blockUsed;
  const auto size32 = static_cast<uint32_t>(text.size());
  std::memcpy(start, &size32, sizeof size32);
  std::memcpy(start + kHeaderUnits, text.data(), text.size() * sizeof(char16_t));
  m_blockUsed += units;
  return start + kHeaderUnits;
}

void TextPool::Grow() {
  std::vector<const char16_t*> slots(m_slots.empty() ? 1024 : m_slots.size() * 2, nullptr);
  const size_t mask = slots.size() - 1;
  for (const char16_t* text : m_slots) {
    if (text == nullptr) continue;
    const std::u16string_view view = PooledText(text).View();
    size_t at = HashOf(view) & mask;
    while (slots[at] != nullptr) at = (at + 1) & mask;
    slots[at] = text;
  }
  m_slots.swap(slots);
}

namespace {
thread_local TextPool* t_current = nullptr;
}  // namespace

TextPool* TextPool::Current() { return t_current; }

TextPool::Scope::Scope(TextPool* pool) : m_previous(t_current) { t_current = pool; }
TextPool::Scope::~Scope() { t_current = m_previous; }

PooledText TextPool::Intern(std::u16string_view text) {
  if (text.empty()) return PooledText();
  if (text.size() > UINT32_MAX - kHeaderUnits) throw std::length_error("text too long for the pool");
  if ((m_count + 1) * 2 > m_slots.size()) Grow();
  const size_t mask = m_slots.size() - 1;
  size_t at = HashOf(text) & mask;
  for (; m_slots[at] != nullptr; at = (at + 1) & mask) {
    if (PooledText(m_slots[at]).View() == text) return PooledText(m_slots[at]);
  }
  const char16_t* stored = Store(text);
  m_slots[at] = stored;
  ++m_count;
  return PooledText(stored);
}

}  // namespace k42
