// IGuiXmlModel methods about modules: tab modules, icons, root menus, module information, links, features, header references.
#include <utility>
#include <vector>

#include "component/GuiXmlModel.h"
#include "component/conversions.h"
#include "component/variant_array.h"

namespace k42com {

namespace {

// Methods 7 and 33: a found value first sets the output to null, then, when
// it is not empty, gives the text. S_OK only for a non-empty value.
HRESULT NullThenText(int32_t status, const std::u16string& value, BSTR* out) {
  if (status != 0) return S_FALSE;
  WriteNullText(out);
  if (value.empty()) return S_FALSE;
  WriteText(out, value);
  return S_OK;
}

// Methods 9 and 11: the text only when found and not empty.
HRESULT TextIfNotEmpty(int32_t status, const std::u16string& value, BSTR* out) {
  if (status != 0 || value.empty()) return S_FALSE;
  WriteText(out, value);
  return S_OK;
}

}  // namespace

// 6: rows x 2 (module identifier, ModuleIntegration); the integration cell
// stays VT_EMPTY when the model cannot give it.
HRESULT CGuiXmlModel::GetTabModules(long isTab, VARIANT* pvarModuleID) {
  return Shielded([&] {
    std::vector<std::u16string> modules;
    if (m_model.GetTabModules(isTab != 0 ? 1 : 0, modules) != 0 || modules.empty()) return S_FALSE;
    VariantArray table(modules.size(), 2);
    for (size_t row = 0; row < modules.size(); ++row) {
      table.PutText(row, 0, modules[row]);
      int32_t integration = 0;
      if (m_model.GetModuleIntegration(modules[row], integration) == 0) table.PutLong(row, 1, integration);
    }
    return table.HandOutResult(pvarModuleID);
  });
}

// 7: the module icon with the directory in front.
HRESULT CGuiXmlModel::GetModuleIcon(BSTR bstrModuleID, BSTR* pbstrIconPath) {
  return Shielded([&] {
    std::u16string icon;
    const int32_t status = m_model.GetModuleIcon(FromBstr(bstrModuleID), icon);
    return NullThenText(status, icon, pbstrIconPath);
  });
}

// 8: one dimension, the reference of each root entry.
HRESULT CGuiXmlModel::GetModuleRootMenus(BSTR bstrModuleID, VARIANT* pvarRootMenus) {
  return Shielded([&] {
    std::vector<CDDMenuEntry> entries;
    if (m_model.GetModuleRootMenus(FromBstr(bstrModuleID), entries) != 0 || entries.empty()) return S_FALSE;
    VariantArray list(entries.size());
    for (size_t row = 0; row < entries.size(); ++row) list.PutText(row, entries[row].m_reference);
    return list.HandOutResult(pvarRootMenus);
  });
}

// 9: the tree image list with the directory in front.
HRESULT CGuiXmlModel::GetModuleTreeIconList(BSTR bstrModuleID, BSTR* pbstrIconList) {
  return Shielded([&] {
    std::u16string list;
    const int32_t status = m_model.GetModuleTreeIconList(FromBstr(bstrModuleID), list);
    return TextIfNotEmpty(status, list, pbstrIconList);
  });
}

// 10: name, icon, tree icons and help file path, all four when the module exists.
HRESULT CGuiXmlModel::GetModuleInfo(BSTR bstrModuleID, BSTR* pbstrModuleName, BSTR* pbstrIcon, BSTR* pbstrTreeIcons,
                                    BSTR* pbstrHelpFilePath) {
  return Shielded([&] {
    std::u16string name, icon, treeIcons, helpFilePath;
    if (m_model.GetModuleInfo(FromBstr(bstrModuleID), name, icon, treeIcons, helpFilePath) != 0) return S_FALSE;
    WriteText(pbstrModuleName, name);
    WriteText(pbstrIcon, icon);
    WriteText(pbstrTreeIcons, treeIcons);
    WriteText(pbstrHelpFilePath, helpFilePath);
    return S_OK;
  });
}

// 11: the module's link reference with the directory in front.
HRESULT CGuiXmlModel::GetExternModulePath(BSTR bstrModuleID, BSTR* pbstrExternModulePath) {
  return Shielded([&] {
    std::u16string path;
    const int32_t status = m_model.GetExternModulePath(FromBstr(bstrModuleID), path);
    return TextIfNotEmpty(status, path, pbstrExternModulePath);
  });
}

// 27: link reference (as in the file), label and initialization text, each
// only when not empty; S_OK when at least one of them is there.
HRESULT CGuiXmlModel::GetExternModule(BSTR bstrModuleID, BSTR* pbstrExternModule, BSTR* pbstrLabel, BSTR* pbstrInit) {
  return Shielded([&] {
    std::u16string externModule, label, init;
    if (m_model.GetExternModule(FromBstr(bstrModuleID), externModule, label, init) != 0) return S_FALSE;
    bool any = false;
    for (auto [text, out] :
         {std::pair{&externModule, pbstrExternModule}, std::pair{&label, pbstrLabel}, std::pair{&init, pbstrInit}}) {
      if (text->empty()) continue;
      WriteText(out, *text);
      any = true;
    }
    return any ? S_OK : S_FALSE;
  });
}

// 33: the value of a module feature, as method 7 hands out its icon.
HRESULT CGuiXmlModel::GetModuleFeature(BSTR bstrModule, BSTR bstrFeatureName, BSTR* pbstrFeatureValue) {
  return Shielded([&] {
    std::u16string value;
    const int32_t status = m_model.GetModuleFeature(FromBstr(bstrModule), FromBstr(bstrFeatureName), value);
    return NullThenText(status, value, pbstrFeatureValue);
  });
}

// 35: both references are set to null when the module exists, then each
// one that is not empty is written; S_OK when at least one is.
HRESULT CGuiXmlModel::GetHeaderRefs(BSTR bstrModule, BSTR* strHeaderRefOffline, BSTR* strHeaderRefOnline) {
  return Shielded([&] {
    std::u16string offline, online;
    if (m_model.GetHeaderRefs(FromBstr(bstrModule), offline, online) != 0) return S_FALSE;
    WriteNullText(strHeaderRefOffline);
    WriteNullText(strHeaderRefOnline);
    if (!offline.empty()) WriteText(strHeaderRefOffline, offline);
    if (!online.empty()) WriteText(strHeaderRefOnline, online);
    return offline.empty() && online.empty() ? S_FALSE : S_OK;
  });
}

}  // namespace k42com
