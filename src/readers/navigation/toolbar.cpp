// Reader of "TOOLBAR": toolbar buttons and the toolbar image list.
//
// Toolbar items are not entered into any dictionary, so the localized file
// never gives them a label.
#include <memory>

#include <k42gui/IGuiXmlModel.h>

#include "readers/navigation/NavigationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"
#include "model/Keywords.h"
#include "platform/text.h"

int k42::NavigationReader::ParseToolbar(DOMNodeList* list) {
  k42::ForEachNode(list, [this](DOMNode* node) {
    try {
      std::u16string imageList;
      if (k42::GetAttribute(node, k42::names::kToolbarImageList, imageList))
        m_document.SetToolbarImageList(std::move(imageList));
    } catch (...) {
      // The image list keeps its value; the items are still read.
    }
    ParseToolbarItems(node->getChildNodes());
    return true;
  });
  return 0;
}

int k42::NavigationReader::ParseToolbarItems(DOMNodeList* children) {
  k42::ForEachChild(children, [this](DOMNode* node) {
    if (!k42::NodeNameIs(node, k42::names::kToolbarItemDec)) return true;
    try {
      auto item = std::make_unique<CDDToolbarItem>();
      std::u16string type;
      std::u16string actionType;
      std::u16string action;
      std::u16string id;
      std::u16string bitmapIndex;
      const bool hasType = k42::GetAttribute(node, k42::names::kToolbarItemType, type);
      const bool hasActionType = k42::GetAttribute(node, k42::names::kToolbarActionType, actionType);
      const bool hasAction = k42::GetAttribute(node, k42::names::kToolbarAction, action);
      const bool hasId = k42::GetAttribute(node, k42::names::kToolbarId, id);
      const bool hasBitmapIndex = k42::GetAttribute(node, k42::names::kToolbarBitmapIndex, bitmapIndex);
      if (!hasType) return false;  // ends the reading of this "TOOLBAR"

      // An unknown keyword leaves CDDToolbarItem::kUnknownItemType.
      int32_t value = 0;
      if (k42::KeywordToValue(k42::KeywordTable::kToolbarItemType, type, value)) item->SetItemType(value);
      if (hasActionType && k42::KeywordToValue(k42::KeywordTable::kToolbarAction, actionType, value))
        item->SetActionType(value);
      if (hasAction) item->SetAction(std::move(action));
      if (hasId) item->SetId(m_texts, id);
      if (hasBitmapIndex) item->SetBitmapIndex(k42::LeadingIntegerOf(bitmapIndex));
      m_document.ToolbarItems().push_back(std::move(item));
      return true;
    } catch (...) {
      return false;  // the item is dropped and the rest of this "TOOLBAR" skipped
    }
  });
  return 0;
}
