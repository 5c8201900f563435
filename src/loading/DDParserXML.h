// The loader: the document (model/DDDocument.h) together with the loading sequence that fills it.
//
// ParseFile parses the GUI XML file, hands each section to the section readers (readers/declarations,
// readers/navigation) and then reads the localized file (localization/), as the SAX2 content handler of
// that read. A load reads in one direction: the loader calls the readers and the localized-file reader,
// and they fill the document; none of them calls back into the loader.
//
// Example:
//   CDDModel model;   // CDDParserXML plus paths and help-file services
//   int32_t rc = model.Initialize(u"/devices/pt42/", u"demo.xml",
//                                 u"demo_loc.xml", u"en", 1, nullptr);
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMNodeList.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>

#include <k42gui/wintypes.h>

#include "model/DDDocument.h"
#include "model/DomUtil.h"
#include "model/ErrorHandlers.h"
#include "readers/navigation/DeviceHelpSwitch.h"

using xercesc::DOMNode;
using xercesc::DOMNodeList;

namespace k42 {
class LocTextReader;
}  // namespace k42

// Result codes of ParseFile.
enum ParseFileResult : int32_t {
  kParseOk = 0,
  kParseErrors = -1,  // the DOM parser reported errors
  kParseXmlException = -2,
  kParseDomException = -3,
  kParseOtherException = -4,
  kParseDocumentFailed = -5,  // a section reader failed
  kParseLocFileFailed = -6,   // the localized file could not be applied
};

class CDDParserXML : public CDDDocument, public xercesc::DefaultHandler {
 public:
  CDDParserXML();
  ~CDDParserXML() override;

  // ---- Loading -------------------------------------------------------
  int32_t ParseFile(const std::u16string& xmlPath, const std::u16string& locPath, const std::u16string& language,
                    int32_t functionId, HWND progress);
  // sections, when given, are the section elements already listed while the document was parsed, in the
  // order of SectionNames(); without them the document is searched.
  int32_t ParseDocument(xercesc::DOMDocument* document, int32_t functionId, HWND progress,
                        std::vector<k42::NodeVector>* sections = nullptr);
  // The tag names of the sections, in the order in which they are read.
  static const std::vector<std::u16string_view>& SectionNames();

  // The section readers' entry points, in the order of the walk. Each gets every element of its tag name
  // in document order.
  int ParseLabelDec(xercesc::DOMNodeList* list);
  int ParseVarDec(xercesc::DOMNodeList* list);
  int ParseFunctionId(xercesc::DOMNodeList* list, int32_t functionId);
  int ParseModuleDec(xercesc::DOMNodeList* list);
  int ParseHeaderArea(xercesc::DOMNodeList* list);
  int ParseMetaInformation(xercesc::DOMNodeList* list);
  int ParseMetDec(xercesc::DOMNodeList* list);
  int ParseImageDec(xercesc::DOMNodeList* list);
  int ParseMenubar(xercesc::DOMNodeList* list);
  int ParseToolbar(xercesc::DOMNodeList* list);
  // A display control's "GUI_FORMAT" children.
  int ParseControlFormat(xercesc::DOMNodeList* children, CDDDisplayItem* control);
  // The machine-wide switch that turns the device help off, read once per loader.
  bool IsDeviceHelpSwitchedOff() { return m_deviceHelp.IsOn(); }

  const CDomErrorHandler* DomErrorHandler() const { return m_domErrorHandler.get(); }

  // ---- Localized file ------------------------------------------------
  int ParseLocFile(HWND progress);
  // Re-reads the localized file when language differs from the current one.
  int32_t ChangeLanguage(const std::u16string& language, HWND progress);

  // The content handler of the localized file's read: each callback goes to the reader of that read.
  void startDocument() override;
  void endDocument() override;
  void startElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname,
                    const xercesc::Attributes& attributes) override;
  void endElement(const XMLCh* uri, const XMLCh* localname, const XMLCh* qname) override;
  void characters(const XMLCh* chars, const XMLSize_t length) override;
  void ignorableWhitespace(const XMLCh* chars, const XMLSize_t length) override;
  void processingInstruction(const XMLCh* target, const XMLCh* data) override;

 private:
  std::unique_ptr<CDomErrorHandler> m_domErrorHandler;
  CSaxErrorHandler m_saxErrorHandler;
  k42::DeviceHelpSwitch m_deviceHelp;
  k42::LocTextReader* m_locReader = nullptr;  // while the localized file is read
};
