// The DOM parser of the GUI XML file, stopped early at the structural load bounds.
#pragma once

#include <xercesc/parsers/XercesDOMParser.hpp>

namespace k42 {

// A XercesDOMParser that throws LoadRefused as soon as the document declares a document type or nests
// its elements deeper than kMaxElementDepth, before the library spends work on either (its namespace
// bookkeeping walks the whole element stack for each element, so deep nesting costs quadratic time).
class BoundedDomParser : public xercesc::XercesDOMParser {
 public:
  explicit BoundedDomParser(xercesc::MemoryManager* memory) : xercesc::XercesDOMParser(nullptr, memory) {}

  void doctypeDecl(const xercesc::DTDElementDecl& elemDecl, const XMLCh* const publicId, const XMLCh* const systemId,
                   const bool hasIntSubset, const bool hasExtSubset) override;
  void startElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId, const XMLCh* const elemPrefix,
                    const xercesc::RefVectorOf<xercesc::XMLAttr>& attrList, const XMLSize_t attrCount,
                    const bool isEmpty, const bool isRoot) override;
  void endElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId, const bool isRoot,
                  const XMLCh* const elemPrefix) override;

 private:
  unsigned m_depth = 0;
  bool m_ended = false;  // an end event arrived since the last start event
};

}  // namespace k42
