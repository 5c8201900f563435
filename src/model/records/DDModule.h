// Module records: CDDModule, one part of the device GUI with its own menus,
// display layouts, menu bar, features and header references.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/DDBase.h"
#include "model/OwnedList.h"
#include "model/records/DDBarItems.h"
#include "model/records/DDDisplay.h"
#include "model/records/DDMenu.h"

class CDDModule : public CDDElement {
 public:
  CDDModule() = default;
  CDDModule(const CDDModule&) = delete;
  CDDModule& operator=(const CDDModule&) = delete;
  ~CDDModule() override;

  // The module's local dictionary of menus and displays.
  void AddChild(CDDBase* element) override { m_local.AddChild(element); }
  CDDBase* FindChild(const std::u16string& id) const override { return m_local.FindChild(id); }
  const CDDElementMap& LocalDictionary() const { return m_local; }

  void SetIntegration(int32_t v) { m_integration = v; }
  int32_t GetIntegration() const { return m_integration; }
  void SetIcon(std::u16string v) { m_icon = std::move(v); }
  const std::u16string& GetIcon() const { return m_icon; }
  void SetInitString(std::u16string v) { m_initString = std::move(v); }
  const std::u16string& GetInitString() const { return m_initString; }
  void SetTreeImageList(std::u16string v) { m_treeImageList = std::move(v); }
  const std::u16string& GetTreeImageList() const { return m_treeImageList; }
  void SetLinkRef(std::u16string v) { m_linkRef = std::move(v); }
  const std::u16string& GetLinkRef() const { return m_linkRef; }
  void SetHeaderRefs(std::u16string offline, std::u16string online) {
    m_headerOffline = std::move(offline);
    m_headerOnline = std::move(online);
  }
  void GetHeaderRefs(std::u16string& offline, std::u16string& online) const {
    offline = m_headerOffline;
    online = m_headerOnline;
  }
  // The module's help file text: no reader fills it.
  const std::u16string& GetHelpFile() const { return m_helpFile; }

  // The root entries ("MENU" children of "NAVIGATION_AREA").
  CDDMenuItem& RootMenu() { return m_rootMenu; }
  const CDDMenuItem& RootMenu() const { return m_rootMenu; }

  // Take the record over and enter it in the local dictionary (first identifier wins there).
  void AddMenu(std::unique_ptr<CDDMenuItem> menu);
  void AddDisplay(std::unique_ptr<CDDPardis> display);
  const k42::OwnedList<CDDMenuItem>& Menus() const { return m_menus; }
  const k42::OwnedList<CDDPardis>& Displays() const { return m_displays; }
  // Position of the first menu with that identifier, or -1.
  int32_t FindMenuIndex(const std::u16string& id) const;
  // 0 and the entries of the menu at position, or -1.
  int32_t GetMenuEntries(int32_t position, std::vector<CDDMenuEntry>& entries) const;
  int32_t FindItemInfo(const std::u16string& parentMenuId, const std::u16string& itemId, std::u16string& label,
                       std::u16string& labelRef, std::u16string& displayRef, std::u16string& imageListIndex,
                       int32_t& kind) const;
  int32_t FindMenuOfItem(const std::u16string& itemId, std::u16string& displayRef) const;

  k42::OwnedList<CDDMenubarItem>& MenubarItems() { return m_menubarItems; }
  void GetMenubarItems(std::vector<CDDMenubarItem*>& items) const;

  void SetFeature(const std::u16string& name, std::u16string value) { m_features[name] = std::move(value); }
  bool GetFeature(const std::u16string& name, std::u16string& value) const;

  // Passes the RWRO condition of the menus on to the displays they name.
  void PropagateRwro();

 private:
  CDDElementMap m_local;
  int32_t m_integration = 2;  // kNONE
  CDDMenuItem m_rootMenu;
  std::u16string m_icon;
  std::u16string m_initString;
  std::u16string m_treeImageList;
  std::u16string m_linkRef;
  std::u16string m_headerOffline;
  std::u16string m_headerOnline;
  std::u16string m_helpFile;
  k42::OwnedList<CDDMenuItem> m_menus;
  k42::OwnedList<CDDPardis> m_displays;
  k42::OwnedList<CDDMenubarItem> m_menubarItems;
  std::map<std::u16string, std::u16string> m_features;

  // Positions in m_menus by menu identifier (first and last) and by the reference of an entry (the first
  // menu holding one), caught up with the list before each look-up. A menu is complete before it is added.
  void IndexMenus() const;
  mutable std::unordered_map<std::u16string_view, int32_t> m_firstMenu;
  mutable std::unordered_map<std::u16string_view, int32_t> m_lastMenu;
  mutable std::unordered_map<std::u16string_view, int32_t> m_menuOfEntry;
  mutable size_t m_menusIndexed = 0;
};
