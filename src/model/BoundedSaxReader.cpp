// Reads the localized file and its schemas through the attribute bound.
#include "model/BoundedSaxReader.h"

#include <memory>

#include "model/AttributeBound.h"
#include "model/LoadBounds.h"
#include "model/OpenedFileSource.h"
#include "platform/text.h"

namespace k42 {

void BoundedSaxReader::parse(const xercesc::InputSource& source) {
  xercesc::SAX2XMLReaderImpl::parse(AttributeBoundedSource(source));
}

// A path is opened as every file is: a named pipe, directory or device is refused before the parser sees it.
void BoundedSaxReader::parse(const XMLCh* const path) {
  std::u16string reason;
  const std::unique_ptr<OpenedFileSource> source(OpenForParser(path, reason));
  if (source == nullptr) throw LoadRefused(ToNarrow(reason + u": " + path));
  parse(*source);
}

void BoundedSaxReader::parse(const char* const path) { parse(FromNarrow(path).c_str()); }

xercesc::InputSource* BoundedSaxReader::resolveEntity(xercesc::XMLResourceIdentifier* resource) {
  std::unique_ptr<xercesc::InputSource> source(xercesc::SAX2XMLReaderImpl::resolveEntity(resource));
  return source != nullptr ? new AttributeBoundedSource(std::move(source)) : nullptr;
}

}  // namespace k42
