// Finds the closest declared identifier to an unresolved reference by edit distance.
#include "authoring/NearMiss.h"

#include <algorithm>
#include <cstdlib>

namespace k42 {
namespace {

// The edit distance of a and b, or anything above limit once it is certain to exceed it.
size_t Distance(const std::u16string& a, const std::u16string& b, size_t limit) {
  const size_t lengthGap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
  if (lengthGap > limit) return limit + 1;
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    size_t best = row[0];
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
      best = std::min(best, row[j]);
    }
    if (best > limit) return limit + 1;
  }
  return row[b.size()];
}

}  // namespace

std::u16string NearMiss(const std::u16string& id, const std::vector<std::u16string>& candidates) {
  const size_t limit = std::max<size_t>(1, id.size() / 3);
  std::u16string closest;
  size_t closestDistance = limit + 1;
  for (const std::u16string& candidate : candidates) {
    if (candidate == id) continue;
    const size_t distance = Distance(id, candidate, limit);
    if (distance < closestDistance) {
      closestDistance = distance;
      closest = candidate;
    }
  }
  return closest;
}

}  // namespace k42
