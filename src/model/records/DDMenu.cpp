// Operations of the menu record: finding an entry and marking the displays of an RWRO-conditional menu.
#include "model/records/DDMenu.h"

#include "model/records/DDDisplay.h"

CDDMenuItem::~CDDMenuItem() = default;

bool CDDMenuItem::FindEntryDisplay(const std::u16string& reference, std::u16string& display) const {
  for (const CDDMenuEntry& entry : m_entries) {
    if (entry.m_reference == reference) {
      display = entry.m_displayRef;
      return true;
    }
  }
  return false;
}

void CDDMenuItem::MarkConditionalDisplays(
    const std::unordered_map<std::u16string_view, std::vector<CDDPardis*>>& displays) const {
  if (!m_rwroConditional) return;
  for (const CDDMenuEntry& entry : m_entries) {
    const auto named = displays.find(entry.m_displayRef);
    if (named == displays.end()) continue;
    for (CDDPardis* display : named->second) display->SetRwro(true);
  }
}
