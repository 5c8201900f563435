// Display-layout records: CDDPardis and its items, CDDDisplayItem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/DDBase.h"
#include "model/TextPool.h"

// One item of a display layout, in layout order. A large device has tens of thousands of them, mostly
// repeating the same references, styles and fonts, so their texts live in the model's text pool and the row
// is a plain value that copies cheaply.
struct CDDDisplayItem {
  k42::PooledText m_reference;
  k42::PooledText m_labelRef;
  k42::PooledText m_legend;
  k42::PooledText m_alignment;
  k42::PooledText m_format;
  k42::PooledText m_helpRef;
  k42::PooledText m_fontName;
  int32_t m_parType = 0;           // ParType
  int32_t m_displayCondition = 0;  // DisplayCondition
  int32_t m_colorNormal = -1;
  int32_t m_colorVisited = -1;
  int32_t m_height = 0;
  int32_t m_weightOrWidth = 0;
  int32_t m_controlStyle = 0;  // ControlStyle
  bool m_italic = false;
  bool m_underline = false;
};

// A display layout declared by "PARDIS_DEC".
class CDDPardis : public CDDElement {
 public:
  ~CDDPardis() override = default;

  const std::u16string& GetImagePath() const { return m_imagePath; }
  void SetFirst(std::u16string v) { m_first = std::move(v); }
  const std::u16string& GetFirst() const { return m_first; }
  void SetPrevious(std::u16string v) { m_previous = std::move(v); }
  const std::u16string& GetPrevious() const { return m_previous; }
  void SetNext(std::u16string v) { m_next = std::move(v); }
  const std::u16string& GetNext() const { return m_next; }
  void SetLast(std::u16string v) { m_last = std::move(v); }
  const std::u16string& GetLast() const { return m_last; }
  void SetHome(std::u16string v) { m_home = std::move(v); }
  const std::u16string& GetHome() const { return m_home; }
  void SetDisplayType(int32_t v) { m_displayType = v; }
  int32_t GetDisplayType() const { return m_displayType; }
  void SetRwro(bool v) { m_rwro = v; }
  bool GetRwro() const { return m_rwro; }
  void SetValidityId(std::u16string v) { m_validityId = std::move(v); }
  const std::u16string& GetValidityId() const { return m_validityId; }

  void AddItem(const CDDDisplayItem& item) { m_items.push_back(item); }
  void GetItems(std::vector<CDDDisplayItem>& items) const { items = m_items; }
  const std::vector<CDDDisplayItem>& Items() const { return m_items; }
  // Gives back the list's spare capacity once the layout is read (a large device has many thousands).
  void ReleaseSpareCapacity() { m_items.shrink_to_fit(); }

 private:
  std::u16string m_imagePath;
  std::u16string m_first;
  std::u16string m_previous;
  std::u16string m_next;
  std::u16string m_last;
  std::u16string m_home;
  int32_t m_displayType = 2;  // DISPLAY_UNKNOWN
  std::vector<CDDDisplayItem> m_items;
  bool m_rwro = false;
  std::u16string m_validityId;
};
