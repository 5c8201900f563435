// The localized file's elements as its reader meets them: which kind each is, and the attributes each needs.
//
// The reader's callbacks turn an element's name into a LocElement once and read the attribute values that
// kind needs in one pass over the element's attributes (a look-up by name per value would pass over them
// once each); the model's text application then works on kinds and values.
//
// Example:
//   const k42::LocElement element = k42::LocElementNamed(localName);
//   std::u16string_view values[k42::kLocAttributes];
//   k42::ReadLocAttributes(element, attributes, values);   // for kEnum: "ID", "LEGEND", "DDSTRING"
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include <xercesc/sax2/Attributes.hpp>

namespace k42 {

// The elements of the localized file the texts depend on; every other element is kOther.
enum class LocElement : uint8_t {
  kOther,
  kLanguageSupport,
  kLang,        // "DEFAULT", "ID"
  kScope,       // "ID"
  kId,          // "NAME"
  kLabel,       // "DDSTRING"
  kTooltip,     // "DDSTRING"
  kHelpTopic,   //
  kEnum,        // "ID", "LEGEND", "DDSTRING"
  kHelpFile,    // "FREF", "ANCHORS"
  kUiHelpFile,  // "FREF", "ANCHORS"
};
constexpr size_t kLocAttributes = 3;

LocElement LocElementNamed(std::u16string_view name);

// Whether name can be "LANG" or "LANGUAGE_SUPPORT", the two elements that count outside a language block
// that applies: most names differ from both in their first two letters.
inline bool MayBeLanguageElement(std::u16string_view name) {
  return name.size() >= 4 && name[0] == u'L' && name[1] == u'A';
}

// The values of the attributes element needs, in the order listed at LocElement; absent ones are empty
// (of two equal names the first counts, as with Attributes::getValue(name)). The views point into the
// reader's attributes and last until the callback returns.
void ReadLocAttributes(LocElement element, const xercesc::Attributes& attributes,
                       std::u16string_view (&values)[kLocAttributes]);

}  // namespace k42
