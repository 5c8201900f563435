// Attribute, name and value helpers over Xerces DOM nodes.
#include "model/DomUtil.h"

#include <xercesc/dom/DOMAttr.hpp>

namespace k42 {

bool GetAttribute(const xercesc::DOMNode* node, const char16_t* name, std::u16string& value) {
  if (node == nullptr || node->getNodeType() != xercesc::DOMNode::ELEMENT_NODE) return false;
  const auto* element = static_cast<const xercesc::DOMElement*>(node);
  const xercesc::DOMAttr* attribute = element->getAttributeNode(name);
  if (attribute == nullptr) return false;
  const XMLCh* text = attribute->getValue();
  value = text != nullptr ? std::u16string(text) : std::u16string();
  return true;
}

bool NodeNameIs(const xercesc::DOMNode* node, const char16_t* name) {
  if (node == nullptr) return false;
  const XMLCh* nodeName = node->getNodeName();
  return nodeName != nullptr && std::u16string_view(nodeName) == name;
}

bool IsTextNode(const xercesc::DOMNode* node) { return NodeNameIs(node, u"#text"); }

std::u16string NodeValue(const xercesc::DOMNode* node) {
  if (node == nullptr) return {};
  const XMLCh* value = node->getNodeValue();
  return value != nullptr ? std::u16string(value) : std::u16string();
}

}  // namespace k42
