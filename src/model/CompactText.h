// An owned text sized to its content in one pointer, for the many mostly-short texts of the records.
//
// A record of a large device carries up to nine texts, most of them empty or a few code units long. An
// std::u16string costs 32 bytes even when empty, plus a spare-capacity allocation once it outgrows its
// inline buffer; this costs 8 bytes when empty and one exactly-sized allocation otherwise.
//
// Example:
//   k42::CompactText label;
//   label = u"Pressure";
//   std::u16string_view text = label.View();   // u"Pressure"
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

namespace k42 {

class CompactText {
 public:
  CompactText() = default;
  CompactText(std::u16string_view text) { Assign(text); }  // NOLINT: a text stands in for one
  CompactText(const CompactText& other) { Assign(other.View()); }
  CompactText(CompactText&& other) noexcept : m_block(other.m_block) { other.m_block = nullptr; }
  CompactText& operator=(const CompactText& other) {
    if (this != &other) Assign(other.View());
    return *this;
  }
  CompactText& operator=(CompactText&& other) noexcept {
    std::swap(m_block, other.m_block);
    return *this;
  }
  CompactText& operator=(std::u16string_view text) {
    Assign(text);
    return *this;
  }
  ~CompactText() { ::operator delete(m_block); }

  std::u16string_view View() const {
    if (m_block == nullptr) return {};
    uint32_t size;
    std::memcpy(&size, m_block, sizeof size);
    return {reinterpret_cast<const char16_t*>(static_cast<const char*>(m_block) + sizeof size), size};
  }
  operator std::u16string_view() const { return View(); }
  std::u16string String() const { return std::u16string(View()); }
  bool empty() const { return m_block == nullptr; }
  void clear() {
    ::operator delete(m_block);
    m_block = nullptr;
  }

  friend bool operator==(const CompactText& a, std::u16string_view b) { return a.View() == b; }

 private:
  // Strong guarantee: on failure the text stays as it was.
  void Assign(std::u16string_view text) {
    void* block = nullptr;
    if (!text.empty()) {
      if (text.size() > UINT32_MAX / sizeof(char16_t) - 2) throw std::length_error("text too long");
      const auto size = static_cast<uint32_t>(text.size());
      block = ::operator new(sizeof size + text.size() * sizeof(char16_t));
      std::memcpy(block, &size, sizeof size);
      std::memcpy(static_cast<char*>(block) + sizeof size, text.data(), text.size() * sizeof(char16_t));
    }
    ::operator delete(m_block);
    m_block = block;
  }

  void* m_block = nullptr;  // the 32-bit length, then the code units; null for the empty text
};

}  // namespace k42
