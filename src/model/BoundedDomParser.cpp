// Stops the GUI XML parse at a document type declaration or at excessive nesting.
#include "model/BoundedDomParser.h"

#include "model/LoadBounds.h"

namespace k42 {

void BoundedDomParser::doctypeDecl(const xercesc::DTDElementDecl&, const XMLCh* const, const XMLCh* const, const bool,
                                   const bool) {
  throw DoctypeRefused();
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
}

void BoundedDomParser::endElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId, const bool isRoot,
                                  const XMLCh* const elemPrefix) {
  m_ended = true;
  if (m_depth > 0) --m_depth;
  xercesc::XercesDOMParser::endElement(elemDecl, urlId, isRoot, elemPrefix);
}

}  // namespace k42
