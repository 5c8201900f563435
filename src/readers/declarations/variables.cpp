// Reader of "VAR_DEC" and the variable, enumeration item and item list records.
#include <algorithm>
#include <map>
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDParserXML.h"
#include "readers/declarations/declaration_list.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"
#include "platform/text.h"

// ---- Records ---------------------------------------------------------------

CDDEnumItem::~CDDEnumItem() = default;

CDDEnumItemList::~CDDEnumItemList() {
  for (CDDEnumItem* item : m_items) delete item;
  m_items.clear();
}

void CDDEnumItemList::AddChild(CDDBase* element) {
  if (element == nullptr) return;
  auto item = std::make_unique<CDDEnumItem>();
  item->SetId(element->Id());
  item->SetValue(k42::LeadingInteger(element->Id()));
  std::u16string ddString;
  element->GetDdString(ddString);
  item->SetDdString(std::move(ddString));
  // Every item is kept in reading order, even one whose value repeats an
  // earlier one; the map keeps the first item of each value.
  m_items.push_back(item.get());
  CDDEnumItem* stored = item.release();
  CDDElementMap::AddChild(stored);
}

CDDBase* CDDEnumItemList::FindChild(const std::u16string& id) const { return CDDElementMap::FindChild(id); }

CDDBase* CDDEnumItemList::FindChildByDdString(const std::u16string& id, const std::u16string& ddString) const {
  std::u16string itemDdString;
  for (CDDEnumItem* item : m_items) {
    itemDdString.clear();
    item->GetDdString(itemDdString);
    if (itemDdString == ddString && item->Id() == id) return item;
  }
  return nullptr;
}

int32_t CDDEnumItemList::NextOrder() { return m_orderCounter++; }

// Items are listed in the order their localized labels arrived (each label
// stores the NextOrder number it got). Each order number is a slot that the
// item read last fills, so an item that never got a label (order 0) loses
// slot 0 to the item whose label came first when that one is read later.
// Until any label has arrived, the items come in reading order. The slots
// are a map rather than a table, so a huge order number costs nothing; an
// order below 0 (never handed out by NextOrder) has no slot.
void CDDEnumItemList::GetItems(std::vector<CDDEnumItem*>& items) const {
  int32_t highest = 0;
  for (const CDDEnumItem* item : m_items) highest = std::max(highest, item->GetOrder());
  if (m_orderCounter == 0 || highest == 0) {
    items = m_items;
    return;
  }
  items.clear();
  std::map<int32_t, CDDEnumItem*> slots;
  for (CDDEnumItem* item : m_items) {
    if (item->GetOrder() >= 0) slots[item->GetOrder()] = item;
  }
  for (const auto& slot : slots) items.push_back(slot.second);
}

CDDVariable::~CDDVariable() = default;

// ---- Reader ----------------------------------------------------------------

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
      const std::u16string& id = variable->Id();
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
