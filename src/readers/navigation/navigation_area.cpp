// Reader of "NAVIGATION_AREA": root entries, menus and their entries.
//
// Entries name other declarations by identifier only and are kept exactly as
// written; nothing is resolved or checked here. Every reader catches a failed
// copy of an attribute text (memory exhausted) and drops what it was
// building, so a bad element never stops the reading of its module.
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "readers/navigation/NavigationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"

int k42::NavigationReader::ParseNavigationArea(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return 0;
  try {
    std::u16string imageList;
    if (k42::GetAttribute(node, k42::names::kNavigationAreaImageList, imageList)) {
      module->SetTreeImageList(std::move(imageList));
    }
  } catch (...) {
    // The image list keeps its value; the menus are still read.
  }
  k42::ForEachChild(node, [&](DOMNode* child) {
    const k42::NodeNameRef name = k42::NodeName(child);
    if (name == k42::names::kMenuDec) {
      ParseMenuDec(child, module);
    } else if (name == k42::names::kMenu) {
      ParseRootMenu(child, module);
    }
    return true;
  });
  return 0;
}

int k42::NavigationReader::ParseMenuDec(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return -1;
  std::unique_ptr<CDDMenuItem> menu;
  try {
    menu = std::make_unique<CDDMenuItem>();
  } catch (...) {
    return -1;
  }
  try {
    std::u16string_view id;
    if (!k42::GetAttribute(node, k42::names::kMenuId, id)) return -2;  // dropped with its children
    menu->SetId(m_texts, id);
  } catch (...) {
    return -3;
  }

  bool conditionalChild = false;
  k42::ForEachChild(node, [&](DOMNode* child) {
    const k42::NodeNameRef name = k42::NodeName(child);
    if (name == k42::names::kVariableNav) {
      if (ParseVariableNav(child, module, menu.get()) == 1) conditionalChild = true;
    } else if (name == k42::names::kMenu) {
      ParseSubMenu(child, module, menu.get());
    } else if (name == k42::names::kMethodNav) {
      ParseMethodNav(child, module, menu.get());
    } else if (name == k42::names::kModuleNav) {
      ParseModuleNav(child, module, menu.get());
    }
    return true;
  });

  try {
    // An explicit "RWRO_COND" decides alone, even against "COND" of the entries.
    std::u16string condition;
    if (k42::GetAttribute(node, k42::names::kRwroCond, condition)) {
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

int k42::NavigationReader::ParseRootMenu(DOMNode* node, CDDModule* module) {
  if (node == nullptr || module == nullptr) return -1;
  try {
    static constexpr std::u16string_view kNames[] = {k42::names::kMenuRef, k42::names::kPardisRef,
                                                     k42::names::kImageListIndex};
    const k42::Attributes attributes(node, kNames);
    CDDMenuEntry entry;
    entry.m_kind = attributes.Pool(m_texts, 0, entry.m_reference) ? ROOTMENU : UNKNOWN;
    attributes.Pool(m_texts, 1, entry.m_displayRef);
    attributes.Pool(m_texts, 2, entry.m_imageListIndex);
    module->RootMenu().AddEntry(entry);
  } catch (...) {
    return -1;
  }
  return 0;
}

int k42::NavigationReader::ParseVariableNav(DOMNode* node, CDDModule*, CDDMenuItem* menu) {
  if (node == nullptr || menu == nullptr) return -1;
  try {
    static constexpr std::u16string_view kNames[] = {k42::names::kVarRef, k42::names::kPardisRef, k42::names::kLabelRef,
                                                     k42::names::kImageListIndex, k42::names::kCond};
    const k42::Attributes attributes(node, kNames);
    CDDMenuEntry entry;
    entry.m_kind = VARIABLE;
    if (!attributes.Pool(m_texts, 0, entry.m_reference) || !attributes.Pool(m_texts, 1, entry.m_displayRef)) {
      return 0;
    }
    attributes.Pool(m_texts, 2, entry.m_labelRef);
    attributes.Pool(m_texts, 3, entry.m_imageListIndex);
    std::u16string_view condition;
    // Only the exact text "1" counts: no trimming, no other truth words.
    const bool conditional = attributes.Get(4, condition) && condition == u"1";
    menu->AddEntry(entry);
    return conditional ? 1 : 0;
  } catch (...) {
    return -1;
  }
}

int k42::NavigationReader::ParseMethodNav(DOMNode* node, CDDModule*, CDDMenuItem* menu) {
  if (node == nullptr || menu == nullptr) return -1;
  try {
    static constexpr std::u16string_view kNames[] = {k42::names::kMetRef, k42::names::kPardisRef,
                                                     k42::names::kImageListIndex};
    const k42::Attributes attributes(node, kNames);
    CDDMenuEntry entry;
    entry.m_kind = METHOD;
    if (!attributes.Pool(m_texts, 0, entry.m_reference) || !attributes.Pool(m_texts, 1, entry.m_displayRef)) {
      return 0;
    }
    attributes.Pool(m_texts, 2, entry.m_imageListIndex);
    menu->AddEntry(entry);
  } catch (...) {
    return -1;
  }
  return 0;
}

int k42::NavigationReader::ParseModuleNav(DOMNode* node, CDDModule*, CDDMenuItem* menu) {
  if (node == nullptr || menu == nullptr) return -1;
  try {
    static constexpr std::u16string_view kNames[] = {k42::names::kModRef, k42::names::kPardisRef,
                                                     k42::names::kImageListIndex};
    const k42::Attributes attributes(node, kNames);
    CDDMenuEntry entry;
    entry.m_kind = MODULE;
    if (!attributes.Pool(m_texts, 0, entry.m_reference)) return 0;
    attributes.Pool(m_texts, 1, entry.m_displayRef);
    attributes.Pool(m_texts, 2, entry.m_imageListIndex);
    menu->AddEntry(entry);
  } catch (...) {
    return -1;
  }
  return 0;
}

int k42::NavigationReader::ParseSubMenu(DOMNode* node, CDDModule*, CDDMenuItem* menu) {
  if (node == nullptr || menu == nullptr) return -1;
  static constexpr std::u16string_view kNames[] = {k42::names::kMenuRef, k42::names::kImageListIndex,
                                                   k42::names::kPardisRef};
  const k42::Attributes attributes(node, kNames);
  CDDMenuEntry entry;
  entry.m_kind = MENU;
  try {
    attributes.Pool(m_texts, 0, entry.m_reference);
    attributes.Pool(m_texts, 1, entry.m_imageListIndex);
  } catch (...) {
    return -1;
  }
  try {
    attributes.Pool(m_texts, 2, entry.m_displayRef);
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
