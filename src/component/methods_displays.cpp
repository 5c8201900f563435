// IGuiXmlModel methods about menus and displays: menu items, display items and information, navigation buttons, item information.
#include <vector>

#include "component/GuiXmlModel.h"
#include "component/conversions.h"
#include "component/variant_array.h"
#include "platform/text.h"

namespace k42com {

// 12: rows x 2 (reference, display reference) of the menu's entries.
HRESULT CGuiXmlModel::GetMenuItems(BSTR bstrModuleID, BSTR bstrMenuID, VARIANT* pvarItems) {
  return Shielded([&] {
    std::vector<CDDMenuEntry> entries;
    if (m_model.GetMenuItems(FromBstr(bstrModuleID), FromBstr(bstrMenuID), entries) != 0 || entries.empty())
      return S_FALSE;
    VariantArray table(entries.size(), 2);
    for (size_t row = 0; row < entries.size(); ++row) {
      table.PutText(row, 0, entries[row].m_reference);
      table.PutText(row, 1, entries[row].m_displayRef);
    }
    return table.HandOutResult(pvarItems);
  });
}

// 13: the image path is always written (empty for an unknown display); the
// read/write-condition flag is the model's; rows x 15, one row per display
// item in layout order (the help reference is not handed out). S_OK when the
// display has items, whatever else the model found.
HRESULT CGuiXmlModel::GetDisplayItems(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pImagePath, VARIANT* pvarItems,
                                      long* pbRWROCond) {
  return Shielded([&] {
    // The rows are read in place: the display stays owned by the model (GetDisplayItems would copy them).
    const CDDPardis* display = m_model.FindDisplayOfModules(FromBstr(bstrModuleID), FromBstr(bstrDisplayID));
    DirectOutput<long> rwroCondition(pbRWROCond);
    if (display != nullptr) rwroCondition.Value() = display->GetRwro() ? 1 : 0;
    rwroCondition.Commit();
    WriteText(pImagePath, display != nullptr ? display->GetImagePath() : std::u16string());
    if (display == nullptr || display->Items().empty()) return S_FALSE;
    const std::vector<CDDDisplayItem>& items = display->Items();

    VariantArray table(items.size(), 15);
    for (size_t row = 0; row < items.size(); ++row) {
      const CDDDisplayItem& item = items[row];
      table.PutText(row, 0, item.m_reference);
      table.PutText(row, 1, item.m_labelRef);
      table.PutText(row, 2, item.m_legend);
      table.PutLong(row, 3, item.m_displayCondition);
      table.PutText(row, 4, item.m_alignment);
      table.PutText(row, 5, item.m_format);
      table.PutLong(row, 6, item.m_parType);
      table.PutLong(row, 7, item.m_controlStyle);
      table.PutText(row, 8, item.m_fontName);
      table.PutLong(row, 9, item.m_colorNormal);
      table.PutLong(row, 10, item.m_colorVisited);
      table.PutLong(row, 11, item.m_height);
      table.PutLong(row, 12, item.m_weightOrWidth);
      table.PutBool(row, 13, item.m_italic);
      table.PutBool(row, 14, item.m_underline);
    }
    return table.HandOutResult(pvarItems);
  });
}

// 14: label and validity identifier when the display exists; the display type is the model's.
HRESULT CGuiXmlModel::GetDisplayInfo(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pbstrLabel,
                                     DisplayType* penDisplayType, BSTR* pbstrValidId) {
  return Shielded([&] {
    std::u16string label, validId;
    DirectOutput<DisplayType> displayType(penDisplayType);
    const int32_t status =
        m_model.GetDisplayInfo(FromBstr(bstrModuleID), FromBstr(bstrDisplayID), label, displayType.Value(), validId);
    if (status != 0) return S_FALSE;
    WriteText(pbstrLabel, label);
    WriteText(pbstrValidId, validId);
    return S_OK;
  });
}

// 15: the five navigation targets when the display exists.
HRESULT CGuiXmlModel::GetDisplayButtonNav(BSTR bstrModuleID, BSTR bstrDisplayID, BSTR* pbstrFirst, BSTR* pbstrPrev,
                                          BSTR* pbstrNext, BSTR* pbstrLast, BSTR* pbstrHome) {
  return Shielded([&] {
    std::u16string first, previous, next, last, home;
    if (m_model.GetDisplayButtonNav(FromBstr(bstrModuleID), FromBstr(bstrDisplayID), first, previous, next, last,
                                    home) != 0)
      return S_FALSE;
    WriteText(pbstrFirst, first);
    WriteText(pbstrPrev, previous);
    WriteText(pbstrNext, next);
    WriteText(pbstrLast, last);
    WriteText(pbstrHome, home);
    return S_OK;
  });
}

// 16: label, display identifier, conditional-label flag and icon number
// when the item was found; the item type is the model's, which may set it
// even when the item is not found (and leaves the caller's value when it
// finds the item without knowing its type). The icon number is the image
// list index read as a leading decimal integer, ICON_DEFAULT (-1) without one.
HRESULT CGuiXmlModel::GetItemInfo(BSTR bstrModuleID, BSTR bstrParentMenuID, BSTR bstrItemID, BSTR* pbstrLabel,
                                  long* pIsConditionalLabel, long* pIconID, BSTR* pbstrDisplayID, ItemType* penType) {
  return Shielded([&] {
    std::u16string label, displayId, imageListIndex;
    int32_t conditionalLabel = 0;
    DirectOutput<ItemType> itemType(penType);
    const int32_t status = m_model.GetItemInfo(FromBstr(bstrModuleID), FromBstr(bstrParentMenuID), FromBstr(bstrItemID),
                                               label, displayId, imageListIndex, itemType.Value(), conditionalLabel);
    if (status != 0) return S_FALSE;
    WriteText(pbstrLabel, label);
    WriteText(pbstrDisplayID, displayId);
    WriteNumber(pIsConditionalLabel, conditionalLabel);
    WriteNumber(pIconID,
                imageListIndex.empty() ? static_cast<int32_t>(ICON_DEFAULT) : k42::LeadingInteger(imageListIndex));
    return S_OK;
  });
}

}  // namespace k42com
