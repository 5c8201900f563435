// Queries over modules, menus, displays, logos, menu bar and toolbar.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

int32_t CDDParserXML::GetHelpFilePath(int32_t, std::u16string&, int32_t&) const { return 0; }
int32_t CDDParserXML::GetTabModules(int32_t, std::vector<std::u16string>&) const { return -1; }
int32_t CDDParserXML::GetModuleIntegration(const std::u16string&, int32_t&) const { return -1; }
CDDModule* CDDParserXML::FindModule(const std::u16string&) const { return nullptr; }
int32_t CDDParserXML::GetModuleIcon(const std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetModuleTreeIconList(const std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetExternModule(const std::u16string&, std::u16string&, std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetExternModulePath(const std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetModuleInfo(const std::u16string&, std::u16string&, std::u16string&, std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetModuleRootMenus(const std::u16string&, std::vector<CDDMenuEntry>&) const { return -1; }
int32_t CDDParserXML::GetModuleFeature(const std::u16string&, const std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetHeaderRefs(const std::u16string&, std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetMenuItems(const std::u16string&, const std::u16string&, std::vector<CDDMenuEntry>&) const { return -1; }
void CDDParserXML::GetDisplayItems(const std::u16string&, const std::u16string&, std::u16string&, int32_t&, std::u16string&,
                                   std::vector<CDDDisplayItem>&, int32_t&) const {}
int32_t CDDParserXML::GetDisplayInfo(const std::u16string&, const std::u16string&, std::u16string&, int32_t&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetDisplayButtonNav(const std::u16string&, const std::u16string&, std::u16string&, std::u16string&,
                                          std::u16string&, std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetItemInfo(const std::u16string&, const std::u16string&, const std::u16string&, std::u16string&,
                                  std::u16string&, std::u16string&, int32_t&, int32_t&) const { return -1; }
int32_t CDDParserXML::GetLogo(std::vector<CDDLogo>& logos) const { logos = m_logos; return 0; }
int32_t CDDParserXML::GetFunctionIdIsOnline(int32_t* online) const { if (!online) return -1; *online = m_isOnline; return 0; }
void CDDParserXML::GetMenubarItems(std::vector<CDDMenubarItem*>& items) const { items = m_menubarItems; }
int32_t CDDParserXML::GetModulebarItems(const std::u16string&, std::vector<CDDMenubarItem*>&) const { return -1; }
void CDDParserXML::GetToolbarItems(std::vector<CDDToolbarItem*>& items) const { items = m_toolbarItems; }
size_t CDDParserXML::GetToolbarImageList(std::u16string& reference) const { reference = m_toolbarImageList; return reference.size(); }
