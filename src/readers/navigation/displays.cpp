// Reader of "PARDIS_AREA": display layouts and their items.
//
// The host lays the screen out; the reader only keeps the items in document
// order with what each one needs. Numbers are read as leading decimal
// integers (a hexadecimal colour reads as 0), flags with FlagFromText. A failed
// copy of an attribute text drops the item (or display) being built, except
// where noted below.
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "readers/navigation/NavigationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"
#include "platform/text.h"

namespace {

// The value of a keyword, or fallback for any other text.
int32_t KeywordOr(k42::KeywordTable table, std::u16string_view text, int32_t fallback) {
  int32_t value = fallback;
  k42::KeywordToValue(table, text, value);
  return value;
}

// Stores the leading decimal integer of attribute i when present.
template <size_t N>
void ReadNumber(const k42::Attributes<N>& attributes, size_t i, int32_t& value) {
  std::u16string_view text;
  if (attributes.Get(i, text)) value = k42::LeadingIntegerOf(text);
}

}  // namespace

int k42::NavigationReader::ParsePardisArea(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return 0;
  k42::ForEachChild(node, [&](DOMNode* child) {
    if (k42::NodeNameIs(child, k42::names::kPardisDec)) ParsePardisDec(child, module);
    return true;
  });
  return 0;
}

int k42::NavigationReader::ParsePardisDec(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return -1;
  std::unique_ptr<CDDPardis> display;
  try {
    display = std::make_unique<CDDPardis>();
  } catch (...) {
    return -1;
  }
  try {
    // The kind is looked up by its qualified name as written in the file.
    static constexpr std::u16string_view kNames[] = {k42::names::kPardisId, k42::names::kValidityId,
                                                     k42::names::kXsiType};
    const k42::Attributes attributes(node, kNames);
    std::u16string_view id, validity, type;
    const bool hasId = attributes.Get(0, id);
    const bool hasValidity = attributes.Get(1, validity);
    const bool hasType = attributes.Get(2, type);
    if (!hasId || !hasType) return -2;
    display->SetId(m_texts, id);
    if (hasValidity) display->SetValidityId(k42::CompactText(m_texts, validity));
    display->SetDisplayType(KeywordOr(k42::KeywordTable::kDisplayKind, type, DISPLAY_UNKNOWN));
  } catch (...) {
    return -3;
  }

  CDDPardis* target = display.get();
  k42::ForEachChild(node, [&](DOMNode* child) {
    const k42::NodeNameRef name = k42::NodeName(child);
    if (name == k42::names::kVariablePardis)
      ParseVariablePardis(child, target);
    else if (name == k42::names::kImagePardis)
      ParseImagePardis(child, target);
    else if (name == k42::names::kHorNav)
      ParseHorNav(child, target);
    else if (name == k42::names::kMethodPardis)
      ParseMethodPardis(child, target);
    else if (name == k42::names::kModulePardis)
      ParseModulePardis(child, target);
    else if (name == k42::names::kNewColumnPardis)
      ParseNewColumnPardis(child, target);
    else if (name == k42::names::kEmptyFieldPardis)
      ParseEmptyFieldPardis(child, target);
    else if (name == k42::names::kHeadlinePardis)
      ParseHeadlinePardis(child, target);
    return true;
  });

  try {
    module->AddDisplay(std::move(display));
  } catch (...) {
    return -1;
  }
  return 0;
}

int k42::NavigationReader::ParseVariablePardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    static constexpr std::u16string_view kNames[] = {k42::names::kVarRef, k42::names::kLabelRef, k42::names::kLegend,
                                                     k42::names::kControlStyle, k42::names::kHelpRef};
    const k42::Attributes attributes(node, kNames);
    CDDDisplayItem item;
    if (!attributes.Pool(m_texts, 0, item.m_reference)) return 0;
    item.m_parType = PAR_VARIABLE;
    attributes.Pool(m_texts, 1, item.m_labelRef);
    attributes.Pool(m_texts, 2, item.m_legend);
    // A lost "CONTROLSTYLE" or "HELPREF" keeps the field as it was and
    // the item is still shown.
    item.m_controlStyle = CTRL_VAR_EDIT;
    std::u16string_view style;
    if (attributes.Get(3, style)) {
      item.m_controlStyle = KeywordOr(k42::KeywordTable::kControlStyle, style, CTRL_UNKNOWN);
    }
    try {
      attributes.Pool(m_texts, 4, item.m_helpRef);
    } catch (...) {
      item.m_helpRef = {};
    }
    ParseControlFormat(node->getChildNodes(), &item);
    display->AddItem(item);
  } catch (...) {
    // The item is dropped; the rest of the display is read.
  }
  return 0;
}

