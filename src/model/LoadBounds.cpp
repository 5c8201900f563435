// The load bounds: memory budget, the refusals of a document type declaration and of deep nesting.
#include "model/LoadBounds.h"

#include <cstdlib>
#include <filesystem>

#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include "platform/text.h"

namespace k42 {
namespace {

// Each block carries its size in front, aligned for any type.
constexpr size_t kHeader = alignof(std::max_align_t);

}  // namespace

uint64_t MemoryBudget(uint64_t fileSize) { return kMemoryBudgetBase + kMemoryBudgetPerFileByte * fileSize; }

uint64_t FileSize(const std::u16string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(std::filesystem::path(ToNarrow(path)), error);
  return error ? 0 : static_cast<uint64_t>(size);
}

std::u16string LoadRefused::Reason() const { return FromNarrow(what()); }

LoadRefused DoctypeRefused() {
  return LoadRefused("document type declaration refused (entities and DTDs are not accepted)");
}

LoadRefused TooDeep() {
  return LoadRefused("elements nested deeper than " + std::to_string(kMaxElementDepth) + " levels refused");
}

LoadRefused TooManyAttributes() {
  return LoadRefused("elements with more than " + std::to_string(kMaxElementAttributes) + " attributes refused");
}

void* BudgetMemoryManager::allocate(XMLSize_t size) {
  if (size > m_limit || m_inUse + size > m_limit) {
    m_exceeded = true;
    throw xercesc::OutOfMemoryException();
  }
  auto* block = static_cast<unsigned char*>(std::malloc(kHeader + size));
  if (block == nullptr) throw xercesc::OutOfMemoryException();
  *reinterpret_cast<XMLSize_t*>(block) = size;
  m_inUse += size;
  return block + kHeader;
}

void BudgetMemoryManager::deallocate(void* p) {
  if (p == nullptr) return;
  auto* block = static_cast<unsigned char*>(p) - kHeader;
  m_inUse -= *reinterpret_cast<XMLSize_t*>(block);
  std::free(block);
}

xercesc::MemoryManager* BudgetMemoryManager::getExceptionMemoryManager() {
  return xercesc::XMLPlatformUtils::fgMemoryManager;
}

std::u16string BudgetMemoryManager::Diagnostic() const {
  return FromNarrow("memory budget of " + std::to_string(m_limit >> 20) + " MiB exceeded (" +
                    std::to_string(kMemoryBudgetBase >> 20) + " MiB + " + std::to_string(kMemoryBudgetPerFileByte) +
                    " bytes per byte of the file)");
}

}  // namespace k42
