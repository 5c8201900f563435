// Navigation records: menu entries (tree nodes) and menu declarations.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/DDBase.h"
#include "model/OwnedList.h"
#include "model/TextPool.h"

class CDDPardis;

// One node of a module's navigation tree; names other declarations by
// identifier only. Its texts live in the model's text pool (a large device
// has tens of thousands of entries naming the same few displays and icons).
struct CDDMenuEntry {
  k42::PooledText m_reference;
  k42::PooledText m_labelRef;
  k42::PooledText m_displayRef;
  k42::PooledText m_imageListIndex;
  int32_t m_kind = 0;  // MenuItem
};

// A menu declared by "MENU_DEC": its entries and its RWRO condition.
class CDDMenuItem : public CDDElement {
 public:
  ~CDDMenuItem() override;

  void AddEntry(const CDDMenuEntry& entry) { m_entries.push_back(entry); }
  void GetEntries(std::vector<CDDMenuEntry>& entries) const { entries = m_entries; }
  const std::vector<CDDMenuEntry>& Entries() const { return m_entries; }
  // Gives back the list's spare capacity once the menu is read.
  void ReleaseSpareCapacity() { m_entries.shrink_to_fit(); }

  // Finds the first entry whose reference is reference; hands out its
  // display reference.
  bool FindEntryDisplay(const std::u16string& reference, std::u16string& display) const;

  void SetRwroCondition(const std::u16string& text) { m_rwroConditional = (text == u"1"); }
  bool IsRwroConditional() const { return m_rwroConditional; }

  // Marks every display named by an entry of this menu, when the menu is
  // RWRO-conditional. displays holds every display of the module under its identifier, in list order.
  void MarkConditionalDisplays(const std::unordered_map<std::u16string_view, std::vector<CDDPardis*>>& displays) const;

 private:
  std::vector<CDDMenuEntry> m_entries;
  bool m_rwroConditional = false;
};
