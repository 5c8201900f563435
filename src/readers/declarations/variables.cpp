// Reader of "VAR_DEC" and the variable, enumeration item and item list records.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

CDDEnumItem::~CDDEnumItem() = default;
CDDEnumItemList::~CDDEnumItemList() {
    for (CDDEnumItem* item : m_items) delete item;
}
void CDDEnumItemList::AddChild(CDDBase*) {}
CDDBase* CDDEnumItemList::FindChild(const std::u16string& id) const { return CDDElementMap::FindChild(id); }
CDDBase* CDDEnumItemList::FindChildByDdString(const std::u16string&, const std::u16string&) const { return nullptr; }
int32_t CDDEnumItemList::NextOrder() { return m_orderCounter++; }
void CDDEnumItemList::GetItems(std::vector<CDDEnumItem*>& items) const { items = m_items; }
CDDVariable::~CDDVariable() = default;

int CDDParserXML::ParseVarDec(DOMNodeList*) { return 0; }
int CDDParserXML::ParseVarBody(DOMNodeList*, CDDVariable*) { return 0; }
int CDDParserXML::ParseDatatype(DOMNode*, CDDVariable*) { return 0; }
int CDDParserXML::ParseVarModifier(DOMNode*, CDDVariable*) { return 0; }
int CDDParserXML::ParseEnumItem(DOMNode*, CDDVariable*) { return 0; }
int CDDParserXML::ParseValue(DOMNode*, CDDVariable*) { return 0; }
