// Element kinds of the localized file and the one-pass reading of their attributes.
#include "localization/LocElements.h"

#include <xercesc/util/XMLString.hpp>

namespace k42 {

namespace {

// Fills values with the attributes named names, in one pass over the element's attributes.
template <size_t N>
void AttributeValues(const xercesc::Attributes& attributes, const char16_t* const (&names)[N],
                     std::u16string_view* values) {
  static_assert(N <= kLocAttributes);
  bool found[N] = {};
  const XMLSize_t count = attributes.getLength();
  for (XMLSize_t i = 0; i < count; ++i) {
    const XMLCh* qName = attributes.getQName(i);
    for (size_t n = 0; n < N; ++n) {
      if (!found[n] && xercesc::XMLString::equals(qName, names[n])) {
        const XMLCh* value = attributes.getValue(i);
        values[n] = value != nullptr ? std::u16string_view(value) : std::u16string_view();
        found[n] = true;
        break;
      }
    }
  }
}

}  // namespace

LocElement LocElementNamed(std::u16string_view name) {
  if (name.empty()) return LocElement::kOther;
  switch (name[0]) {
    case u'E':
      return name == u"ENUM" ? LocElement::kEnum : LocElement::kOther;
    case u'H':
      if (name == u"HELPTOPIC") return LocElement::kHelpTopic;
      return name == u"HELPFILE" ? LocElement::kHelpFile : LocElement::kOther;
    case u'I':
      return name == u"ID" ? LocElement::kId : LocElement::kOther;
    case u'L':
      if (name == u"LABEL") return LocElement::kLabel;
      if (name == u"LANG") return LocElement::kLang;
      return name == u"LANGUAGE_SUPPORT" ? LocElement::kLanguageSupport : LocElement::kOther;
    case u'S':
      return name == u"SCOPE" ? LocElement::kScope : LocElement::kOther;
    case u'T':
      return name == u"TOOLTIP" ? LocElement::kTooltip : LocElement::kOther;
    case u'U':
      return name == u"UIHELPFILE" ? LocElement::kUiHelpFile : LocElement::kOther;
    default:
      return LocElement::kOther;
  }
}

void ReadLocAttributes(LocElement element, const xercesc::Attributes& attributes,
                       std::u16string_view (&values)[kLocAttributes]) {
  switch (element) {
    case LocElement::kLang: {
      static constexpr const char16_t* kNames[] = {u"DEFAULT", u"ID"};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kScope: {
      static constexpr const char16_t* kNames[] = {u"ID"};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kId: {
      static constexpr const char16_t* kNames[] = {u"NAME"};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kLabel:
    case LocElement::kTooltip: {
      static constexpr const char16_t* kNames[] = {u"DDSTRING"};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kEnum: {
      static constexpr const char16_t* kNames[] = {u"ID", u"LEGEND", u"DDSTRING"};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kHelpFile:
    case LocElement::kUiHelpFile: {
      static constexpr const char16_t* kNames[] = {u"FREF", u"ANCHORS"};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kOther:
    case LocElement::kLanguageSupport:
    case LocElement::kHelpTopic:
      break;
  }
}

}  // namespace k42
