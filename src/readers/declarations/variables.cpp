// Reader of "VAR_DEC": variables with their data type, modifiers, format and enumeration items.
#include <algorithm>
#include <map>
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "readers/declarations/DeclarationReader.h"
#include "model/Names.h"
#include "readers/declarations/declaration_list.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"
#include "platform/text.h"

int k42::DeclarationReader::ParseVarDec(DOMNodeList* list) {
  k42::ReadDeclarations(
      list, k42::names::kVarId, m_document.Variables(), m_elements, m_texts,
      [this](DOMNode* node, CDDVariable* variable) { ParseVarBody(node->getChildNodes(), variable); });
  return 0;
}

int k42::DeclarationReader::ParseVarBody(DOMNodeList* children, CDDVariable* variable) {
  if (variable == nullptr) return 0;
  try {
    if (children == nullptr || children->item(0) == nullptr) {
      // A declaration without any child node whose identifier looks like
      // "__<digit>.." stands for a parameter that is not unique.
      const std::u16string_view id = variable->Id();
      if (id.size() >= 5 && id[0] == u'_' && id[1] == u'_' && id[2] >= u'0' && id[2] <= u'9') {
        variable->SetType(TYPE_DD_NOTUNIQUE);
      }
      return 0;
    }
    k42::ForEachChild(children, [&](DOMNode* child) {
      // Text and comment nodes ("#text", "#comment") match none of the names.
      const k42::NodeNameRef name = k42::NodeName(child);
      if (name == k42::names::kGuiFormat)
        ParseGuiFormat(child, variable);
      else if (name == k42::names::kDatatype)
        ParseDatatype(child, variable);
      else if (name == k42::names::kModifier)
        ParseVarModifier(child, variable);
      else if (name == k42::names::kEnumItem)
        ParseEnumItem(child, variable);
      else if (name == k42::names::kValue)
        ParseValue(child, variable);
      return true;
    });
  } catch (...) {
    // The variable keeps what was read before the failure.
  }
  return 0;
}

int k42::DeclarationReader::ParseDatatype(DOMNode* node, CDDVariable* variable) {
  if (node == nullptr || variable == nullptr) return -1;
  try {
    static constexpr std::u16string_view kNames[] = {k42::names::kStorage, k42::names::kSizeInBit, k42::names::kCond};
    const k42::Attributes attributes(node, kNames);
    std::u16string_view text;
    int32_t storage = 0;
    if (attributes.Get(0, text) && k42::StorageFromKeyword(text, storage)) {
      variable->SetStorage(storage);
    }
    if (attributes.Get(1, text)) variable->SetSizeInBit(k42::LeadingIntegerOf(text));
    if (attributes.Get(2, text)) variable->SetConditionalAttribute(k42::LeadingIntegerOf(text));
    // Every child node counts, comments included: the last one decides.
    k42::ForEachChild(node, [&](DOMNode* child) {
      variable->SetType(k42::DataTypeFromKeyword(k42::NodeValueView(child)));
      return true;
    });
  } catch (...) {
    return -1;
  }
  return 0;
}

int k42::DeclarationReader::ParseVarModifier(DOMNode* node, CDDVariable* variable) {
  if (node == nullptr || variable == nullptr) return -1;
  try {
    std::u16string_view text;
    int32_t handling = 0;
    if (k42::GetAttribute(node, k42::names::kHandling, text) && k42::HandlingFromKeyword(text, handling)) {
      variable->SetHandling(handling);
    }
  } catch (...) {
    return -1;
  }
  return 0;
}

int k42::DeclarationReader::ParseEnumItem(DOMNode* node, CDDVariable* variable) {
  if (node == nullptr || variable == nullptr) return -1;
  try {
    static constexpr std::u16string_view kNames[] = {k42::names::kValue, k42::names::kDdString};
    const k42::Attributes attributes(node, kNames);
    std::u16string_view text;
    if (!attributes.Get(0, text)) return -1;
    const std::u16string_view value = text;
    if (!attributes.Get(1, text)) text = {};
    variable->EnumItems().Add(m_texts, value, text);
  } catch (...) {
    return -1;  // the item is left out
  }
  return 0;
}

int k42::DeclarationReader::ParseValue(DOMNode* node, CDDVariable* variable) {
  if (node == nullptr || variable == nullptr) return -1;
  try {
    std::u16string_view source;
    if (!k42::GetAttribute(node, k42::names::kSource, source)) return -1;
    // A plain variable ignores both texts; a metavariable stores them.
    variable->SetSource(std::u16string(source));
    if (DOMNode* first = node->getFirstChild()) variable->SetValueText(std::u16string(k42::NodeValueView(first)));
  } catch (...) {
    return -1;
  }
  return 0;
}
