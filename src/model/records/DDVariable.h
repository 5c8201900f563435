// Variable records: CDDVariable, its enumeration items and their list.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/DDBase.h"

// One enumeration item of a variable; its identifier is its value text.
class CDDEnumItem : public CDDElement {
 public:
  CDDEnumItem() = default;
  CDDEnumItem(const CDDEnumItem&) = default;
  CDDEnumItem& operator=(const CDDEnumItem&) = default;
  ~CDDEnumItem() override;

  void SetDdString(std::u16string text) override { m_ddString = text; }
  void SetDdString(k42::CompactText text) { m_ddString = std::move(text); }
  void GetDdString(std::u16string& text) const override { text.assign(m_ddString.View()); }
  std::u16string_view DdString() const { return m_ddString.View(); }

  void SetValue(int32_t value) { m_value = value; }
  int32_t GetValue() const { return m_value; }

 private:
  int32_t m_value = 0;
  k42::CompactText m_ddString;
};

// The enumeration items of one variable, in reading order, and by value
// (first item entered under a value wins). Owns its items.
class CDDEnumItemList : public CDDElementMap {
 public:
  CDDEnumItemList() = default;
  ~CDDEnumItemList() override;

  // Stores a copy of element as a new item (value read from its identifier); the copy owns its texts.
  void AddChild(CDDBase* element) override;
  // The same for an item the model reads: its texts are kept in the model's pool.
  void Add(k42::TextPool& texts, std::u16string_view value, std::u16string_view ddString);
  CDDBase* FindChild(const std::u16string& id) const override;
  CDDBase* FindChildByDdString(const std::u16string& id, const std::u16string& ddString) const override;
  // The same two as the items they find: the first item of value (and DD string), or null.
  CDDEnumItem* Item(const std::u16string& value) const;
  CDDEnumItem* ItemByDdString(const std::u16string& value, const std::u16string& ddString) const;
  // Hands out 0, 1, 2, ...: the order in which localized texts arrive.
  int32_t NextOrder() override;

  // The items ordered by the order their labels arrived in (see the .cpp).
  void GetItems(std::vector<CDDEnumItem*>& items) const;
  const std::vector<std::unique_ptr<CDDEnumItem>>& Items() const { return m_items; }
  void ReleaseSpareCapacity() { m_items.shrink_to_fit(); }

 private:
  // Lists up to this long are scanned; longer ones are entered in the map the list derives from. A dozen
  // compares of short values cost less than a table for each of the thousands of such lists of a device.
  static constexpr size_t kScannedItems = 16;
  void Append(std::unique_ptr<CDDEnumItem> item);
  std::vector<std::unique_ptr<CDDEnumItem>> m_items;
  // The first item of each value text and DD string, for FindChildByDdString.
  static std::u16string KeyOf(std::u16string_view id, std::u16string_view ddString);
  struct DdStringIndex {
    std::unordered_map<std::u16string, CDDEnumItem*> first;
    size_t indexed = 0;
  };
  mutable std::unique_ptr<DdStringIndex> m_byDdString;  // made on the first look-up
  int32_t m_orderCounter = 0;
};

// A device parameter declared by "VAR_DEC".
class CDDVariable : public CDDElement {
 public:
  // Values before any "DISPLAY_CONDITION" or "SIZE_IN_BIT" is read (also what
  // a display control gets from a "GUI_FORMAT" without a condition). A
  // parameter nobody restricted is always shown, and 0 bits says "size not
  // given" rather than inventing one; the queries hand both out as they are.
  static constexpr int32_t kInitialDisplayCondition = 0;  // kDISPLAYALWAYS
  static constexpr int32_t kInitialSizeInBit = 0;

  CDDVariable() = default;
  CDDVariable(const CDDVariable&) = delete;
  CDDVariable& operator=(const CDDVariable&) = delete;
  ~CDDVariable() override;

  void AddChild(CDDBase* element) override { EnumItems().AddChild(element); }
  CDDBase* FindChild(const std::u16string& id) const override { return EnumItems().FindChild(id); }
  CDDBase* FindChildByDdString(const std::u16string& id, const std::u16string& ddString) const override {
    return EnumItems().FindChildByDdString(id, ddString);
  }
  int32_t NextOrder() override { return EnumItems().NextOrder(); }

  // Source and value text: stored only by metavariables.
  virtual void SetSource(std::u16string) {}
  virtual void GetSource(std::u16string&) const {}
  virtual void SetValueText(std::u16string) {}
  virtual void GetValueText(std::u16string&) const {}

  void SetDisplayCondition(int32_t v) { m_displayCondition = v; }
  int32_t GetDisplayCondition() const { return m_displayCondition; }
  void SetHandling(int32_t v) { m_handling = v; }
  int32_t GetHandling() const { return m_handling; }
  void SetStorage(int32_t v) { m_storage = v; }
  int32_t GetStorage() const { return m_storage; }
  void SetType(int32_t v) { m_type = v; }
  int32_t GetType() const { return m_type; }
  // Texts come owned, or borrowed from the model's pool (k42::CompactText): the caller decides.
  void SetFormat(k42::CompactText v) { m_format = std::move(v); }
  std::u16string_view GetFormat() const { return m_format.View(); }
  void SetAlignment(k42::CompactText v) { m_alignment = std::move(v); }
  std::u16string_view GetAlignment() const { return m_alignment.View(); }
  void SetStyle(k42::CompactText v) { m_style = std::move(v); }
  std::u16string_view GetStyle() const { return m_style.View(); }
  void SetDisplayRef(k42::CompactText v) { m_displayRef = std::move(v); }
  std::u16string_view GetDisplayRef() const { return m_displayRef.View(); }
  void SetSizeInBit(int32_t v) { m_sizeInBit = v; }
  int32_t GetSizeInBit() const { return m_sizeInBit; }
  void SetConditionalAttribute(int32_t v) { m_conditionalAttribute = v; }
  int32_t GetConditionalAttribute() const { return m_conditionalAttribute; }
  void SetConditionalFormat(int32_t v) { m_conditionalFormat = v; }
  int32_t GetConditionalFormat() const { return m_conditionalFormat; }

  // The list is made when first written to; until then the variable reads as one without items.
  CDDEnumItemList& EnumItems();
  const CDDEnumItemList& EnumItems() const;
  // Once the variable is read: its items take no more room than they need.
  void ReleaseSpareCapacity() {
    if (m_enumItems) m_enumItems->ReleaseSpareCapacity();
  }

 private:
  int32_t m_displayCondition = kInitialDisplayCondition;
  int32_t m_handling = 1;  // kREADWRITE
  int32_t m_storage = 0;
  int32_t m_type = 0;  // TYPE_UNKNOWN
  k42::CompactText m_format;
  k42::CompactText m_alignment;
  k42::CompactText m_style;
  k42::CompactText m_displayRef;
  int32_t m_sizeInBit = kInitialSizeInBit;
  int32_t m_conditionalAttribute = 0;
  int32_t m_conditionalFormat = 0;
  // Most variables have no enumeration, and a list costs more than the rest of the variable.
  std::unique_ptr<CDDEnumItemList> m_enumItems;
};
