// Logging and counting of XML parse problems for both readers.
#include "model/ErrorHandlers.h"

#include <string>

#include <k42gui/Logger.h>
#include <k42gui/winuser.h>

#include "platform/wide.h"

namespace {

std::u16string Message(const xercesc::SAXParseException& e) {
  const XMLCh* text = e.getMessage();
  return text != nullptr ? std::u16string(text) : std::u16string();
}

const char16_t* SystemId(const xercesc::SAXParseException& e) {
  const XMLCh* id = e.getSystemId();
  return id != nullptr ? id : u"";
}

}  // namespace

void CDomErrorHandler::warning(const xercesc::SAXParseException&) { ++m_warningCount; }

void CDomErrorHandler::error(const xercesc::SAXParseException& e) {
  // The line is formatted first and handed over as an argument, so a percent
  // sign in the parser's message is never taken for a conversion.
  const std::u16string message = Message(e);
  Logger::Log(u" XMLERROR:  %ld(%ld) : %s\n", static_cast<long>(e.getLineNumber()),
              static_cast<long>(e.getColumnNumber()), message.c_str());
  ++m_errorCount;
}

void CDomErrorHandler::fatalError(const xercesc::SAXParseException&) {
  ++m_errorCount;
  MessageBoxW(nullptr, k42::AsWide(u"FATAL ERROR found parsing TAVIRO XML file!"), k42::AsWide(u"XML Reader"), MB_OK);
}

void CDomErrorHandler::resetErrors() {
  m_errorCount = 0;
  m_warningCount = 0;
}

void CDomErrorHandler::ReportError(const char16_t* message) {
  Logger::Log(u" XMLERROR:  %ld(%ld) : %s\n", 0L, 0L, message);
  ++m_errorCount;
}

void CSaxErrorHandler::warning(const xercesc::SAXParseException& e) {
  const std::u16string message = Message(e);
  Logger::Log(u"XMLWarning at file (%s) line,col (%d, %d)=%s\n", SystemId(e), static_cast<int>(e.getLineNumber()),
              static_cast<int>(e.getColumnNumber()), message.c_str());
  ++m_warningCount;
}

void CSaxErrorHandler::error(const xercesc::SAXParseException& e) {
  const std::u16string message = Message(e);
  Logger::Log(u"XMLError at file (%s) line,col (%d, %d)=%s\n", SystemId(e), static_cast<int>(e.getLineNumber()),
              static_cast<int>(e.getColumnNumber()), message.c_str());
  ++m_errorCount;
}

void CSaxErrorHandler::fatalError(const xercesc::SAXParseException& e) {
  const std::u16string message = Message(e);
  Logger::Log(u"Fatal XMLError at file (%s) line,col (%d, %d)=%s\n", SystemId(e), static_cast<int>(e.getLineNumber()),
              static_cast<int>(e.getColumnNumber()), message.c_str());
}
