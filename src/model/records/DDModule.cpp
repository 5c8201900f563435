// Operations of the module record over its menus, displays and features.
#include "model/records/DDModule.h"

#include <k42gui/IGuiXmlModel.h>

namespace {

// The first entry of entries whose reference is reference, or null.
const CDDMenuEntry* FindEntry(const std::vector<CDDMenuEntry>& entries, const std::u16string& reference) {
  for (const CDDMenuEntry& entry : entries) {
    if (entry.m_reference == reference) return &entry;
  }
  return nullptr;
}

void CopyEntryData(const CDDMenuEntry& entry, std::u16string& labelRef, std::u16string& displayRef,
                   std::u16string& imageListIndex, int32_t& kind) {
  labelRef = entry.m_labelRef;
  displayRef = entry.m_displayRef;
  imageListIndex = entry.m_imageListIndex;
  kind = entry.m_kind;
}

}  // namespace

CDDModule::~CDDModule() = default;

void CDDModule::AddMenu(std::unique_ptr<CDDMenuItem> menu) {
  menu->ReleaseSpareCapacity();  // complete when it is added
  m_menus.push_back(std::move(menu));
  AddChild(m_menus.back().get());
}

void CDDModule::AddDisplay(std::unique_ptr<CDDPardis> display) {
  display->ReleaseSpareCapacity();  // complete when it is added
  m_displays.push_back(std::move(display));
  AddChild(m_displays.back().get());
}

void CDDModule::GetMenubarItems(std::vector<CDDMenubarItem*>& items) const {
  k42::CopyObservers(m_menubarItems, items);
}

void CDDModule::IndexMenus() const {
  for (; m_menusIndexed < m_menus.size(); ++m_menusIndexed) {
    const auto position = static_cast<int32_t>(m_menusIndexed);
    const CDDMenuItem& menu = *m_menus[m_menusIndexed];
    m_firstMenu.emplace(menu.Id(), position);
    m_lastMenu[menu.Id()] = position;
    for (const CDDMenuEntry& entry : menu.Entries()) m_menuOfEntry.emplace(entry.m_reference, position);
  }
}

int32_t CDDModule::FindMenuIndex(const std::u16string& id) const {
  IndexMenus();
  const auto found = m_firstMenu.find(id);
  return found == m_firstMenu.end() ? -1 : found->second;
}

int32_t CDDModule::GetMenuEntries(int32_t position, std::vector<CDDMenuEntry>& entries) const {
  // A negative position is as much out of range as one past the end.
  if (position < 0 || static_cast<size_t>(position) >= m_menus.size()) return -1;
  m_menus[position]->GetEntries(entries);
  return 0;
}

int32_t CDDModule::FindItemInfo(const std::u16string& parentMenuId, const std::u16string& itemId, std::u16string& label,
                                std::u16string& labelRef, std::u16string& displayRef, std::u16string& imageListIndex,
                                int32_t& kind) const {
  label.clear();
  labelRef.clear();
  if (!parentMenuId.empty()) {
    const int32_t parent = FindMenuIndex(parentMenuId);
    if (parent < 0) return -1;
    const CDDMenuEntry* entry = FindEntry(m_menus[parent]->Entries(), itemId);
    if (entry != nullptr) {
      CopyEntryData(*entry, labelRef, displayRef, imageListIndex, kind);
      if (entry->m_kind == MENU) {
        // The sub-menu's own label; with several menus of that
        // identifier the last one is asked.
        const auto last = m_lastMenu.find(itemId);  // indexed by FindMenuIndex above
        if (last != m_lastMenu.end()) m_menus[last->second]->GetLabel(label);
      }
    }
    return parent;
  }

  // At the navigation root the answer is never negative: without a menu
  // of that identifier it is the number of menus.
  const CDDMenuEntry* entry = FindEntry(m_rootMenu.Entries(), itemId);
  if (entry != nullptr) CopyEntryData(*entry, labelRef, displayRef, imageListIndex, kind);
  const int32_t menu = FindMenuIndex(itemId);
  if (menu < 0) return static_cast<int32_t>(m_menus.size());
  m_menus[menu]->GetLabel(label);
  return menu;
}

int32_t CDDModule::FindMenuOfItem(const std::u16string& itemId, std::u16string& displayRef) const {
  IndexMenus();
  const auto found = m_menuOfEntry.find(itemId);
  if (found == m_menuOfEntry.end()) return -1;
  m_menus[found->second]->FindEntryDisplay(itemId, displayRef);
  return found->second;
}

bool CDDModule::GetFeature(const std::u16string& name, std::u16string& value) const {
  auto found = m_features.find(name);
  if (found == m_features.end()) return false;
  value = found->second;
  return true;
}
void CDDModule::PropagateRwro() {
  bool anyConditional = false;
  for (const auto& menu : m_menus) anyConditional = anyConditional || menu->IsRwroConditional();
  if (!anyConditional) return;
  // Every display of each identifier (not only the first): a menu entry marks all displays of its name.
  std::unordered_map<std::u16string_view, std::vector<CDDPardis*>> displays;
  for (const auto& display : m_displays) displays[display->Id()].push_back(display.get());
  for (const auto& menu : m_menus) menu->MarkConditionalDisplays(displays);
}
