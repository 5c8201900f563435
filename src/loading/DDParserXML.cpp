// Loading sequence of the loader: parser setup, the GUI XML parse and the walk over the ten sections.
#include "loading/DDParserXML.h"
#include "model/Names.h"

#include <iostream>

#include <xercesc/dom/DOMException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/XMLException.hpp>

#include <k42gui/Logger.h>
#include <k42gui/winuser.h>

#include <k42gui/IGuiXmlModel.h>
#include "model/BoundedDomParser.h"
#include "model/DomUtil.h"
#include "model/LoadBounds.h"
#include "model/OpenedFileSource.h"
#include "model/ParserSettings.h"
#include "model/SafeResolver.h"
#include "model/XercesInit.h"
#include "readers/declarations/DeclarationReader.h"
#include "readers/navigation/NavigationReader.h"

namespace {

// Writes a failure line to standard error and to the host's log.
void ReportFailure(const char16_t* text, const char* narrow) {
  std::cerr << narrow << std::endl;
  Logger::Log(u"%s", text);
}

}  // namespace

CDDParserXML::CDDParserXML() = default;

CDDParserXML::~CDDParserXML() = default;

int32_t CDDParserXML::ParseFile(const std::u16string& xmlPath, const std::u16string& locPath,
                                const std::u16string& language, int32_t functionId, HWND progress) {
  Logger::Log(u"Parsing file : %s", xmlPath.c_str());
  Logger::Log(u"Language : %s", language.c_str());

  // Created before the parser so that they outlive it.
  std::unique_ptr<CDomErrorHandler>& handler = m_domErrorHandler;
  k42::SafeEntityResolver resolver([&handler](const std::u16string& reason) {
    if (handler) handler->ReportError(reason.c_str());
  });
  auto security = k42::MakeSecurityManager();

  // The file is opened once, here, and read from what was opened: a named pipe in its place would block
  // this (the host's) thread until some writer appears, a directory or device would never end.
  std::u16string notRead;
  const std::unique_ptr<k42::OpenedFileSource> source(k42::OpenForParser(xmlPath, notRead));
  // The document tree lives in the budget's memory: the budget is declared first so that it outlives it.
  k42::BudgetMemoryManager budget(k42::MemoryBudget(source ? source->Size() : 0));
  auto parser = std::make_unique<k42::BoundedDomParser>(&budget);
  if (language != m_language) {
    m_language = language;
  }
  if (!s_XercesInitialization.Successful()) {
    std::cerr << "CDDParserXML: s_XercesInitialization(!Successful) failed!" << std::endl;
  }
  m_xmlPath = xmlPath;
  m_locPath = locPath;
  m_functionId = functionId;

  k42::ApplyGuiXmlSettings(*parser);
  parser->CollectElements(SectionNames());
  if (!m_domErrorHandler) {
    m_domErrorHandler = std::make_unique<CDomErrorHandler>();
  }
  m_domErrorHandler->resetErrors();
  parser->setErrorHandler(m_domErrorHandler.get());
  m_scopes.assign(1, &m_elements);

  // Never reach the network or read files the document merely names.
  parser->setXMLEntityResolver(&resolver);
  parser->setDisableDefaultEntityResolution(true);
  parser->setSecurityManager(security.get());

  if (source == nullptr) {
    Logger::Log(u"Not a regular file, not read : %s", xmlPath.c_str());
    ReportFailure(u"CDDParserXML: XMLException", "CDDParserXML: XMLException");
    return kParseXmlException;
  }
  try {
    parser->parse(*source);
  } catch (const k42::LoadRefused& refusal) {
    parser.reset();
    m_domErrorHandler->ReportError(refusal.Reason().c_str());
  } catch (const xercesc::OutOfMemoryException&) {
    parser.reset();
    if (!budget.Exceeded()) {  // the process itself is out of memory
      ReportFailure(u"CDDParserXML: ... Exception", "CDDParserXML: ... Exception");
      return kParseOtherException;
    }
    m_domErrorHandler->ReportError(budget.Diagnostic().c_str());
  } catch (const xercesc::XMLException&) {
    parser.reset();
    ReportFailure(u"CDDParserXML: XMLException", "CDDParserXML: XMLException");
    return kParseXmlException;
  } catch (const xercesc::DOMException&) {
    parser.reset();
    ReportFailure(u"CDDParserXML: DOM_DOMException", "CDDParserXML: DOM_DOMException");
    return kParseDomException;
  } catch (...) {
    parser.reset();
    ReportFailure(u"CDDParserXML: ... Exception", "CDDParserXML: ... Exception");
    return kParseOtherException;
  }

  if (m_domErrorHandler->ErrorCount() >= 1) {
    Logger::Log(u"%d error(s) found while parsing file:\n %s", static_cast<int>(m_domErrorHandler->ErrorCount()),
                xmlPath.c_str());
    return kParseErrors;
  }

  if (ParseDocument(parser->getDocument(), functionId, progress, &parser->Collected()) != 0) {
    ReportFailure(u"CDDParserXML: ParseDocument(parser.getDocument()) failed!",
                  "CDDParserXML: ParseDocument(parser.getDocument()) failed!");
    return kParseDocumentFailed;
  }

  for (const auto& module : m_modules) module->PropagateRwro();
  ReleaseSpareCapacity();

  // Everything the sections hold is in the records now: the document tree goes before the localized file
  // is read, so the two never take memory at the same time.
  parser.reset();
  return ParseLocFile(progress) != 0 ? kParseLocFileFailed : kParseOk;
}

