// The SAX2 reader of the localized file, reading the file and its schemas through the attribute bound.
#pragma once

#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>

namespace k42 {

// A SAX2XMLReaderImpl whose parses read the document and every schema through AttributeBoundedSource,
// so that a start tag with more than kMaxElementAttributes attributes throws LoadRefused while it is read,
// before the library spends quadratic time on its attributes. A path names a local file.
class BoundedSaxReader : public xercesc::SAX2XMLReaderImpl {
 public:
  explicit BoundedSaxReader(xercesc::MemoryManager* memory) : xercesc::SAX2XMLReaderImpl(memory), m_memory(memory) {}

  void parse(const xercesc::InputSource& source) override;
  void parse(const XMLCh* const path) override;
  void parse(const char* const path) override;
  xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;

 private:
  xercesc::MemoryManager* m_memory;
};

}  // namespace k42