int k42::NavigationReader::ParseImagePardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    CDDDisplayItem item;
    if (!PoolAttribute(node, k42::names::kImageRef, item.m_reference)) return 0;
    item.m_parType = PAR_IMAGE;
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int k42::NavigationReader::ParseMethodPardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    static constexpr std::u16string_view kNames[] = {k42::names::kMetRef, k42::names::kControlStyle};
    const k42::Attributes attributes(node, kNames);
    CDDDisplayItem item;
    if (!attributes.Pool(m_texts, 0, item.m_reference)) return 0;
    item.m_parType = PAR_METHODE;
    std::u16string_view style;
    if (attributes.Get(1, style)) {
      k42::KeywordToValue(k42::KeywordTable::kMethodStyle, style, item.m_controlStyle);
    }
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int k42::NavigationReader::ParseModulePardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    // An embedded control: the label reference carries its programmatic
    // identifier and the legend its initialization string.
    static constexpr std::u16string_view kNames[] = {k42::names::kModId, k42::names::kModProgId,
                                                     k42::names::kModInitString, k42::names::kWidth,
                                                     k42::names::kHeight};
    const k42::Attributes attributes(node, kNames);
    CDDDisplayItem item;
    if (!attributes.Pool(m_texts, 0, item.m_reference) || !attributes.Pool(m_texts, 1, item.m_labelRef)) {
      return 0;
    }
    item.m_parType = PAR_MODULE;
    attributes.Pool(m_texts, 2, item.m_legend);
    ReadNumber(attributes, 3, item.m_weightOrWidth);
    ReadNumber(attributes, 4, item.m_height);
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int k42::NavigationReader::ParseHeadlinePardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    CDDDisplayItem item;
    item.m_parType = PAR_HEADLINE;
    item.m_controlStyle = CTRL_VAR_HEADLINE;
    static constexpr std::u16string_view kNames[] = {
        k42::names::kLabelRef, k42::names::kFontName, k42::names::kColorNormal, k42::names::kColorVisited,
        k42::names::kHeight,   k42::names::kWeight,   k42::names::kItalic,      k42::names::kUnderline};
    const k42::Attributes attributes(node, kNames);
    // Without a label there is no headline text, so its font is not read.
    if (attributes.Pool(m_texts, 0, item.m_reference)) {
      item.m_labelRef = item.m_reference;
      attributes.Pool(m_texts, 1, item.m_fontName);
      ReadNumber(attributes, 2, item.m_colorNormal);
      ReadNumber(attributes, 3, item.m_colorVisited);
      ReadNumber(attributes, 4, item.m_height);
      ReadNumber(attributes, 5, item.m_weightOrWidth);
      std::u16string_view flag;
      if (attributes.Get(6, flag)) item.m_italic = k42::FlagFromText(std::u16string(flag));
      if (attributes.Get(7, flag)) item.m_underline = k42::FlagFromText(std::u16string(flag));
    }
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int k42::NavigationReader::ParseEmptyFieldPardis(DOMNode*, CDDPardis* display) {
  if (display == nullptr) return 0;
  try {
    CDDDisplayItem item;
    item.m_parType = PAR_EMPTYELEMENT;
    item.m_controlStyle = CTRL_EMPTYFIELD;
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int k42::NavigationReader::ParseNewColumnPardis(DOMNode*, CDDPardis* display) {
  if (display == nullptr) return 0;
  try {
    // Same parameter type as an empty field; only the style tells them apart.
    CDDDisplayItem item;
    item.m_parType = PAR_EMPTYELEMENT;
    item.m_controlStyle = CTRL_NEWCOLUMN;
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int k42::NavigationReader::ParseHorNav(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    static constexpr std::u16string_view kNames[] = {k42::names::kTarget, k42::names::kPardisRef};
    const k42::Attributes attributes(node, kNames);
    std::u16string_view target;
    std::u16string reference;
    if (!attributes.Get(0, target) || !attributes.Get(1, reference)) return 0;
    int32_t which = -1;
    k42::KeywordToValue(k42::KeywordTable::kNavigationTarget, target, which);
    switch (which) {
      case k42::kNavFirst:
        display->SetFirst(k42::CompactText(m_texts, reference));
        break;
      case k42::kNavPrevious:
        display->SetPrevious(k42::CompactText(m_texts, reference));
        break;
      case k42::kNavNext:
        display->SetNext(k42::CompactText(m_texts, reference));
        break;
      case k42::kNavLast:
        display->SetLast(k42::CompactText(m_texts, reference));
        break;
      case k42::kNavHome:
        display->SetHome(k42::CompactText(m_texts, reference));
        break;
      default:
        break;
    }
  } catch (...) {}
  return 0;
}
