// Small helpers over Xerces DOM nodes shared by all section readers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMNodeList.hpp>

#include "model/TextPool.h"
#include "platform/text.h"

namespace k42 {

// The attribute's text as a view of the document's own storage, valid while the document lives.
// The parser keeps a value as one text child (none when empty); the library's own getValue() finds that
// child through a checked cast on every call, which costs more than the rest of reading the attribute.
inline std::u16string_view AttributeText(const xercesc::DOMAttr* attribute) {
  const xercesc::DOMNode* text = attribute->getFirstChild();
  if (text == nullptr) return {};
  if (text->getNextSibling() == nullptr && text->getNodeType() == xercesc::DOMNode::TEXT_NODE) {
    const XMLCh* value = text->getNodeValue();
    return value != nullptr ? std::u16string_view(value) : std::u16string_view();
  }
  const XMLCh* value = attribute->getValue();  // several pieces: the library joins them
  return value != nullptr ? std::u16string_view(value) : std::u16string_view();
}

// True when node is an element carrying the attribute name (an empty value
// counts as present); value receives the attribute's text.
bool GetAttribute(const xercesc::DOMNode* node, const char16_t* name, std::u16string& value);
// The same without a copy: value views the document's own text, valid while the document lives.
bool GetAttribute(const xercesc::DOMNode* node, const char16_t* name, std::u16string_view& value);
// The same for a name of model/Names.h: the library wants the name NUL-terminated, as those views are.
inline bool GetAttribute(const xercesc::DOMNode* node, std::u16string_view name, std::u16string& value) {
  return GetAttribute(node, name.data(), value);
}
inline bool GetAttribute(const xercesc::DOMNode* node, std::u16string_view name, std::u16string_view& value) {
  return GetAttribute(node, name.data(), value);
}

// The attributes of an element read in one pass over its attribute map rather than one search of the
// map per name: names[i] is looked for, and Get(i, ...) answers as GetAttribute(node, names[i], ...) would.
template <size_t N>
class Attributes {
 public:
  Attributes(const xercesc::DOMNode* node, const std::u16string_view (&names)[N]) {
    if (node == nullptr || node->getNodeType() != xercesc::DOMNode::ELEMENT_NODE) return;
    const xercesc::DOMNamedNodeMap* map = node->getAttributes();
    if (map == nullptr) return;
    const XMLSize_t count = map->getLength();
    for (XMLSize_t a = 0; a < count; ++a) {
      const auto* attribute = static_cast<const xercesc::DOMAttr*>(map->item(a));
      const XMLCh* name = attribute->getNodeName();
      if (name == nullptr) continue;
      const std::u16string_view view(name);
      for (size_t i = 0; i < N; ++i) {
        // An element never carries one name twice, so the first attribute of a name is its only one.
        if (!m_found[i] && names[i] == view) {
          m_found[i] = true;
          m_values[i] = AttributeText(attribute);
          break;
        }
      }
    }
  }

  bool Has(size_t i) const { return m_found[i]; }
  bool Get(size_t i, std::u16string_view& value) const {
    if (m_found[i]) value = m_values[i];
    return m_found[i];
  }
  bool Get(size_t i, std::u16string& value) const {
    if (m_found[i]) value.assign(m_values[i]);
    return m_found[i];
  }
  // The text of attribute i stored in texts; false (field unchanged) when it is absent.
  bool Pool(TextPool& texts, size_t i, PooledText& field) const {
    if (!m_found[i]) return false;
    field = texts.Intern(m_values[i]);
    return true;
  }

 private:
  bool m_found[N] = {};
  std::u16string_view m_values[N];
};

// LeadingInteger of an attribute's text. Plain numbers (up to nine digits, an optional sign) are read in
// place: the general reading converts the text to the narrow code page first, and costs more than the
// attribute itself.
inline int32_t LeadingIntegerOf(std::u16string_view text) {
  size_t at = !text.empty() && (text[0] == u'-' || text[0] == u'+') ? 1 : 0;
  if (text.size() > at && text.size() - at <= 9) {
    int32_t value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) value = value * 10 + (text[at] - u'0');
    if (at == text.size()) return text[0] == u'-' ? -value : value;
  }
  return LeadingInteger(text);
}

// A node's name ("#text" for text nodes), for comparing with the names a reader dispatches on. It is
// compared unit by unit up to the first difference, with no measuring of its length first: a child's
// name is compared with many names, and differs from most of them in its first units.
class NodeNameRef {
 public:
  explicit NodeNameRef(const XMLCh* text) : m_text(text) {}
  template <size_t N>
  bool operator==(const char16_t (&name)[N]) const {
    if (m_text == nullptr) return false;
    // A shorter text ends in its terminator, which differs from every unit of name.
    for (size_t i = 0; i + 1 < N; ++i) {
      if (m_text[i] != name[i]) return false;
    }
    return m_text[N - 1] == 0;
  }
  bool operator==(std::u16string_view name) const {
    if (m_text == nullptr) return false;
    for (size_t i = 0; i < name.size(); ++i) {
      if (m_text[i] != name[i]) return false;
    }
    return m_text[name.size()] == 0;
  }

 private:
  const XMLCh* m_text;
};

inline NodeNameRef NodeName(const xercesc::DOMNode* node) {
  return NodeNameRef(node != nullptr ? node->getNodeName() : nullptr);
}

// The node's name compared exactly ("#text" for text nodes).
template <size_t N>
bool NodeNameIs(const xercesc::DOMNode* node, const char16_t (&name)[N]) {
  return NodeName(node) == name;
}
inline bool NodeNameIs(const xercesc::DOMNode* node, std::u16string_view name) { return NodeName(node) == name; }
inline bool IsTextNode(const xercesc::DOMNode* node) { return NodeNameIs(node, u"#text"); }

// The node's value (the text of a text or comment node), empty when none.
std::u16string NodeValue(const xercesc::DOMNode* node);
// The same as a view of the document's own text.
inline std::u16string_view NodeValueView(const xercesc::DOMNode* node) {
  const XMLCh* value = node != nullptr ? node->getNodeValue() : nullptr;
  return value != nullptr ? std::u16string_view(value) : std::u16string_view();
}

// Visits the child nodes of parent in order; visit returns false to stop early. Walked through sibling
// links: the library's child list counts from the first child on every item(i) call, and its parent link
// costs a checked cast.
template <typename Visit>
void ForEachChild(const xercesc::DOMNode* parent, Visit visit) {
  if (parent == nullptr) return;
  for (xercesc::DOMNode* node = parent->getFirstChild(); node != nullptr;) {
    // Read the next sibling first: visit may not change the tree, but
    // this keeps the walk independent of what it does with node.
    xercesc::DOMNode* next = node->getNextSibling();
    if (!visit(node)) return;
    node = next;
  }
}

// The same for children, the child list of one element: its first node is taken from it, the rest through
// sibling links.
template <typename Visit>
void ForEachChild(const xercesc::DOMNodeList* children, Visit visit) {
  for (xercesc::DOMNode* node = children != nullptr ? children->item(0) : nullptr; node != nullptr;) {
    xercesc::DOMNode* next = node->getNextSibling();
    if (!visit(node)) return;
    node = next;
  }
}

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
    ForEachChild(list, visit);
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
