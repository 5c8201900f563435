// Operations of the variable records: enumeration items kept in reading order and by value.
#include "model/records/DDVariable.h"

#include <algorithm>
#include <map>

#include "platform/text.h"

CDDEnumItem::~CDDEnumItem() = default;

CDDEnumItemList::~CDDEnumItemList() = default;

void CDDEnumItemList::AddChild(CDDBase* element) {
  if (element == nullptr) return;
  auto item = std::make_unique<CDDEnumItem>();
  item->SetId(element->Id());
  item->SetValue(k42::LeadingInteger(element->Id()));
  std::u16string ddString;
  element->GetDdString(ddString);
  item->SetDdString(std::move(ddString));
  Append(std::move(item));
}

void CDDEnumItemList::Add(k42::TextPool& texts, std::u16string_view value, std::u16string_view ddString) {
  auto item = std::make_unique<CDDEnumItem>();
  item->SetId(texts, value);
  item->SetValue(k42::LeadingInteger(value));
  item->SetDdString(k42::CompactText(texts, ddString));
  Append(std::move(item));
}

void CDDEnumItemList::Append(std::unique_ptr<CDDEnumItem> item) {
  // Every item is kept in reading order, even one whose value repeats an
  // earlier one; a look-up finds the first item of each value.
  m_items.push_back(std::move(item));
  if (m_items.size() == kScannedItems + 1) {
    for (const auto& listed : m_items) CDDElementMap::AddChild(listed.get());
  } else if (m_items.size() > kScannedItems) {
    CDDElementMap::AddChild(m_items.back().get());
  }
}

CDDBase* CDDEnumItemList::FindChild(const std::u16string& id) const { return Item(id); }

CDDBase* CDDEnumItemList::FindChildByDdString(const std::u16string& id, const std::u16string& ddString) const {
  return ItemByDdString(id, ddString);
}

CDDEnumItem* CDDEnumItemList::Item(const std::u16string& id) const {
  // The map holds this list's items only (Append enters them).
  if (m_items.size() > kScannedItems) return static_cast<CDDEnumItem*>(CDDElementMap::FindChild(id));
  // A short list is scanned: most variables have a handful of items, and a table would cost more than them.
  if (id.empty()) return nullptr;  // never entered under an empty value
  for (const auto& item : m_items) {
    if (k42::SameText(item->Id(), id)) return item.get();
  }
  return nullptr;
}

// Text never holds a NUL, so the pair is one unambiguous key.
std::u16string CDDEnumItemList::KeyOf(std::u16string_view id, std::u16string_view ddString) {
  std::u16string key(id);
  key += u'\0';
  key += ddString;
  return key;
}

CDDEnumItem* CDDEnumItemList::ItemByDdString(const std::u16string& id, const std::u16string& ddString) const {
  if (m_items.size() <= kScannedItems) {
    for (const auto& item : m_items) {
      if (k42::SameText(item->Id(), id) && k42::SameText(item->DdString(), ddString)) return item.get();
    }
    return nullptr;
  }
  // Built on the first look-up (only the localized file asks), then caught up with the items read since.
  if (!m_byDdString) m_byDdString = std::make_unique<DdStringIndex>();
  for (auto& index = *m_byDdString; index.indexed < m_items.size(); ++index.indexed) {
    const CDDEnumItem& item = *m_items[index.indexed];
    index.first.emplace(KeyOf(item.Id(), item.DdString()), m_items[index.indexed].get());
  }
  const auto found = m_byDdString->first.find(KeyOf(id, ddString));
  return found == m_byDdString->first.end() ? nullptr : found->second;
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
  for (const auto& item : m_items) highest = std::max(highest, item->GetOrder());
  items.clear();
  if (m_orderCounter == 0 || highest == 0) {
    for (const auto& item : m_items) items.push_back(item.get());
    return;
  }
  std::map<int32_t, CDDEnumItem*> slots;
  for (const auto& item : m_items) {
    if (item->GetOrder() >= 0) slots[item->GetOrder()] = item.get();
  }
  for (const auto& slot : slots) items.push_back(slot.second);
}

CDDVariable::~CDDVariable() = default;

CDDEnumItemList& CDDVariable::EnumItems() {
  if (!m_enumItems) m_enumItems = std::make_unique<CDDEnumItemList>();
  return *m_enumItems;
}

const CDDEnumItemList& CDDVariable::EnumItems() const {
  static const CDDEnumItemList kNoItems;
  return m_enumItems ? *m_enumItems : kNoItems;
}
