// The declared identifier an unresolved reference most likely meant ("disBasik" -> "disBasic").
#pragma once

#include <string>
#include <vector>

namespace k42 {

// The candidate closest to id by edit distance (insertions, deletions and substitutions of UTF-16 units),
// when it is close enough to be a slip: at most one edit for identifiers of up to five units, and at most
// a third of id's length beyond. Of equally close candidates the first is taken; none close enough gives
// an empty text, and so does a candidate equal to id (it would not be a miss).
std::u16string NearMiss(const std::u16string& id, const std::vector<std::u16string>& candidates);

}  // namespace k42
