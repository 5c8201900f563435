// The bounds that keep the work of one load proportional to the size of its file, whatever the file holds.
//
// A file is refused (the load fails as for a parse error, with one logged line naming the bound) when
//   - it carries a document type declaration: neither file format needs one, and without it there are no
//     entities beyond the five predefined ones, so no text can expand;
//   - its elements nest deeper than kMaxElementDepth;
//   - an element carries more than kMaxElementAttributes attributes;
//   - the XML library needs more memory for it than MemoryBudget(file size).
//
// Example:
//   k42::BudgetMemoryManager budget(k42::MemoryBudget(k42::FileSize(path)));
//   xercesc::XercesDOMParser parser(nullptr, &budget);   // allocations past the budget throw
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include <xercesc/framework/MemoryManager.hpp>

namespace k42 {

// Element nesting allowed in either file; real devices stay below a few dozen levels.
constexpr unsigned kMaxElementDepth = 1000;

// Attributes allowed on one element in either file; the vocabulary's elements carry at most a few dozen.
constexpr unsigned kMaxElementAttributes = 1000;

// Memory the XML library may use for a file of fileSize bytes: a fixed base for the schema and the
// parser, plus a multiple of the size that a validated document tree of ordinary content stays under.
constexpr uint64_t kMemoryBudgetBase = uint64_t{64} << 20;
constexpr uint64_t kMemoryBudgetPerFileByte = 32;
uint64_t MemoryBudget(uint64_t fileSize);

// The size of the file at path in bytes (0 when it cannot be read).
uint64_t FileSize(const std::u16string& path);

// Thrown by our parser callbacks to stop a parse at a bound; what() is the diagnostic.
class LoadRefused : public std::runtime_error {
 public:
  explicit LoadRefused(const std::string& reason) : std::runtime_error(reason) {}
  std::u16string Reason() const;
};

// The diagnostics of the two structural bounds.
LoadRefused DoctypeRefused();
LoadRefused TooDeep();
LoadRefused TooManyAttributes();

// Allocates for the XML library over malloc and counts the bytes in use; an allocation that would take
// the count past the limit throws the library's OutOfMemoryException, which unwinds the parse. Every
// byte comes back when the parser (and its document) is destroyed.
class BudgetMemoryManager : public xercesc::MemoryManager {
 public:
  explicit BudgetMemoryManager(uint64_t limit) : m_limit(limit) {}

  void* allocate(XMLSize_t size) override;
  void deallocate(void* p) override;
  xercesc::MemoryManager* getExceptionMemoryManager() override;

  uint64_t Limit() const { return m_limit; }
  uint64_t InUse() const { return m_inUse; }
  // True once an allocation was refused for the budget (not for a failing malloc).
  bool Exceeded() const { return m_exceeded; }
  // The diagnostic of an exceeded budget.
  std::u16string Diagnostic() const;

 private:
  uint64_t m_limit;
  uint64_t m_inUse = 0;
  bool m_exceeded = false;
};

}  // namespace k42
