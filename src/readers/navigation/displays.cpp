// Reader of "PARDIS_AREA": display layouts and their items.
//
// The host lays the screen out; the reader only keeps the items in document
// order with what each one needs. Numbers are read as leading decimal
// integers (a hexadecimal colour reads as 0), flags with ParseBool. A failed
// copy of an attribute text drops the item (or display) being built, except
// where noted below.
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDParserXML.h"
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

// Stores the leading decimal integer of the attribute name when present.
void ReadNumber(const DOMNode* node, const char16_t* name, int32_t& value) {
  std::u16string_view text;
  if (k42::GetAttribute(node, name, text)) value = k42::LeadingInteger(text);
}

}  // namespace

int CDDParserXML::ParsePardisArea(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return 0;
  k42::ForEachNode(node->getChildNodes(), [&](DOMNode* child) {
    if (k42::NodeNameIs(child, u"PARDIS_DEC")) ParsePardisDec(child, module);
    return true;
  });
  return 0;
}

int CDDParserXML::ParsePardisDec(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return -1;
  std::unique_ptr<CDDPardis> display;
  try {
    display = std::make_unique<CDDPardis>();
  } catch (...) {
    return -1;
  }
  try {
    std::u16string id;
    std::u16string validity;
    std::u16string type;
    const bool hasId = k42::GetAttribute(node, u"PARDIS_ID", id);
    const bool hasValidity = k42::GetAttribute(node, u"VALIDITY_ID", validity);
    // Looked up by its qualified name as written in the file.
    const bool hasType = k42::GetAttribute(node, u"xsi:type", type);
    if (!hasId || !hasType) return -2;
    display->SetId(std::move(id));
    if (hasValidity) display->SetValidityId(std::move(validity));
    display->SetDisplayType(KeywordOr(k42::KeywordTable::kDisplayKind, type, DISPLAY_UNKNOWN));
  } catch (...) {
    return -3;
  }

  CDDPardis* target = display.get();
  k42::ForEachNode(node->getChildNodes(), [&](DOMNode* child) {
    if (k42::NodeNameIs(child, u"VARIABLE_PARDIS"))
      ParseVariablePardis(child, target);
    else if (k42::NodeNameIs(child, u"IMAGE_PARDIS"))
      ParseImagePardis(child, target);
    else if (k42::NodeNameIs(child, u"HOR_NAV"))
      ParseHorNav(child, target);
    else if (k42::NodeNameIs(child, u"METHOD_PARDIS"))
      ParseMethodPardis(child, target);
    else if (k42::NodeNameIs(child, u"MODULE_PARDIS"))
      ParseModulePardis(child, target);
    else if (k42::NodeNameIs(child, u"NEWCOLUMN_PARDIS"))
      ParseNewColumnPardis(child, target);
    else if (k42::NodeNameIs(child, u"EMPTYFIELD_PARDIS"))
      ParseEmptyFieldPardis(child, target);
    else if (k42::NodeNameIs(child, u"HEADLINE_PARDIS"))
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

int CDDParserXML::ParseVariablePardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    CDDDisplayItem item;
    if (!PoolAttribute(node, u"VAR_REF", item.m_reference)) return 0;
    item.m_parType = PAR_VARIABLE;
    PoolAttribute(node, u"LABEL_REF", item.m_labelRef);
    PoolAttribute(node, u"LEGEND", item.m_legend);
    // A lost "CONTROLSTYLE" or "HELPREF" keeps the field as it was and
    // the item is still shown.
    item.m_controlStyle = CTRL_VAR_EDIT;
    std::u16string_view style;
    if (k42::GetAttribute(node, u"CONTROLSTYLE", style)) {
      item.m_controlStyle = KeywordOr(k42::KeywordTable::kControlStyle, style, CTRL_UNKNOWN);
    }
    try {
      PoolAttribute(node, u"HELPREF", item.m_helpRef);
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

int CDDParserXML::ParseImagePardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    CDDDisplayItem item;
    if (!PoolAttribute(node, u"IMAGE_REF", item.m_reference)) return 0;
    item.m_parType = PAR_IMAGE;
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int CDDParserXML::ParseMethodPardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    CDDDisplayItem item;
    if (!PoolAttribute(node, u"MET_REF", item.m_reference)) return 0;
    item.m_parType = PAR_METHODE;
    std::u16string_view style;
    if (k42::GetAttribute(node, u"CONTROLSTYLE", style)) {
      k42::KeywordToValue(k42::KeywordTable::kMethodStyle, style, item.m_controlStyle);
    }
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int CDDParserXML::ParseModulePardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    // An embedded control: the label reference carries its programmatic
    // identifier and the legend its initialization string.
    CDDDisplayItem item;
    if (!PoolAttribute(node, u"MOD_ID", item.m_reference) || !PoolAttribute(node, u"MOD_PROGID", item.m_labelRef)) {
      return 0;
    }
    item.m_parType = PAR_MODULE;
    PoolAttribute(node, u"MOD_INITSTRING", item.m_legend);
    ReadNumber(node, u"WIDTH", item.m_weightOrWidth);
    ReadNumber(node, u"HEIGHT", item.m_height);
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int CDDParserXML::ParseHeadlinePardis(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    CDDDisplayItem item;
    item.m_parType = PAR_HEADLINE;
    item.m_controlStyle = CTRL_VAR_HEADLINE;
    // Without a label there is no headline text, so its font is not read.
    if (PoolAttribute(node, u"LABEL_REF", item.m_reference)) {
      item.m_labelRef = item.m_reference;
      PoolAttribute(node, u"FONTNAME", item.m_fontName);
      ReadNumber(node, u"COLOR_NORMAL", item.m_colorNormal);
      ReadNumber(node, u"COLOR_VISITED", item.m_colorVisited);
      ReadNumber(node, u"HEIGHT", item.m_height);
      ReadNumber(node, u"WEIGHT", item.m_weightOrWidth);
      std::u16string_view flag;
      if (k42::GetAttribute(node, u"ITALIC", flag)) item.m_italic = ParseBool(std::u16string(flag));
      if (k42::GetAttribute(node, u"UNDERLINE", flag)) item.m_underline = ParseBool(std::u16string(flag));
    }
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int CDDParserXML::ParseEmptyFieldPardis(DOMNode*, CDDPardis* display) {
  if (display == nullptr) return 0;
  try {
    CDDDisplayItem item;
    item.m_parType = PAR_EMPTYELEMENT;
    item.m_controlStyle = CTRL_EMPTYFIELD;
    display->AddItem(item);
  } catch (...) {}
  return 0;
}

int CDDParserXML::ParseNewColumnPardis(DOMNode*, CDDPardis* display) {
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

int CDDParserXML::ParseHorNav(DOMNode* node, CDDPardis* display) {
  if (node == nullptr || display == nullptr) return 0;
  try {
    std::u16string target;
    std::u16string reference;
    if (!k42::GetAttribute(node, u"TARGET", target) || !k42::GetAttribute(node, u"PARDIS_REF", reference)) {
      return 0;
    }
    int32_t which = -1;
    k42::KeywordToValue(k42::KeywordTable::kNavigationTarget, target, which);
    switch (which) {
      case k42::kNavFirst:
        display->SetFirst(std::move(reference));
        break;
      case k42::kNavPrevious:
        display->SetPrevious(std::move(reference));
        break;
      case k42::kNavNext:
        display->SetNext(std::move(reference));
        break;
      case k42::kNavLast:
        display->SetLast(std::move(reference));
        break;
      case k42::kNavHome:
        display->SetHome(std::move(reference));
        break;
      default:
        break;
    }
  } catch (...) {}
  return 0;
}