const std::vector<std::u16string_view>& CDDParserXML::SectionNames() {
  static const std::vector<std::u16string_view> names = {
      k42::names::kLabelDec,   k42::names::kVarDec,          k42::names::kFunctionId, k42::names::kModuleDec,
      k42::names::kHeaderArea, k42::names::kMetainformation, k42::names::kMetDec,     k42::names::kImageDec,
      k42::names::kMenubar,    k42::names::kToolbar};
  return names;
}

int32_t CDDParserXML::ParseDocument(xercesc::DOMDocument* document, int32_t functionId, HWND progress,
                                    std::vector<k42::NodeVector>* sections) {
  if (progress != nullptr) {
    SendMessageW(progress, PBM_EH_SETRANGE, 0, MAKELPARAM(0, 11));
    SendMessageW(progress, PBM_EH_SETSTEP, 1, 0);
  }
  if (document == nullptr) return -1;

  // The elements of every section name, as getElementsByTagName would list them: listed by the parser
  // as it built the tree, or else from one walk of the document rather than one walk per name.
  std::vector<k42::NodeVector> searched;
  if (sections == nullptr || sections->size() != SectionNames().size()) {
    searched = k42::CollectElementsByName(document, SectionNames());
    sections = &searched;
  }
  std::vector<k42::NodeVector>& lists = *sections;

  int32_t result = 0;
  size_t next = 0;
  auto section = [&](auto read) {
    if (progress != nullptr) {
      SendMessageW(progress, PBM_EH_STEPIT, 0, 0);
    }
    if (read(&lists[next++]) != 0) result = -1;
  };
  k42::DeclarationReader declarations(*this);
  k42::NavigationReader navigation(*this, m_deviceHelp);
  section([&](DOMNodeList* l) { return declarations.ParseLabelDec(l); });
  section([&](DOMNodeList* l) { return declarations.ParseVarDec(l); });
  section([&](DOMNodeList* l) { return declarations.ParseFunctionId(l, functionId); });
  section([&](DOMNodeList* l) { return navigation.ParseModuleDec(l); });
  section([&](DOMNodeList* l) { return declarations.ParseHeaderArea(l); });
  section([&](DOMNodeList* l) { return declarations.ParseMetaInformation(l); });
  section([&](DOMNodeList* l) { return declarations.ParseMetDec(l); });
  section([&](DOMNodeList* l) { return declarations.ParseImageDec(l); });
  section([&](DOMNodeList* l) { return navigation.ParseMenubar(l); });
  section([&](DOMNodeList* l) { return navigation.ParseToolbar(l); });
  return result;
}

int CDDParserXML::ParseLabelDec(DOMNodeList* list) { return k42::DeclarationReader(*this).ParseLabelDec(list); }
int CDDParserXML::ParseVarDec(DOMNodeList* list) { return k42::DeclarationReader(*this).ParseVarDec(list); }
int CDDParserXML::ParseFunctionId(DOMNodeList* list, int32_t functionId) {
  return k42::DeclarationReader(*this).ParseFunctionId(list, functionId);
}
int CDDParserXML::ParseModuleDec(DOMNodeList* list) {
  return k42::NavigationReader(*this, m_deviceHelp).ParseModuleDec(list);
}
int CDDParserXML::ParseHeaderArea(DOMNodeList* list) { return k42::DeclarationReader(*this).ParseHeaderArea(list); }
int CDDParserXML::ParseMetaInformation(DOMNodeList* list) {
  return k42::DeclarationReader(*this).ParseMetaInformation(list);
}
int CDDParserXML::ParseMetDec(DOMNodeList* list) { return k42::DeclarationReader(*this).ParseMetDec(list); }
int CDDParserXML::ParseImageDec(DOMNodeList* list) { return k42::DeclarationReader(*this).ParseImageDec(list); }
int CDDParserXML::ParseMenubar(DOMNodeList* list) {
  return k42::NavigationReader(*this, m_deviceHelp).ParseMenubar(list);
}
int CDDParserXML::ParseToolbar(DOMNodeList* list) {
  return k42::NavigationReader(*this, m_deviceHelp).ParseToolbar(list);
}
int CDDParserXML::ParseControlFormat(DOMNodeList* children, CDDDisplayItem* control) {
  return k42::NavigationReader(*this, m_deviceHelp).ParseControlFormat(children, control);
}
