// Queries over modules, menus, displays, help file references, logos, menu bar and toolbar.
//
// Every module query takes the first module of the modules list whose
// identifier equals the requested one (found through an index); only
// GetDisplayItems goes on to later modules of the same identifier. A query
// that does not find what it was asked for leaves its outputs as the caller
// passed them, except lists that it empties before looking.
#include "model/DDDocument.h"

#include <k42gui/IGuiXmlModel.h>

namespace {

// The display of that identifier in the module's local dictionary; null when
// the identifier is unknown or names a menu.
CDDPardis* FindDisplay(const CDDModule& module, const std::u16string& displayId) {
  return dynamic_cast<CDDPardis*>(module.FindChild(displayId));
}

}  // namespace

int32_t CDDDocument::GetHelpFileRef(int32_t helpFileType, std::u16string& path, int32_t& anchor) const {
  switch (helpFileType) {
    case kHELPDTM:
      path = m_dtmHelpFile;
      anchor = m_dtmHelpAnchor;
      break;
    case kHELPUI:
      path = m_uiHelpFile;
      anchor = m_uiHelpAnchor;
      break;
    default:
      anchor = kEQTOID;
      break;
  }
  return 0;
}

CDDModule* CDDDocument::FindModule(const std::u16string& moduleId) const {
  const auto& modules = m_moduleIndex.Find(m_modules, moduleId);
  return modules.empty() ? nullptr : modules.front();
}

int32_t CDDDocument::GetTabModules(int32_t isTab, std::vector<std::u16string>& ids) const {
  if (m_modules.empty()) return -1;
  ids.clear();
  for (const auto& module : m_modules) {
    const bool tab = module->GetIntegration() == kTAB;
    if (tab == (isTab != 0)) ids.emplace_back(module->Id());
  }
  return 0;
}

int32_t CDDDocument::GetModuleIntegration(const std::u16string& moduleId, int32_t& integration) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  integration = module->GetIntegration();
  return 0;
}

int32_t CDDDocument::GetModuleIconRef(const std::u16string& moduleId, std::u16string& icon) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  icon = module->GetIcon();
  return 0;
}

int32_t CDDDocument::GetModuleTreeIconListRef(const std::u16string& moduleId, std::u16string& list) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  list = module->GetTreeImageList();
  return 0;
}

int32_t CDDDocument::GetExternModule(const std::u16string& moduleId, std::u16string& externModule,
                                     std::u16string& label, std::u16string& init) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  externModule = module->GetLinkRef();
  module->GetLabel(label);
  init = module->GetInitString();
  return 0;
}

int32_t CDDDocument::GetExternModuleRef(const std::u16string& moduleId, std::u16string& path) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  path = module->GetLinkRef();
  return 0;
}

int32_t CDDDocument::GetModuleInfoRefs(const std::u16string& moduleId, std::u16string& name, std::u16string& icon,
                                       std::u16string& treeIcons, std::u16string& helpFilePath) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  module->GetLabel(name);
  icon = module->GetIcon();
  treeIcons = module->GetTreeImageList();
  helpFilePath = module->GetHelpFile();
  return 0;
}

// An unknown module leaves the caller's list as it was.
int32_t CDDDocument::GetModuleRootMenus(const std::u16string& moduleId, std::vector<CDDMenuEntry>& entries) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  module->RootMenu().GetEntries(entries);
  return 0;
}

int32_t CDDDocument::GetModuleFeature(const std::u16string& moduleId, const std::u16string& name,
                                      std::u16string& value) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  return module->GetFeature(name, value) ? 0 : -1;
}

int32_t CDDDocument::GetHeaderRefs(const std::u16string& moduleId, std::u16string& offline,
                                   std::u16string& online) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  module->GetHeaderRefs(offline, online);
  return 0;
}

int32_t CDDDocument::GetMenuItems(const std::u16string& moduleId, const std::u16string& menuId,
                                  std::vector<CDDMenuEntry>& entries) const {
  // Emptied before the look-up, so a miss hands back an empty list.
  if (!m_modules.empty()) entries.clear();
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  const int32_t position = module->FindMenuIndex(menuId);
  if (position < 0) return -1;
  return module->GetMenuEntries(position, entries) < 0 ? -1 : 0;
}

void CDDDocument::GetDisplayItems(const std::u16string& moduleId, const std::u16string& displayId,
                                  std::u16string& label, int32_t& displayType, std::u16string& imagePath,
                                  std::vector<CDDDisplayItem>& items, int32_t& rwroCond) const {
  items.clear();
  if (const CDDPardis* display = FindDisplayOfModules(moduleId, displayId)) {
    display->GetLabel(label);
    displayType = display->GetDisplayType();
    imagePath = display->GetImagePath();
    display->GetItems(items);
    rwroCond = display->GetRwro() ? 1 : 0;
  }
}

