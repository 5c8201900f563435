// Reader of "VAR_DEC": variables with their data type, modifiers, format and enumeration items.
#include <algorithm>
#include <map>
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDParserXML.h"
#include "readers/declarations/declaration_list.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"
#include "platform/text.h"

int CDDParserXML::ParseVarDec(DOMNodeList* list) {
  k42::ReadDeclarations(list, u"VAR_ID", m_variables, m_elements, [this](DOMNode* node, CDDVariable* variable) {
    ParseVarBody(node->getChildNodes(), variable);
  });
  return 0;
}

int CDDParserXML::ParseVarBody(DOMNodeList* children, CDDVariable* variable) {
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
    k42::ForEachNode(children, [&](DOMNode* child) {
      if (k42::IsTextNode(child)) return true;
      if (k42::NodeNameIs(child, u"GUI_FORMAT"))
        ParseGuiFormat(child, variable);
      else if (k42::NodeNameIs(child, u"DATATYPE"))
        ParseDatatype(child, variable);
      else if (k42::NodeNameIs(child, u"MODIFIER"))
        ParseVarModifier(child, variable);
      else if (k42::NodeNameIs(child, u"ENUM_ITEM"))
        ParseEnumItem(child, variable);
      else if (k42::NodeNameIs(child, u"VALUE"))
        ParseValue(child, variable);
      return true;
    });
  } catch (...) {
    // The variable keeps what was read before the failure.
  }
  return 0;
}

int CDDParserXML::ParseDatatype(DOMNode* node, CDDVariable* variable) {
  if (node == nullptr || variable == nullptr) return -1;
  try {
    std::u16string text;
    int32_t storage = 0;
    if (k42::GetAttribute(node, u"STORAGE", text) && k42::StorageFromKeyword(text, storage)) {
      variable->SetStorage(storage);
    }
    if (k42::GetAttribute(node, u"SIZE_IN_BIT", text)) variable->SetSizeInBit(k42::LeadingInteger(text));
    if (k42::GetAttribute(node, u"COND", text)) variable->SetConditionalAttribute(k42::LeadingInteger(text));
    // Every child node counts, comments included: the last one decides.
    k42::ForEachNode(node->getChildNodes(), [&](DOMNode* child) {
      variable->SetType(k42::DataTypeFromKeyword(k42::NodeValue(child)));
      return true;
    });
  } catch (...) {
    return -1;
  }
  return 0;
}

int CDDParserXML::ParseVarModifier(DOMNode* node, CDDVariable* variable) {
  if (node == nullptr || variable == nullptr) return -1;
  try {
    std::u16string text;
    int32_t handling = 0;
    if (k42::GetAttribute(node, u"HANDLING", text) && k42::HandlingFromKeyword(text, handling)) {
      variable->SetHandling(handling);
    }
  } catch (...) {
    return -1;
  }
  return 0;
}

int CDDParserXML::ParseEnumItem(DOMNode* node, CDDVariable* variable) {
  if (node == nullptr || variable == nullptr) return -1;
  try {
    std::u16string value;
    if (!k42::GetAttribute(node, u"VALUE", value)) return -1;
    CDDEnumItem scratch;  // the variable's item list stores a copy
    scratch.SetId(std::move(value));
    std::u16string ddString;
    if (k42::GetAttribute(node, u"DDSTRING", ddString)) scratch.SetDdString(std::move(ddString));
    variable->AddChild(&scratch);
  } catch (...) {
    return -1;  // the item is left out
  }
  return 0;
}

int CDDParserXML::ParseValue(DOMNode* node, CDDVariable* variable) {
  if (node == nullptr || variable == nullptr) return -1;
  try {
    std::u16string source;
    if (!k42::GetAttribute(node, u"SOURCE", source)) return -1;
    // A plain variable ignores both texts; a metavariable stores them.
    variable->SetSource(std::move(source));
    if (DOMNode* first = node->getFirstChild()) variable->SetValueText(k42::NodeValue(first));
  } catch (...) {
    return -1;
  }
  return 0;
}
