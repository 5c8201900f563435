// Reader of "NAVIGATION_AREA": root entries, menus and their entries.
//
// Entries name other declarations by identifier only and are kept exactly as
// written; nothing is resolved or checked here. Every reader catches a failed
// copy of an attribute text (memory exhausted) and drops what it was
// building, so a bad element never stops the reading of its module.
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDParserXML.h"
#include "model/DomUtil.h"

int CDDParserXML::ParseNavigationArea(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return 0;
  try {
    std::u16string imageList;
    if (k42::GetAttribute(node, u"NAVIGATION_AREA_IMAGELIST", imageList)) {
      module->SetTreeImageList(std::move(imageList));
    }
  } catch (...) {
    // The image list keeps its value; the menus are still read.
  }
  k42::ForEachNode(node->getChildNodes(), [&](DOMNode* child) {
    if (k42::NodeNameIs(child, u"MENU_DEC")) {
      ParseMenuDec(child, module);
    } else if (k42::NodeNameIs(child, u"MENU")) {
      ParseRootMenu(child, module);
    }
    return true;
  });
  return 0;
}

int CDDParserXML::ParseMenuDec(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return -1;
  std::unique_ptr<CDDMenuItem> menu;
  try {
    menu = std::make_unique<CDDMenuItem>();
  } catch (...) {
    return -1;
  }
  try {
    std::u16string id;
    if (!k42::GetAttribute(node, u"MENU_ID", id)) return -2;  // dropped with its children
    menu->SetId(std::move(id));
  } catch (...) {
    return -3;
  }

  bool conditionalChild = false;
  k42::ForEachNode(node->getChildNodes(), [&](DOMNode* child) {
    if (k42::NodeNameIs(child, u"VARIABLE_NAV")) {
      if (ParseVariableNav(child, module, menu.get()) == 1) conditionalChild = true;
    } else if (k42::NodeNameIs(child, u"MENU")) {
      ParseSubMenu(child, module, menu.get());
    } else if (k42::NodeNameIs(child, u"METHOD_NAV")) {
      ParseMethodNav(child, module, menu.get());
    } else if (k42::NodeNameIs(child, u"MODULE_NAV")) {
      ParseModuleNav(child, module, menu.get());
    }
    return true;
  });

  try {
    // An explicit "RWRO_COND" decides alone, even against "COND" of the entries.
    std::u16string condition;
    if (k42::GetAttribute(node, u"RWRO_COND", condition)) {
      menu->SetRwroCondition(condition);
    } else if (conditionalChild) {
      menu->SetRwroCondition(u"1");
    }
  } catch (...) {
    return -4;
  }

  try {
    module->AddMenu(std::move(menu));
  } catch (...) {
    return -1;
  }
  return 0;
}

int CDDParserXML::ParseRootMenu(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return -1;
  try {
    CDDMenuEntry entry;
    entry.m_kind = PoolAttribute(node, u"MENU_REF", entry.m_reference) ? ROOTMENU : UNKNOWN;
    PoolAttribute(node, u"PARDIS_REF", entry.m_displayRef);
    PoolAttribute(node, u"IMAGELIST_INDEX", entry.m_imageListIndex);
    module->RootMenu().AddEntry(entry);
  } catch (...) {
    return -1;
  }
  return 0;
}

int CDDParserXML::ParseVariableNav(DOMNode* node, CDDModule*, CDDMenuItem* menu) {
  if (node == nullptr || menu == nullptr) return -1;
  try {
    CDDMenuEntry entry;
    entry.m_kind = VARIABLE;
    if (!PoolAttribute(node, u"VAR_REF", entry.m_reference) ||
        !PoolAttribute(node, u"PARDIS_REF", entry.m_displayRef)) {
      return 0;
    }
    PoolAttribute(node, u"LABEL_REF", entry.m_labelRef);
    PoolAttribute(node, u"IMAGELIST_INDEX", entry.m_imageListIndex);
    std::u16string_view condition;
    // Only the exact text "1" counts: no trimming, no other truth words.
    const bool conditional = k42::GetAttribute(node, u"COND", condition) && condition == u"1";
    menu->AddEntry(entry);
    return conditional ? 1 : 0;
  } catch (...) {
    return -1;
  }
}

int CDDParserXML::ParseMethodNav(DOMNode* node, CDDModule*, CDDMenuItem* menu) {
  if (node == nullptr || menu == nullptr) return -1;
  try {
    CDDMenuEntry entry;
    entry.m_kind = METHOD;
    if (!PoolAttribute(node, u"MET_REF", entry.m_reference) ||
        !PoolAttribute(node, u"PARDIS_REF", entry.m_displayRef)) {
      return 0;
    }
    PoolAttribute(node, u"IMAGELIST_INDEX", entry.m_imageListIndex);
    menu->AddEntry(entry);
  } catch (...) {
    return -1;
  }
  return 0;
}

int CDDParserXML::ParseModuleNav(DOMNode* node, CDDModule*, CDDMenuItem* menu) {
  if (node == nullptr || menu == nullptr) return -1;
  try {
    CDDMenuEntry entry;
    entry.m_kind = MODULE;
    if (!PoolAttribute(node, u"MOD_REF", entry.m_reference)) return 0;
    PoolAttribute(node, u"PARDIS_REF", entry.m_displayRef);
    PoolAttribute(node, u"IMAGELIST_INDEX", entry.m_imageListIndex);
    menu->AddEntry(entry);
  } catch (...) {
    return -1;
  }
  return 0;
}

int CDDParserXML::ParseSubMenu(DOMNode* node, CDDModule*, CDDMenuItem* menu) {
  if (node == nullptr || menu == nullptr) return -1;
  CDDMenuEntry entry;
  entry.m_kind = MENU;
  try {
    PoolAttribute(node, u"MENU_REF", entry.m_reference);
    PoolAttribute(node, u"IMAGELIST_INDEX", entry.m_imageListIndex);
  } catch (...) {
    return -1;
  }
  try {
    PoolAttribute(node, u"PARDIS_REF", entry.m_displayRef);
  } catch (...) {
    // A sub-menu entry is kept even when its display reference is lost.
    entry.m_displayRef = {};
  }
  try {
    menu->AddEntry(entry);
  } catch (...) {
    return -1;
  }
  return 0;
}
