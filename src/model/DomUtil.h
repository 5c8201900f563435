// Small helpers over Xerces DOM nodes shared by all section readers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMNodeList.hpp>

namespace k42 {

// True when node is an element carrying the attribute name (an empty value
// counts as present); value receives the attribute's text.
bool GetAttribute(const xercesc::DOMNode* node, const char16_t* name, std::u16string& value);
// The same without a copy: value views the document's own text, valid while the document lives.
bool GetAttribute(const xercesc::DOMNode* node, const char16_t* name, std::u16string_view& value);

// The node's name compared exactly ("#text" for text nodes).
bool NodeNameIs(const xercesc::DOMNode* node, const char16_t* name);
bool IsTextNode(const xercesc::DOMNode* node);

// The node's value (the text of a text or comment node), empty when none.
std::u16string NodeValue(const xercesc::DOMNode* node);

// Visits the nodes of a list in order; visit returns false to stop early.
// Two kinds of list reach the readers, and each is walked in linear time:
// - a node's child list: its item(i) counts from the first child on every
//   call, so the children are walked through their sibling links instead;
// - a list from getElementsByTagName: it is live and asking for its length
//   re-walks the document, but sequential item(i) calls are cached, so it is
//   walked with item(i) until that yields null.
template <typename Visit>
void ForEachNode(const xercesc::DOMNodeList* list, Visit visit) {
  if (list == nullptr) return;
  xercesc::DOMNode* first = list->item(0);
  if (first == nullptr) return;
  const xercesc::DOMNode* parent = first->getParentNode();
  if (parent != nullptr && parent->getChildNodes() == list) {
    for (xercesc::DOMNode* node = first; node != nullptr;) {
      // Read the next sibling first: visit may not change the tree, but
      // this keeps the walk independent of what it does with node.
      xercesc::DOMNode* next = node->getNextSibling();
      if (!visit(node)) return;
      node = next;
    }
    return;
  }
  for (XMLSize_t i = 0;; ++i) {
    xercesc::DOMNode* node = i == 0 ? first : list->item(i);
    if (node == nullptr) return;
    if (!visit(node)) return;
  }
}

// A fixed list of nodes with the interface of the library's node lists, for the section readers.
class NodeVector : public xercesc::DOMNodeList {
 public:
  xercesc::DOMNode* item(XMLSize_t index) const override { return index < m_nodes.size() ? m_nodes[index] : nullptr; }
  XMLSize_t getLength() const override { return m_nodes.size(); }
  void Append(xercesc::DOMNode* node) { m_nodes.push_back(node); }

 private:
  std::vector<xercesc::DOMNode*> m_nodes;
};

// The elements of each of names, in document order, as getElementsByTagName gives them, found in one walk
// of the whole document instead of one walk per name (without recursion: nesting may be deep).
std::vector<NodeVector> CollectElementsByName(const xercesc::DOMDocument* document,
                                              const std::vector<std::u16string_view>& names);

}  // namespace k42
