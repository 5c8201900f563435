// Entity resolution that admits local grammar files only, and the limit on
// entity expansion.
#include "model/SafeResolver.h"

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/util/XMLResourceIdentifier.hpp>

#include "model/OpenedFileSource.h"
#include "platform/text.h"

namespace k42 {
namespace {

std::u16string Text(const XMLCh* text) { return text != nullptr ? std::u16string(text) : std::u16string(); }

bool StartsWithNoCase(const std::u16string& text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && ToUpper(text.substr(0, prefix.size())) == ToUpper(std::u16string(prefix));
}

// A system identifier with a scheme ("http:", "ftp:" ...) other than a
// drive letter; "file:" locations are turned into plain paths.
bool ToLocalPath(std::u16string& systemId) {
  if (StartsWithNoCase(systemId, u"file://")) {
    systemId.erase(0, 7);
    return true;
  }
  auto colon = systemId.find(u':');
  if (colon == std::u16string::npos || colon == 1) return true;  // plain path or "C:\..."
  auto slash = systemId.find_first_of(u"/\\");
  return slash != std::u16string::npos && slash < colon;  // "dir/a:b" is still a path
}

xercesc::InputSource* EmptyInput(const XMLCh* systemId) {
  static const XMLByte kNothing[] = {0};
  auto* source = new xercesc::MemBufInputSource(kNothing, 0, systemId != nullptr ? systemId : u"", false);
  return source;
}

}  // namespace

void SafeEntityResolver::Refuse(const std::u16string& reason) {
  ++m_refusals;
  if (m_onRefusal) m_onRefusal(reason);
}

xercesc::InputSource* SafeEntityResolver::resolveEntity(xercesc::XMLResourceIdentifier* resource) {
  if (resource == nullptr) return nullptr;
  std::u16string systemId = Text(resource->getSystemId());
  const auto type = resource->getResourceIdentifierType();
  // Only schemas are grammars here: a document type definition arrives as an external entity like any
  // other, and a name ending in ".dtd" proves nothing about the file behind it.
  const bool grammar =
      type == xercesc::XMLResourceIdentifier::SchemaGrammar || type == xercesc::XMLResourceIdentifier::SchemaImport ||
      type == xercesc::XMLResourceIdentifier::SchemaInclude || type == xercesc::XMLResourceIdentifier::SchemaRedefine;
  if (!grammar) {
    Refuse(u"external entity refused: " + systemId);
    return EmptyInput(resource->getSystemId());
  }
  if (!ToLocalPath(systemId)) {
    Refuse(u"remote grammar location refused: " + systemId);
    return EmptyInput(resource->getSystemId());
  }
  const XMLCh* base = resource->getBaseURI();
  std::u16string basePath = Text(base);
  if (!ToLocalPath(basePath)) basePath.clear();
  // The location is joined to its base as text and then opened by the system, which resolves "x/.." and
  // links itself: what is checked is the file that is read. (The library's own joining would drop "x/.."
  // as text first and open a different file than the one the system names.)
  std::u16string localPath = systemId;
  if (!basePath.empty() && !systemId.empty() && systemId[0] != u'/' && systemId[0] != u'\\' &&
      !(systemId.size() > 1 && systemId[1] == u':')) {
    localPath = basePath.substr(0, basePath.find_last_of(u"/\\") + 1) + systemId;
  }
  std::u16string reason;
  xercesc::InputSource* source = OpenForParser(localPath, reason);
  if (source == nullptr) {
    // A directory, named pipe or device in place of a schema would make the library fail half-way through
    // reading it (and leak) or wait for a writer for ever.
    Refuse(u"grammar location is " + reason + u": " + systemId);
    return EmptyInput(resource->getSystemId());
  }
  return source;
}

std::unique_ptr<xercesc::SecurityManager> MakeSecurityManager() {
  auto manager = std::make_unique<xercesc::SecurityManager>();
  manager->setEntityExpansionLimit(kEntityExpansionLimit);
  return manager;
}

}  // namespace k42
