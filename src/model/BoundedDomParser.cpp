// Stops the GUI XML parse at the structural load bounds, and lists section elements.
#include "model/BoundedDomParser.h"

#include <memory>

#include "model/AttributeBound.h"
#include "model/LoadBounds.h"
#include "model/OpenedFileSource.h"
#include "platform/text.h"

namespace k42 {

void BoundedDomParser::CollectElements(std::vector<std::u16string_view> names) {
  m_names = std::move(names);
  m_collected = std::vector<NodeVector>(m_names.size());
}

void BoundedDomParser::parse(const xercesc::InputSource& source) {
  xercesc::XercesDOMParser::parse(AttributeBoundedSource(source));
}

// A path is opened as every file is: a named pipe, directory or device is refused before the parser sees it.
void BoundedDomParser::parse(const XMLCh* path) {
  std::u16string reason;
  const std::unique_ptr<OpenedFileSource> source(OpenForParser(path, reason));
  if (source == nullptr) throw LoadRefused(ToNarrow(reason + u": " + path));
  parse(*source);
}

xercesc::InputSource* BoundedDomParser::resolveEntity(xercesc::XMLResourceIdentifier* resource) {
  std::unique_ptr<xercesc::InputSource> source(xercesc::XercesDOMParser::resolveEntity(resource));
  return source != nullptr ? new AttributeBoundedSource(std::move(source)) : nullptr;
}

void BoundedDomParser::startDocument() {
  m_depth = 0;
  m_ended = false;
  m_collected = std::vector<NodeVector>(m_names.size());
  m_nameCache.fill(NameSlot());
  xercesc::XercesDOMParser::startDocument();
}

void BoundedDomParser::doctypeDecl(const xercesc::DTDElementDecl&, const XMLCh* const, const XMLCh* const, const bool,
                                   const bool) {
  throw DoctypeRefused();
}

int BoundedDomParser::NameIndex(const XMLCh* text) {
  NameSlot& slot = m_nameCache[(reinterpret_cast<std::uintptr_t>(text) >> 3) % m_nameCache.size()];
  if (slot.text == text) return slot.index;
  int index = -1;
  if (text != nullptr) {
    const std::u16string_view name(text);
    for (size_t i = 0; i < m_names.size(); ++i) {
      if (m_names[i] == name) {
        index = static_cast<int>(i);
        break;
      }
    }
  }
  slot = {text, index};
  return index;
}

void BoundedDomParser::startElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId,
                                    const XMLCh* const elemPrefix,
                                    const xercesc::RefVectorOf<xercesc::XMLAttr>& attrList, const XMLSize_t attrCount,
                                    const bool isEmpty, const bool isRoot) {
  if (m_depth >= kMaxElementDepth) throw TooDeep();
  ++m_depth;
  m_ended = false;
  xercesc::XercesDOMParser::startElement(elemDecl, urlId, elemPrefix, attrList, attrCount, isEmpty, isRoot);
  // An empty element is ended by the base class itself, or not at all: either way it is closed now.
  if (isEmpty && !m_ended) --m_depth;
  // The base class leaves the new element as the current node, also when it has closed it already.
  if (!m_names.empty()) {
    xercesc::DOMNode* element = getCurrentNode();
    if (element != nullptr && element->getNodeType() == xercesc::DOMNode::ELEMENT_NODE) {
      const int index = NameIndex(element->getNodeName());
      if (index >= 0) m_collected[index].Append(element);
    }
  }
}

void BoundedDomParser::endElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId, const bool isRoot,
                                  const XMLCh* const elemPrefix) {
  m_ended = true;
  if (m_depth > 0) --m_depth;
  xercesc::XercesDOMParser::endElement(elemDecl, urlId, isRoot, elemPrefix);
}

}  // namespace k42
