// Display-layout records: CDDPardis and its items, CDDDisplayItem.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/CompactText.h"
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

  // No reader fills the image path: every display answers an empty one.
  const std::u16string& GetImagePath() const {
    static const std::u16string kNone;
    return kNone;
  }
  // Texts come owned, or borrowed from the model's pool (k42::CompactText): the caller decides.
  void SetFirst(k42::CompactText v) { m_first = std::move(v); }
  std::u16string_view GetFirst() const { return m_first.View(); }
  void SetPrevious(k42::CompactText v) { m_previous = std::move(v); }
  std::u16string_view GetPrevious() const { return m_previous.View(); }
  void SetNext(k42::CompactText v) { m_next = std::move(v); }
  std::u16string_view GetNext() const { return m_next.View(); }
  void SetLast(k42::CompactText v) { m_last = std::move(v); }
  std::u16string_view GetLast() const { return m_last.View(); }
  void SetHome(k42::CompactText v) { m_home = std::move(v); }
  std::u16string_view GetHome() const { return m_home.View(); }
  void SetDisplayType(int32_t v) { m_displayType = v; }
  int32_t GetDisplayType() const { return m_displayType; }
  void SetRwro(bool v) { m_rwro = v; }
  bool GetRwro() const { return m_rwro; }
  void SetValidityId(k42::CompactText v) { m_validityId = std::move(v); }
  std::u16string_view GetValidityId() const { return m_validityId.View(); }

  void AddItem(const CDDDisplayItem& item) { m_items.push_back(item); }
  void GetItems(std::vector<CDDDisplayItem>& items) const { items = m_items; }
  const std::vector<CDDDisplayItem>& Items() const { return m_items; }
  // Gives back the list's spare capacity once the layout is read (a large device has many thousands).
  void ReleaseSpareCapacity() { m_items.shrink_to_fit(); }

 private:
  // The navigation targets name other displays; sized to their content (the reader keeps them in the pool).
  k42::CompactText m_first;
  k42::CompactText m_previous;
  k42::CompactText m_next;
  k42::CompactText m_last;
  k42::CompactText m_home;
  k42::CompactText m_validityId;
  std::vector<CDDDisplayItem> m_items;
  int32_t m_displayType = 2;  // DISPLAY_UNKNOWN
  bool m_rwro = false;
};
