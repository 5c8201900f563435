// IGuiXmlModel methods of the menu bars, the toolbar and the logos.
#include <vector>

#include "component/GuiXmlModel.h"
#include "component/conversions.h"
#include "component/variant_array.h"

namespace k42com {

namespace {

// The leading columns that the menu bar (A9) and the module bar (A10) share.
void PutMenubarItem(VariantArray& table, size_t row, const CDDMenubarItem& item) {
  std::u16string label;
  item.GetLabel(label);
  table.PutText(row, 0, label);
  table.PutLong(row, 1, item.GetMenuType());
  table.PutLong(row, 2, item.GetActionType());
  table.PutText(row, 3, item.GetAction());
}

}  // namespace

// 17: one dimension, the path (directory in front) of every logo of the
// type, possibly none; S_FALSE only when the device has no logos at all.
HRESULT CGuiXmlModel::GetLogo(LogoType enLogoType, VARIANT* pvarLogos) {
  return Shielded([&] {
    std::vector<CDDLogo> logos;
    m_model.GetLogo(logos);
    if (logos.empty()) return S_FALSE;
    const int32_t type = EnumValue(enLogoType);
    std::vector<const std::u16string*> paths;
    for (const CDDLogo& logo : logos) {
      if (logo.m_type == type) paths.push_back(&logo.m_reference);
    }
    VariantArray list(paths.size());
    for (size_t row = 0; row < paths.size(); ++row) list.PutText(row, *paths[row]);
    return list.HandOutResult(pvarLogos);
  });
}

// 26: rows x 6 (label, menu type, action type, action, menu identifier,
// variable identifier) of the global menu bar.
HRESULT CGuiXmlModel::GetMenubarItems(VARIANT* pvarMenubarItems) {
  return Shielded([&] {
    std::vector<CDDMenubarItem*> items;
    m_model.GetMenubarItems(items);
    if (items.empty()) return S_FALSE;
    VariantArray table(items.size(), 6);
    for (size_t row = 0; row < items.size(); ++row) {
      if (!items[row]) continue;
      PutMenubarItem(table, row, *items[row]);
      table.PutText(row, 4, items[row]->GetMenuId());
      table.PutText(row, 5, items[row]->GetVariableId());
    }
    return table.HandOutResult(pvarMenubarItems);
  });
}

// 28: rows x 4 (label, menu type, action type, action) of the menu bar of
// the first module with that identifier.
HRESULT CGuiXmlModel::GetModulebarItems(BSTR moduleID, VARIANT* pvarMenubarItems) {
  return Shielded([&] {
    std::vector<CDDMenubarItem*> items;
    m_model.GetModulebarItems(FromBstr(moduleID), items);
    if (items.empty()) return S_FALSE;
    VariantArray table(items.size(), 4);
    for (size_t row = 0; row < items.size(); ++row) {
      if (items[row]) PutMenubarItem(table, row, *items[row]);
    }
    return table.HandOutResult(pvarMenubarItems);
  });
}

// 29: rows x 6 (label, item type, action type, action, bitmap index, identifier) of the toolbar.
HRESULT CGuiXmlModel::GetToolbarItems(VARIANT* pvarMenubarItems) {
  return Shielded([&] {
    std::vector<CDDToolbarItem*> items;
    m_model.GetToolbarItems(items);
    if (items.empty()) return S_FALSE;
    VariantArray table(items.size(), 6);
    for (size_t row = 0; row < items.size(); ++row) {
      const CDDToolbarItem* item = items[row];
      if (!item) continue;
      std::u16string label;
      item->GetLabel(label);
      table.PutText(row, 0, label);
      table.PutLong(row, 1, item->GetItemType());
      table.PutLong(row, 2, item->GetActionType());
      table.PutText(row, 3, item->GetAction());
      table.PutLong(row, 4, item->GetBitmapIndex());
      table.PutText(row, 5, item->Id());
    }
    return table.HandOutResult(pvarMenubarItems);
  });
}

// 30: the toolbar image list with the directory in front; always written,
// empty when the toolbar has none (then S_FALSE).
HRESULT CGuiXmlModel::GetToolbarIconsList(BSTR* pbstrPath) {
  return Shielded([&] {
    std::u16string path;
    const int32_t status = m_model.GetToolbarIconsList(path);
    WriteText(pbstrPath, path);
    return status == 0 ? S_OK : S_FALSE;
  });
}

}  // namespace k42com
