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
constexpr size_t kAlignUnits = 2;   // 4 bytes: the two low bits of a text's address stay free
// A handle is 1 + the block's position shifted over the text's place in the block (in steps of kAlignUnits).
constexpr unsigned kPlaceBits = 15;
static_assert(kBlockUnits / kAlignUnits == size_t{1} << kPlaceBits);
constexpr size_t kMaxBlocks = (size_t{1} << (32 - kPlaceBits)) - 1;  // 16 GB of texts

size_t HashOf(std::u16string_view text) { return std::hash<std::u16string_view>{}(text); }

}  // namespace

const char16_t* TextPool::TextAt(Handle handle) const {
  --handle;
  return m_blocks[handle >> kPlaceBits].get() + (handle & ((Handle{1} << kPlaceBits) - 1)) * kAlignUnits + kHeaderUnits;
}

TextPool::Handle TextPool::Store(std::u16string_view text) {
  // Each text starts on a 4-byte boundary, so its length field can also be referred to by an address whose
  // two low bits are free (CompactText borrows texts that way).
  const size_t units = kHeaderUnits + text.size();
  m_blockUsed = (m_blockUsed + kAlignUnits - 1) / kAlignUnits * kAlignUnits;
  size_t block = m_current;
  size_t place = m_blockUsed;
  if (units > kBlockUnits || m_current == SIZE_MAX || kBlockUnits - m_blockUsed < units) {
    if (m_blocks.size() >= kMaxBlocks) throw std::length_error("the text pool is full");
    // A text longer than a block gets a block of its own; the block being filled stays the one to fill.
    const bool own = units > kBlockUnits;
    m_blocks.push_back(std::make_unique<char16_t[]>(own ? units : kBlockUnits));
    block = m_blocks.size() - 1;
    place = 0;
    if (!own) m_current = block;
  }
  if (block == m_current) m_blockUsed = place + units;
  char16_t* start = m_blocks[block].get() + place;
  const auto size32 = static_cast<uint32_t>(text.size());
  std::memcpy(start, &size32, sizeof size32);
  std::memcpy(start + kHeaderUnits, text.data(), text.size() * sizeof(char16_t));
  return static_cast<Handle>((block << kPlaceBits) | (place / kAlignUnits)) + 1;
}

void TextPool::Grow() {
  std::vector<Slot> slots(m_slots.empty() ? 1024 : m_slots.size() * 2);
  const size_t mask = slots.size() - 1;
  for (const Slot& slot : m_slots) {
    if (slot.handle == 0) continue;
    size_t at = slot.hash & mask;
    while (slots[at].handle != 0) at = (at + 1) & mask;
    slots[at] = slot;
  }
  m_slots.swap(slots);
}

void TextPool::Prefetch(std::u16string_view text) const {
  if (text.empty() || m_slots.empty()) return;
  __builtin_prefetch(&m_slots[HashOf(text) & (m_slots.size() - 1)]);
}

PooledText TextPool::Intern(std::u16string_view text) { return TextOf(InternHandle(text)); }

TextPool::Handle TextPool::InternHandle(std::u16string_view text) {
  if (text.empty()) return 0;
  if (text.size() > UINT32_MAX - kHeaderUnits) throw std::length_error("text too long for the pool");
  if ((m_count + 1) * 2 > m_slots.size()) Grow();
  const size_t mask = m_slots.size() - 1;
  // Slots keep the low 32 bits of the hash: enough to pick among the slots of any table a pool needs.
  const auto hash = static_cast<uint32_t>(HashOf(text));
  size_t at = hash & mask;
  for (; m_slots[at].handle != 0; at = (at + 1) & mask) {
    if (m_slots[at].hash != hash) continue;
    const PooledText stored(TextAt(m_slots[at].handle));
    if (stored == text) return m_slots[at].handle;
  }
  const Handle stored = Store(text);
  m_slots[at] = Slot{stored, hash};
  ++m_count;
  return stored;
}

}  // namespace k42
