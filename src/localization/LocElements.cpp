// Element kinds of the localized file and the one-pass reading of their attributes.
#include "localization/LocElements.h"
#include "model/Names.h"

#include "model/DomUtil.h"

namespace k42 {

namespace {

// Fills values with the attributes named names, in one pass over the element's attributes.
template <size_t N>
void AttributeValues(const xercesc::Attributes& attributes, const std::u16string_view (&names)[N],
                     std::u16string_view* values) {
  static_assert(N <= kLocAttributes);
  bool found[N] = {};
  const XMLSize_t count = attributes.getLength();
  for (XMLSize_t i = 0; i < count; ++i) {
    const XMLCh* qName = attributes.getQName(i);
    for (size_t n = 0; n < N; ++n) {
      if (!found[n] && NodeNameRef(qName) == names[n]) {
        const XMLCh* value = attributes.getValue(i);
        values[n] = value != nullptr ? std::u16string_view(value) : std::u16string_view();
        found[n] = true;
        break;
      }
    }
  }
}

}  // namespace

// The switch below picks the candidates by their first letter.
static_assert(locnames::kEnum[0] == u'E' && locnames::kHelpTopic[0] == u'H' && locnames::kHelpFile[0] == u'H' &&
              locnames::kId[0] == u'I' && locnames::kLabel[0] == u'L' && locnames::kLang[0] == u'L' &&
              locnames::kLanguageSupport[0] == u'L' && locnames::kScope[0] == u'S' && locnames::kTooltip[0] == u'T' &&
              locnames::kUiHelpFile[0] == u'U');

LocElement LocElementNamed(std::u16string_view name) {
  if (name.empty()) return LocElement::kOther;
  switch (name[0]) {
    case u'E':
      return name == locnames::kEnum ? LocElement::kEnum : LocElement::kOther;
    case u'H':
      if (name == locnames::kHelpTopic) return LocElement::kHelpTopic;
      return name == locnames::kHelpFile ? LocElement::kHelpFile : LocElement::kOther;
    case u'I':
      return name == locnames::kId ? LocElement::kId : LocElement::kOther;
    case u'L':
      if (name == locnames::kLabel) return LocElement::kLabel;
      if (name == locnames::kLang) return LocElement::kLang;
      return name == locnames::kLanguageSupport ? LocElement::kLanguageSupport : LocElement::kOther;
    case u'S':
      return name == locnames::kScope ? LocElement::kScope : LocElement::kOther;
    case u'T':
      return name == locnames::kTooltip ? LocElement::kTooltip : LocElement::kOther;
    case u'U':
      return name == locnames::kUiHelpFile ? LocElement::kUiHelpFile : LocElement::kOther;
    default:
      return LocElement::kOther;
  }
}

void ReadLocAttributes(LocElement element, const xercesc::Attributes& attributes,
                       std::u16string_view (&values)[kLocAttributes]) {
  switch (element) {
    case LocElement::kLang: {
      static constexpr std::u16string_view kNames[] = {locnames::kDefault, locnames::kId};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kScope: {
      static constexpr std::u16string_view kNames[] = {locnames::kId};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kId: {
      static constexpr std::u16string_view kNames[] = {locnames::kName};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kLabel:
    case LocElement::kTooltip: {
      static constexpr std::u16string_view kNames[] = {locnames::kDdString};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kEnum: {
      static constexpr std::u16string_view kNames[] = {locnames::kId, locnames::kLegend, locnames::kDdString};
      AttributeValues(attributes, kNames, values);
      break;
    }
    case LocElement::kHelpFile:
    case LocElement::kUiHelpFile: {
      static constexpr std::u16string_view kNames[] = {locnames::kFref, locnames::kAnchors};
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
