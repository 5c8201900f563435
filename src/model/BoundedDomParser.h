// The DOM parser of the GUI XML file, stopped early at the structural load bounds.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include <xercesc/parsers/XercesDOMParser.hpp>

#include "model/DomUtil.h"

namespace k42 {

// A XercesDOMParser that throws LoadRefused as soon as the document declares a document type, nests
// its elements deeper than kMaxElementDepth or gives one element more than kMaxElementAttributes
// attributes, before the library spends work on any of them (its namespace bookkeeping walks the whole
// element stack for each element, so deep nesting costs quadratic time, and the attributes of one start
// tag cost quadratic time before the element is reported: their bound is checked in the bytes read).
//
// It can also list the elements of some names while it builds the tree: each element is then looked at
// once, while it is still in the cache, instead of in a second walk over the whole finished document.
class BoundedDomParser : public xercesc::XercesDOMParser {
 public:
  explicit BoundedDomParser(xercesc::MemoryManager* memory) : xercesc::XercesDOMParser(nullptr, memory) {}

  // From the next parse on, Collected()[i] lists the elements whose name is names[i], in document order
  // (the order of getElementsByTagName). The names' texts must outlive the parser.
  void CollectElements(std::vector<std::u16string_view> names);
  std::vector<NodeVector>& Collected() { return m_collected; }

  // The document and every schema are read through the attribute bound (AttributeBoundedSource); a path
  // names a local file.
  void parse(const xercesc::InputSource& source);
  void parse(const XMLCh* path);
  xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;

  void startDocument() override;
  void doctypeDecl(const xercesc::DTDElementDecl& elemDecl, const XMLCh* const publicId, const XMLCh* const systemId,
                   const bool hasIntSubset, const bool hasExtSubset) override;
  void startElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId, const XMLCh* const elemPrefix,
                    const xercesc::RefVectorOf<xercesc::XMLAttr>& attrList, const XMLSize_t attrCount,
                    const bool isEmpty, const bool isRoot) override;
  void endElement(const xercesc::XMLElementDecl& elemDecl, const unsigned int urlId, const bool isRoot,
                  const XMLCh* const elemPrefix) override;

 private:
  // The index in m_names of the element name text, or -1.
  int NameIndex(const XMLCh* text);

  unsigned m_depth = 0;
  bool m_ended = false;  // an end event arrived since the last start event
  std::vector<std::u16string_view> m_names;
  std::vector<NodeVector> m_collected;
  // The document keeps one copy of each element name, so most elements are matched by the address of
  // their name alone. An address stands for the same text as long as the document lives, so the cache
  // stays right even for a name the document did not share; it is emptied with each new document.
  struct NameSlot {
    const XMLCh* text = nullptr;
    int index = -1;
  };
  std::array<NameSlot, 128> m_nameCache{};
};

}  // namespace k42
