// Reads the localized-text file: seeds the built-in texts, then runs the
// SAX2 reader over the file with the model as its content handler.
#include "model/DDParserXML.h"

#include <iostream>
#include <memory>
#include <mutex>

#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>
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

// Results of one SAX2 read.
constexpr int kSaxOk = 0;
constexpr int kSaxInitFailed = 1;
constexpr int kSaxParseFailed = 4;

std::string Narrow(const XMLCh* text) { return text != nullptr ? k42::ToNarrow(text) : std::string(); }

// Initializes the library on construction and terminates it on
// destruction; the library counts these calls, so the process-wide
// initialization keeps it usable in between. Both calls are serialized
// because the library does not guard its counter.
class LibraryUse {
 public:
  LibraryUse() {
    std::lock_guard<std::mutex> guard(k42::XercesLifetimeLock());
    xercesc::XMLPlatformUtils::Initialize();
  }
  ~LibraryUse() {
    std::lock_guard<std::mutex> guard(k42::XercesLifetimeLock());
    try {
      xercesc::XMLPlatformUtils::Terminate();
    } catch (...) {}
  }
  LibraryUse(const LibraryUse&) = delete;
  LibraryUse& operator=(const LibraryUse&) = delete;
};

// Refuses a document type declaration: neither file format has one, and without it no entity can expand.
class DoctypeRefusal : public xercesc::DefaultHandler {
 public:
  void startDTD(const XMLCh* const, const XMLCh* const, const XMLCh* const) override { throw k42::DoctypeRefused(); }
};

// One validating SAX2 read of path. Returns kSaxOk, kSaxInitFailed, or
// kSaxParseFailed when the reader counted errors or an external resource
// had to be refused (a refusal leaves the document incomplete).
int ReadWithSax(const std::u16string& path, xercesc::ContentHandler* content, xercesc::ErrorHandler* errors) {
  // Opened once, here, and read from what was opened: a named pipe in its place would block the host's
  // thread until some writer appears, a directory or device would never end.
  std::u16string notRead;
  const std::unique_ptr<k42::OpenedFileSource> source(k42::OpenForParser(path, notRead));
  if (source == nullptr) {
    Logger::Log(u"Not a regular file, not read : %s", path.c_str());
    return kSaxParseFailed;
  }
  std::unique_ptr<LibraryUse> library;
  try {
    library = std::make_unique<LibraryUse>();
  } catch (const xercesc::XMLException& e) {
    std::cerr << "Error during initialization! :\n" << Narrow(e.getMessage());
    return kSaxInitFailed;
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
    return kSaxParseFailed;
  } catch (const xercesc::OutOfMemoryException&) {
    if (!budget.Exceeded()) throw;  // the process itself is out of memory: as any other failure
    Logger::Log(u"XMLError at file (%s) line,col (%d, %d)=%s\n", path.c_str(), 0, 0, budget.Diagnostic().c_str());
    return kSaxParseFailed;
  } catch (const xercesc::XMLException& e) {
    std::cerr << "\nAn error occurred\n  Error: " << Narrow(e.getMessage()) << "\n" << std::endl;
    return kSaxParseFailed;
  } catch (...) {
    errorCount = 0;
  }
  return errorCount > 0 || resolver.Refusals() > 0 ? kSaxParseFailed : kSaxOk;
}

}  // namespace

int CDDParserXML::ParseLocFile(HWND /*progress: no progress is reported for this read*/) {
  m_locMatched = 0;
  m_locCurrentName.clear();
  m_locEnumValue.clear();
  m_locLegend.clear();
  m_locKey.clear();
  m_locChars.clear();
  m_locContext.clear();
  m_locDepth = 0;
  m_locSkip = 0;
  m_locInLabel = 0;
  m_locInTooltip = 0;
  m_locInHelpTopic = 0;
  m_locInEnum = 0;
  m_locCastFrom = nullptr;

  if (Logger::m_bActiveLog != 0) {
    Logger::Log(u"Parsing file : %s", m_locPath.c_str());
    Logger::Log(u"Language : %s", m_language.c_str());
  }

  if (!AddBuiltinTexts()) {
    return -6;
  }

  // The texts the read gives the records are kept once each in the model's pool (they repeat a lot), which
  // the content handler passes to them; the pool grows by the texts of each language read, at most by the
  // localized file's distinct texts. The read, and every text it applies, runs on the caller's thread.
  struct ModuleScopeIndex {
    CDDParserXML* model;
    ~ModuleScopeIndex() { model->IndexModuleScopes(false); }
  } moduleScopeIndex{this};
  IndexModuleScopes(true);
  try {
    if (ReadWithSax(m_locPath, this, &m_saxErrorHandler) != kSaxOk) {
      std::cerr << "CDDParserXML: ParseLocFile failed!" << std::endl;
      Logger::Log(u"%s", u"CDDParserXML: ParseLocFile() failed!");
      return -5;
    }
  } catch (...) {
    std::cerr << "CDDParserXML: ... Exception" << std::endl;
    Logger::Log(u"%s", u"CDDParserXML: ... Exception");
    return -4;
  }
  return 0;
}
