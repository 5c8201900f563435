// Small helpers over Xerces DOM nodes shared by all section readers.
#pragma once

#include <string>

#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMNodeList.hpp>

namespace k42 {

// True when node is an element carrying the attribute name (an empty value
// counts as present); value receives the attribute's text.
bool GetAttribute(const xercesc::DOMNode* node, const char16_t* name, std::u16string& value);
bool HasAttribute(const xercesc::DOMNode* node, const char16_t* name);

// The node's name compared exactly ("#text" for text nodes).
bool NodeNameIs(const xercesc::DOMNode* node, const char16_t* name);
bool IsTextNode(const xercesc::DOMNode* node);

// The node's value (the text of a text or comment node), empty when none.
std::u16string NodeValue(const xercesc::DOMNode* node);

// Visits the nodes of a list in order. Node lists returned by
// getElementsByTagName are live: asking for their length re-walks the
// document, so walk with item(i) until it yields null. visit returns false
// to stop early.
template <typename Visit>
void ForEachNode(const xercesc::DOMNodeList* list, Visit visit) {
    if (list == nullptr) return;
    for (XMLSize_t i = 0;; ++i) {
        xercesc::DOMNode* node = list->item(i);
        if (node == nullptr) return;
        if (!visit(node)) return;
    }
}

}  // namespace k42
