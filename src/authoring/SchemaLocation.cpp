// Finds the schema location that applies to a document's root element among those the root names.
#include "authoring/SchemaLocation.h"

#include <string_view>

namespace k42 {
namespace {

std::u16string_view LocalName(std::u16string_view name) {
  const size_t colon = name.find(u':');
  return colon == std::u16string_view::npos ? name : name.substr(colon + 1);
}

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::vector<std::u16string_view> Words(std::u16string_view text) {
  std::vector<std::u16string_view> words;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && IsSpace(text[at])) ++at;
    const size_t start = at;
    while (at < text.size() && !IsSpace(text[at])) ++at;
    if (at > start) words.push_back(text.substr(start, at - start));
  }
  return words;
}

}  // namespace

SchemaReference SchemaOf(const ScannedElement& root) {
  SchemaReference found;
  found.space = root.space;
  for (const ScannedAttribute& attribute : root.attributes) {
    const std::u16string_view local = LocalName(attribute.name);
    if (local == u"noNamespaceSchemaLocation" && found.space.empty()) {
      found.attribute = &attribute;
      found.location = attribute.value;
    } else if (local == u"schemaLocation" && !found.space.empty()) {
      found.attribute = &attribute;
      const std::vector<std::u16string_view> words = Words(attribute.value);
      for (size_t i = 0; i + 1 < words.size(); i += 2) {
        if (words[i] == found.space && found.location.empty()) found.location = std::u16string(words[i + 1]);
      }
    }
  }
  return found;
}

}  // namespace k42