const CDDPardis* CDDDocument::FindDisplayOfModules(const std::u16string& moduleId,
                                                   const std::u16string& displayId) const {
  for (const CDDModule* module : m_moduleIndex.Find(m_modules, moduleId)) {
    const CDDPardis* display = FindDisplay(*module, displayId);
    if (display != nullptr) return display;  // else a later module of the same identifier may have it
  }
  return nullptr;
}

int32_t CDDDocument::GetDisplayInfo(const std::u16string& moduleId, const std::u16string& displayId,
                                    std::u16string& label, int32_t& displayType, std::u16string& validId) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  const CDDPardis* display = FindDisplay(*module, displayId);
  if (display == nullptr) return -1;
  display->GetLabel(label);
  displayType = display->GetDisplayType();
  validId = display->GetValidityId();
  return 0;
}

int32_t CDDDocument::GetDisplayButtonNav(const std::u16string& moduleId, const std::u16string& displayId,
                                         std::u16string& first, std::u16string& previous, std::u16string& next,
                                         std::u16string& last, std::u16string& home) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  const CDDPardis* display = FindDisplay(*module, displayId);
  if (display == nullptr) return -1;
  first = display->GetFirst();
  previous = display->GetPrevious();
  next = display->GetNext();
  last = display->GetLast();
  home = display->GetHome();
  return 0;
}

int32_t CDDDocument::GetItemInfo(const std::u16string& moduleId, const std::u16string& parentMenuId,
                                 const std::u16string& itemId, std::u16string& label, std::u16string& displayId,
                                 std::u16string& imageListIndex, int32_t& itemType, int32_t& conditionalLabel) const {
  conditionalLabel = 0;
  std::u16string labelRef;
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;

  if (module->FindItemInfo(parentMenuId, itemId, label, labelRef, displayId, imageListIndex, itemType) < 0) {
    // The parent menu does not exist: the item is looked for among the
    // variables. The result stays -1, so a host only takes the item type.
    if (const CDDVariable* variable = m_variableIndex.Find(m_variables, itemId)) {
      variable->GetLabel(label);
      module->FindMenuOfItem(itemId, displayId);
      imageListIndex = variable->GetDisplayRef();
      itemType = ITEM_VARIABLE;
    }
    return -1;
  }

  // The element whose texts label the item.
  const CDDBase* labelling = nullptr;
  switch (itemType) {
    case ITEM_VARIABLE:
      if (!labelRef.empty()) {
        labelling = m_elements.FindChild(labelRef);
      } else if (!m_variables.empty()) {
        labelling = m_elements.FindChild(itemId);
      }
      break;
    case ITEM_METHOD:
      if (!m_methods.empty()) labelling = m_elements.FindChild(itemId);
      break;
    case ITEM_MODULE: {
      const CDDModule* target = FindModule(itemId);
      if (target == nullptr) return -1;
      target->GetLabel(label);
      return 0;
    }
    default:
      return 0;  // menus and the rest: the module's answer stands
  }
  if (labelling == nullptr) return -1;

  const auto* element = dynamic_cast<const CDDElement*>(labelling);
  conditionalLabel = element != nullptr && element->HasVariants() ? 1 : 0;
  if (conditionalLabel != 0) {
    label.clear();
  } else {
    labelling->GetLabel(label);
  }
  return 0;
}

int32_t CDDDocument::GetLogoRefs(std::vector<CDDLogo>& logos) const {
  logos = m_logos;
  return 0;
}

int32_t CDDDocument::GetFunctionIdIsOnline(int32_t* online) const {
  if (online == nullptr) return -1;
  *online = m_isOnline;
  return 0;
}

void CDDDocument::GetMenubarItems(std::vector<CDDMenubarItem*>& items) const {
  k42::CopyObservers(m_menubarItems, items);
}

// An unknown module leaves the caller's list as it was.
int32_t CDDDocument::GetModulebarItems(const std::u16string& moduleId, std::vector<CDDMenubarItem*>& items) const {
  const CDDModule* module = FindModule(moduleId);
  if (module == nullptr) return -1;
  module->GetMenubarItems(items);
  return 0;
}

void CDDDocument::GetToolbarItems(std::vector<CDDToolbarItem*>& items) const {
  k42::CopyObservers(m_toolbarItems, items);
}

size_t CDDDocument::GetToolbarImageList(std::u16string& reference) const {
  reference = m_toolbarImageList;
  return reference.size();
}
