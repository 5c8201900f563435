// Reads one value out of the SDK initialization string.
#include "model/InitString.h"

namespace k42 {

std::u16string InitStringValue(const std::u16string& text, const std::u16string& key) {
  if (text.empty() || key.empty()) return {};
  const std::u16string whole = u"|" + text + u"|";
  const std::u16string needle = u"|" + key + u"=";
  const size_t found = whole.find(needle);
  if (found == std::u16string::npos) return {};

  // The value ends at the first "|" that does not start an escaped pair.
  const size_t begin = found + needle.size();
  size_t end = begin;
  while (end < whole.size()) {
    if (whole[end] == u'|') {
      if (end + 1 < whole.size() && whole[end + 1] == u'|') {
        end += 2;
        continue;
      }
      break;
    }
    ++end;
  }

  std::u16string value;
  value.reserve(end - begin);
  for (size_t i = begin; i < end; ++i) {
    value.push_back(whole[i]);
    if (whole[i] == u'|' && i + 1 < end && whole[i + 1] == u'|') ++i;  // keep one of the pair
  }
  return value;
}

}  // namespace k42
