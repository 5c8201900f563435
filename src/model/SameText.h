// Exact equality of two UTF-16 texts, decided by comparing their bytes.
//
// The same answer as a == b. The standard library compares char16_t texts one code unit at a time; the C
// library's byte comparison looks at many at once. The model's look-ups compare identifiers and texts of
// tens of code units each time their hashes agree, hundreds of thousands of times per load.
//
//   k42::SameText(record->Id(), u"var_pressure")   // true exactly when a == b
#pragma once

#include <cstring>
#include <string_view>

namespace k42 {

inline bool SameText(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

}  // namespace k42
