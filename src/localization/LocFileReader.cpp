// One validating SAX2 read of the localized-text file, bounded and kept off the network.
#include "localization/LocFileReader.h"

#include <iostream>
#include <memory>

#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include <k42gui/Logger.h>

#include "model/BoundedSaxReader.h"
#include "model/LoadBounds.h"
#include "model/OpenedFileSource.h"
#include "model/ParserSettings.h"
#include "model/SafeResolver.h"
#include "model/XercesInit.h"
#include "platform/text.h"

namespace {

using xercesc::XMLUni;

std::string Narrow(const XMLCh* text) { return text != nullptr ? k42::ToNarrow(text) : std::string(); }

// Refuses a document type declaration: neither file format has one, and without it no entity can expand.
class DoctypeRefusal : public xercesc::DefaultHandler {
 public:
  void startDTD(const XMLCh* const, const XMLCh* const, const XMLCh* const) override { throw k42::DoctypeRefused(); }
};

}  // namespace

int k42::ReadLocalizedFile(const std::u16string& path, xercesc::ContentHandler* content,
                           xercesc::ErrorHandler* errors) {
  // Opened once, here, and read from what was opened: a named pipe in its place would block the host's
  // thread until some writer appears, a directory or device would never end.
  std::u16string notRead;
  const std::unique_ptr<k42::OpenedFileSource> source(k42::OpenForParser(path, notRead));
  if (source == nullptr) {
    Logger::Log(u"Not a regular file, not read : %s", path.c_str());
    return k42::kLocReadFailed;
  }
  const k42::XercesUse library;
  if (!library.Successful()) {
    std::cerr << "Error during initialization! :\n" << library.Failure();
    return k42::kLocReadInitFailed;
  }

  // Declared before the reader so that they outlive it; the reader is
  // destroyed before the library is terminated.
  k42::SafeEntityResolver resolver([&path](const std::u16string& reason) {
    Logger::Log(u"XMLError at file (%s) line,col (%d, %d)=%s\n", path.c_str(), 0, 0, reason.c_str());
  });
  auto security = k42::MakeSecurityManager();

  // The reader and its buffers live in the budget's memory: the budget is declared first so that it outlives them.
  k42::BudgetMemoryManager budget(k42::MemoryBudget(source->Size()));
  DoctypeRefusal doctypeRefusal;
  // The library's implementation class, as the factory creates it, reading through the attribute bound.
  auto reader = std::make_unique<k42::BoundedSaxReader>(&budget);
  k42::ApplyLocalizedFileSettings(*reader);
  // Never reach the network or read files the document merely names, and
  // stop runaway entity expansion.
  reader->setFeature(XMLUni::fgXercesDisableDefaultEntityResolution, true);
  reader->setXMLEntityResolver(&resolver);
  reader->setProperty(XMLUni::fgXercesSecurityManager, security.get());
  reader->setLexicalHandler(&doctypeRefusal);

  XMLSize_t errorCount = 0;
  try {
    reader->setContentHandler(content);
    reader->setErrorHandler(errors);
    reader->parse(*source);
    errorCount = reader->getErrorCount();
  } catch (const k42::LoadRefused& refusal) {
    Logger::Log(u"XMLError at file (%s) line,col (%d, %d)=%s\n", path.c_str(), 0, 0, refusal.Reason().c_str());
    return k42::kLocReadFailed;
  } catch (const xercesc::OutOfMemoryException&) {
    if (!budget.Exceeded()) throw;  // the process itself is out of memory: as any other failure
    Logger::Log(u"XMLError at file (%s) line,col (%d, %d)=%s\n", path.c_str(), 0, 0, budget.Diagnostic().c_str());
    return k42::kLocReadFailed;
  } catch (const xercesc::XMLException& e) {
    std::cerr << "\nAn error occurred\n  Error: " << Narrow(e.getMessage()) << "\n" << std::endl;
    return k42::kLocReadFailed;
  } catch (...) {
    errorCount = 0;
  }
  return errorCount > 0 || resolver.Refusals() > 0 ? k42::kLocReadFailed : k42::kLocReadOk;
}
