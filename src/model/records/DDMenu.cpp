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

void CDDMenuItem::MarkConditionalDisplays(const k42::OwnedList<CDDPardis>& displays) const {
  if (!m_rwroConditional) return;
  for (const CDDMenuEntry& entry : m_entries) {
    for (const auto& display : displays) {
      if (display->Id() == entry.m_displayRef) display->SetRwro(true);
    }
  }
}
