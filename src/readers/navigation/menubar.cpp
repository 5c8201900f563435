// Reader of "MENUBAR" and "MODULEMENUBAR": the flat, bracketed menu-bar list.
//
// A popup becomes a kPOPUP_BEGIN item, its contents, and a kPOPUP_END item.
// Popups nest to any depth, and a hostile file may nest them a hundred
// thousand deep, so the nesting is followed with an explicit stack on the
// heap instead of recursion; the items come out in the same order. Each
// level is walked through sibling links: a Xerces child list counts from the
// first child on every item() call, which would make a wide level quadratic.
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "readers/navigation/NavigationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"

namespace {

// One level being read: the next node to read at that level (null when the
// level is done); popup levels close with an end marker.
struct Level {
  xercesc::DOMNode* next;
  bool popup;
};

using ItemList = k42::OwnedList<CDDMenubarItem>;

// Appends a new item of menuType.
void Append(ItemList& items, int32_t menuType) { items.push_back(std::make_unique<CDDMenubarItem>(menuType)); }

// Leaves the innermost level; a popup gets its end marker.
void CloseLevel(std::vector<Level>& levels, ItemList& items) {
  if (levels.back().popup) Append(items, kPOPUP_END);
  levels.pop_back();
}

}  // namespace

int k42::NavigationReader::ParseMenubar(DOMNodeList* list) {
  k42::ForEachNode(list, [this](DOMNode* node) {
    ParseMenubarItems(node->getChildNodes(), m_document.MenubarItems());
    return true;
  });
  return 0;
}

// children is the child list of one element ("MENUBAR", "MODULEMENUBAR");
// its first node is taken from it and the rest through sibling links.
int k42::NavigationReader::ParseMenubarItems(DOMNodeList* children, k42::OwnedList<CDDMenubarItem>& items) {
  std::vector<Level> levels;
  try {
    levels.push_back({children != nullptr ? children->item(0) : nullptr, false});
  } catch (...) {
    return 0;
  }

  while (!levels.empty()) {
    const size_t depth = levels.size();
    try {
      Level& level = levels.back();
      DOMNode* node = level.next;
      if (node == nullptr) {
        CloseLevel(levels, items);
        continue;
      }
      level.next = node->getNextSibling();
      if (k42::NodeNameIs(node, k42::names::kMenubarPopup)) {
        auto begin = std::make_unique<CDDMenubarItem>(kPOPUP_BEGIN);
        std::u16string id;
        if (k42::GetAttribute(node, k42::names::kMenubarId, id)) begin->SetId(m_texts, id);
        // The popup's level comes first, so that a begin item in the
        // list always has a level that closes it with an end marker.
        levels.push_back({node->getFirstChild(), true});
        try {
          items.push_back(std::move(begin));
        } catch (...) {
          levels.pop_back();
          throw;
        }
        m_elements.AddChild(items.back().get());
      } else if (k42::NodeNameIs(node, k42::names::kMenubarSeparator)) {
        Append(items, kSEPARATOR);
      } else if (k42::NodeNameIs(node, k42::names::kMenubarVariable)) {
        // Rewrites the item appended last, whatever it is: a popup's
        // begin or end marker, or an item of an earlier menu bar.
        std::u16string menuId;
        std::u16string variableId;
        if (!items.empty() && k42::GetAttribute(node, k42::names::kMenubarMenuId, menuId) &&
            k42::GetAttribute(node, k42::names::kMenubarVariableId, variableId)) {
          CDDMenubarItem* last = items.back().get();
          last->SetMenuId(std::move(menuId));
          last->SetVariableId(std::move(variableId));
          last->SetActionType(kENUM);
        }
      } else if (k42::NodeNameIs(node, k42::names::kMenubarItem)) {
        auto item = std::make_unique<CDDMenubarItem>(kMENUITEM);
        std::u16string text;
        if (k42::GetAttribute(node, k42::names::kMenubarId, text)) item->SetId(m_texts, text);
        if (k42::GetAttribute(node, k42::names::kMenubarAction, text)) item->SetAction(text);
        int32_t actionType = kDIALOGBOX;
        if (k42::GetAttribute(node, k42::names::kMenubarType, text) &&
            k42::KeywordToValue(k42::KeywordTable::kMenubarAction, text, actionType)) {
          item->SetActionType(actionType);
        }
        items.push_back(std::move(item));
        m_elements.AddChild(items.back().get());
      }
    } catch (...) {
      // The entry being built is dropped and the rest of its level is
      // skipped; every popup left open this way still gets its end
      // marker (unless memory is too short even for that).
      while (levels.size() >= depth && !levels.empty()) {
        try {
          CloseLevel(levels, items);
        } catch (...) {
          levels.pop_back();
        }
      }
    }
  }
  return 0;
}
