// Menu-bar and toolbar records: CDDMenubarItem and CDDToolbarItem.
#pragma once

#include <cstdint>
#include <string>

#include "model/DDBase.h"

// One entry of a flat menu-bar list; popups are bracketed by a
// kPOPUP_BEGIN item and a kPOPUP_END item.
class CDDMenubarItem : public CDDElement {
 public:
  CDDMenubarItem() = default;
  explicit CDDMenubarItem(int32_t menuType) : m_menuType(menuType) {}
  CDDMenubarItem(const CDDMenubarItem&) = default;
  CDDMenubarItem& operator=(const CDDMenubarItem&) = default;
  ~CDDMenubarItem() override = default;

  void SetMenuType(int32_t v) { m_menuType = v; }
  int32_t GetMenuType() const { return m_menuType; }
  void SetActionType(int32_t v) { m_actionType = v; }
  int32_t GetActionType() const { return m_actionType; }
  void SetAction(std::u16string v) { m_action = std::move(v); }
  const std::u16string& GetAction() const { return m_action; }
  void SetMenuId(std::u16string v) { m_menuId = std::move(v); }
  const std::u16string& GetMenuId() const { return m_menuId; }
  void SetVariableId(std::u16string v) { m_variableId = std::move(v); }
  const std::u16string& GetVariableId() const { return m_variableId; }

 private:
  int32_t m_menuType = 0;    // kPOPUP_BEGIN
  int32_t m_actionType = 0;  // kDIALOGBOX
  std::u16string m_action;
  std::u16string m_menuId;
  std::u16string m_variableId;
};

// One toolbar button.
class CDDToolbarItem : public CDDElement {
 public:
  // Item type of a "TOOLBAR_ITEMTYPE" that is none of the keywords
  // ("TOOLBAR_BUTTON", "TOOLBAR_SEPARATOR", "TOOLBAR_CHECK"). Such an item
  // still carries an action, so it is reported as a plain button: the
  // host shows it and its action stays reachable, whereas a separator
  // would hide the action and a value outside ToolbarType could break a
  // host that switches over the enumeration.
  static constexpr int32_t kUnknownItemType = 0;  // kTOOLBAR_BUTTON

  CDDToolbarItem() = default;
  CDDToolbarItem(const CDDToolbarItem&) = default;
  CDDToolbarItem& operator=(const CDDToolbarItem&) = default;
  ~CDDToolbarItem() override = default;

  void SetItemType(int32_t v) { m_itemType = v; }
  int32_t GetItemType() const { return m_itemType; }
  void SetActionType(int32_t v) { m_actionType = v; }
  int32_t GetActionType() const { return m_actionType; }
  void SetBitmapIndex(int32_t v) { m_bitmapIndex = v; }
  int32_t GetBitmapIndex() const { return m_bitmapIndex; }
  void SetAction(std::u16string v) { m_action = std::move(v); }
  const std::u16string& GetAction() const { return m_action; }

 private:
  int32_t m_itemType = kUnknownItemType;
  int32_t m_actionType = 0;  // kDIALOGBOX
  int32_t m_bitmapIndex = 0;
  std::u16string m_action;
};
