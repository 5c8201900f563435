// An owned or pool-borrowed text sized to its content in one pointer, for the many mostly-short texts of the records.
//
// A record of a large device carries up to nine texts, most of them empty or a few code units long. An
// std::u16string costs 32 bytes even when empty, plus a spare-capacity allocation once it outgrows its
// inline buffer; this costs 8 bytes, holds up to three code units itself and puts a longer text either in
// one exactly sized allocation of its own or, when it is made with a TextPool, in that pool, once for all
// records that carry the same text. Who makes the text decides which, by passing the pool or not.
//
// Example:
//   k42::CompactText label(u"Pressure");            // owns its copy
//   k42::CompactText pooled(pool, u"Pressure");     // borrows pool's copy; must not outlive pool
//   std::u16string_view text = pooled.View();       // u"Pressure"
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "model/TextPool.h"

namespace k42 {

class CompactText {
 public:
  CompactText() = default;
  // An owned copy of text.
  CompactText(std::u16string_view text) { Assign(text, nullptr); }  // NOLINT: a text stands in for one
  // text as kept once in pool, borrowed from it: the model's records, which never outlive its pool.
  CompactText(TextPool& pool, std::u16string_view text) { Assign(text, &pool); }
  // A copy owns its text, whatever the original does: it may outlive the original's pool.
  CompactText(const CompactText& other) { Assign(other.View(), nullptr); }
  CompactText(CompactText&& other) noexcept {
    std::memcpy(m_units, other.m_units, sizeof m_units);
    std::memset(other.m_units, 0, sizeof other.m_units);
  }
  CompactText& operator=(const CompactText& other) {
    if (this != &other) Assign(other.View(), nullptr);
    return *this;
  }
  CompactText& operator=(CompactText&& other) noexcept {
    std::swap(m_units, other.m_units);
    return *this;
  }
  CompactText& operator=(std::u16string_view text) {
    Assign(text, nullptr);
    return *this;
  }
  ~CompactText() { ::operator delete(Block()); }

  std::u16string_view View() const {
    if (IsInline()) return {m_units + 1, static_cast<size_t>(m_units[0] >> 1)};
    const void* block = Address();
    if (block == nullptr) return {};
    uint32_t size;
    std::memcpy(&size, block, sizeof size);
    return {reinterpret_cast<const char16_t*>(static_cast<const char*>(block) + sizeof size), size};
  }
  operator std::u16string_view() const { return View(); }
  std::u16string String() const { return std::u16string(View()); }
  bool empty() const { return View().empty(); }
  void clear() { Assign({}, nullptr); }
  // Whether the text lies in a pool rather than in this object or an allocation of its own.
  bool Borrowed() const { return IsBorrowed(); }

  friend bool operator==(const CompactText& a, std::u16string_view b) { return SameText(a.View(), b); }

  // Whether text is kept in the object itself, pool or not.
  static bool FitsInline(std::u16string_view text) { return !text.empty() && text.size() <= kInlineUnits; }
  // A text borrowing pooled, which was found in the pool before (the pool must outlive the result); as
  // CompactText(pool, text) for a text that does not fit inline.
  static CompactText Borrowing(PooledText pooled) {
    CompactText text;
    if (pooled.empty()) return text;
    const auto bits = reinterpret_cast<uintptr_t>(TextPool::HeaderOf(pooled)) | kBorrowedMark;
    std::memcpy(text.m_units, &bits, sizeof bits);
    return text;
  }

 private:
  static_assert(std::endian::native == std::endian::little, "the inline form relies on the low byte coming first");
  // Up to three code units are kept in the object itself, after a first code unit that holds the marker bit
  // (never set in a block's address, which is aligned) and the length: an enumeration value, a unit, a flag.
  static constexpr size_t kInlineUnits = sizeof(void*) / sizeof(char16_t) - 1;

  bool IsInline() const { return (m_units[0] & kInlineMark) != 0; }
  bool IsBorrowed() const { return (m_units[0] & kBorrowedMark) != 0; }
  // The length field of a block, owned or borrowed; null for the empty and the inline text.
  const void* Address() const {
    if (IsInline()) return nullptr;
    uintptr_t bits;
    std::memcpy(&bits, m_units, sizeof bits);
    return reinterpret_cast<const void*>(bits & ~uintptr_t{kBorrowedMark});
  }
  // The block this text owns, or null.
  void* Block() const { return IsBorrowed() ? nullptr : const_cast<void*>(Address()); }

  // Owned, or borrowed from pool when there is one. Strong guarantee: on failure the text stays as it was.
  void Assign(std::u16string_view text, TextPool* pool) {
    char16_t units[kUnits] = {};
    if (FitsInline(text)) {
      units[0] = static_cast<char16_t>(kInlineMark | (text.size() << 1));
      std::memcpy(units + 1, text.data(), text.size() * sizeof(char16_t));
    } else if (pool != nullptr && !text.empty()) {
      const auto bits = reinterpret_cast<uintptr_t>(TextPool::HeaderOf(pool->Intern(text))) | kBorrowedMark;
      std::memcpy(units, &bits, sizeof bits);
    } else if (!text.empty()) {
      if (text.size() > UINT32_MAX / sizeof(char16_t) - 2) throw std::length_error("text too long");
      const auto size = static_cast<uint32_t>(text.size());
      void* block = ::operator new(sizeof size + text.size() * sizeof(char16_t));
      std::memcpy(block, &size, sizeof size);
      std::memcpy(static_cast<char*>(block) + sizeof size, text.data(), text.size() * sizeof(char16_t));
      std::memcpy(units, &block, sizeof block);
    }
    ::operator delete(Block());
    std::memcpy(m_units, units, sizeof units);
  }

  // Either the address of a block (the 32-bit length, then the code units; null for the empty text), the
  // same of a text in the pool it was made with (marked by the second bit, not owned),
  // or, marked by the low bit of the first unit, a short text itself.
  static constexpr size_t kUnits = sizeof(void*) / sizeof(char16_t);
  static constexpr char16_t kInlineMark = 1;
  static constexpr char16_t kBorrowedMark = 2;  // a pooled text's address (4-byte aligned), not owned
  alignas(void*) char16_t m_units[kUnits] = {};
};

}  // namespace k42
