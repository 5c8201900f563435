// Operations of the module record over its menus, displays and features.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

CDDModule::~CDDModule() {
    for (CDDMenuItem* menu : m_menus) delete menu;
    for (CDDPardis* display : m_displays) delete display;
    for (CDDMenubarItem* item : m_menubarItems) delete item;
}
void CDDModule::AddMenu(CDDMenuItem* menu) {
    m_menus.push_back(menu);
    AddChild(menu);
}
void CDDModule::AddDisplay(CDDPardis* display) {
    m_displays.push_back(display);
    AddChild(display);
}
int32_t CDDModule::FindMenuIndex(const std::u16string&) const { return -1; }
int32_t CDDModule::GetMenuEntries(int32_t, std::vector<CDDMenuEntry>&) const { return -1; }
int32_t CDDModule::FindItemInfo(const std::u16string&, const std::u16string&, std::u16string&, std::u16string&,
                                std::u16string&, std::u16string&, int32_t&) const { return -1; }
int32_t CDDModule::FindMenuOfItem(const std::u16string&, std::u16string&) const { return -1; }
bool CDDModule::GetFeature(const std::u16string& name, std::u16string& value) const {
    auto found = m_features.find(name);
    if (found == m_features.end()) return false;
    value = found->second;
    return true;
}
void CDDModule::PropagateRwro() {}
