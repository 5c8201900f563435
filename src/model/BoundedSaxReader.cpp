// Reads the localized file and its schemas through the attribute bound.
#include "model/BoundedSaxReader.h"

#include <memory>

#include <xercesc/framework/LocalFileInputSource.hpp>

#include "model/AttributeBound.h"
#include "platform/text.h"

namespace k42 {

void BoundedSaxReader::parse(const xercesc::InputSource& source) {
  xercesc::SAX2XMLReaderImpl::parse(AttributeBoundedSource(source));
}

void BoundedSaxReader::parse(const XMLCh* const path) { parse(xercesc::LocalFileInputSource(path, m_memory)); }

void BoundedSaxReader::parse(const char* const path) { parse(FromNarrow(path).c_str()); }

xercesc::InputSource* BoundedSaxReader::resolveEntity(xercesc::XMLResourceIdentifier* resource) {
  std::unique_ptr<xercesc::InputSource> source(xercesc::SAX2XMLReaderImpl::resolveEntity(resource));
  return source != nullptr ? new AttributeBoundedSource(std::move(source)) : nullptr;
}

}  // namespace k42
