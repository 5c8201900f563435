// What the localized file's reader keeps from one read of the file for the next, in the document.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/DDDocument.h"
#include "model/TextPool.h"

namespace k42 {

struct LocReadMemo : CDDDocument::ReaderMemo {
  // IdTrail's order of the records met.
  std::vector<uintptr_t> order;
  // TextTrail's pool handles of the texts given, by the language block ("ID" of "LANG") they were read in.
  std::unordered_map<std::u16string, std::vector<TextPool::Handle>> texts;
};

// The document's memo, made on first use. Throws std::bad_alloc.
inline LocReadMemo& LocReadMemoOf(CDDDocument& document) {
  auto& memo = document.LocalizedReaderMemo();
  if (memo == nullptr) memo = std::make_unique<LocReadMemo>();
  return static_cast<LocReadMemo&>(*memo);
}

}  // namespace k42
