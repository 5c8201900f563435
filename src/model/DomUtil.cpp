// Attribute, name and value helpers over Xerces DOM nodes.
#include "model/DomUtil.h"

#include <xercesc/dom/DOMAttr.hpp>

namespace k42 {

bool GetAttribute(const xercesc::DOMNode* node, const char16_t* name, std::u16string_view& value) {
  if (node == nullptr || node->getNodeType() != xercesc::DOMNode::ELEMENT_NODE) return false;
  const auto* element = static_cast<const xercesc::DOMElement*>(node);
  const xercesc::DOMAttr* attribute = element->getAttributeNode(name);
  if (attribute == nullptr) return false;
  value = AttributeText(attribute);
  return true;
}

bool GetAttribute(const xercesc::DOMNode* node, const char16_t* name, std::u16string& value) {
  std::u16string_view text;
  if (!GetAttribute(node, name, text)) return false;
  value.assign(text);
  return true;
}

std::u16string NodeValue(const xercesc::DOMNode* node) {
  if (node == nullptr) return {};
  const XMLCh* value = node->getNodeValue();
  return value != nullptr ? std::u16string(value) : std::u16string();
}

std::vector<NodeVector> CollectElementsByName(const xercesc::DOMDocument* document,
                                              const std::vector<std::u16string_view>& names) {
  std::vector<NodeVector> lists(names.size());
  if (document == nullptr) return lists;

  // Pre-order walk through child and sibling links. The way back up is kept here rather than asked of each
  // node: the library's parent link costs a type check per call, and this walk visits every node.
  std::vector<xercesc::DOMNode*> ancestors;
  xercesc::DOMNode* node = document->getFirstChild();
  while (node != nullptr) {
    if (node->getNodeType() == xercesc::DOMNode::ELEMENT_NODE) {
      // A handful of names: comparing them beats hashing every element's name.
      const std::u16string_view name(node->getNodeName());
      for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
          lists[i].Append(node);
          break;
        }
      }
    }
    if (xercesc::DOMNode* child = node->getFirstChild()) {
      ancestors.push_back(node);
      node = child;
      continue;
    }
    node = node->getNextSibling();
    while (node == nullptr && !ancestors.empty()) {
      node = ancestors.back()->getNextSibling();
      ancestors.pop_back();
    }
  }
  return lists;
}

}  // namespace k42
