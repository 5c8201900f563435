// Error handlers of the two XML readers: the GUI XML DOM parse and the
// localized-file SAX2 parse.
#pragma once

#include <cstdint>

#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>

// Logs and counts the errors of the GUI XML parse; a fatal error is also
// shown in a message box.
class CDomErrorHandler : public xercesc::ErrorHandler {
 public:
  void warning(const xercesc::SAXParseException& e) override;
  void error(const xercesc::SAXParseException& e) override;
  void fatalError(const xercesc::SAXParseException& e) override;
  void resetErrors() override;

  // Counts a problem found outside the parser itself (a refused external
  // resource) as an error; message is logged like a parser error.
  void ReportError(const char16_t* message);

  int32_t ErrorCount() const { return m_errorCount; }
  int32_t WarningCount() const { return m_warningCount; }

 private:
  int32_t m_errorCount = 0;
  int32_t m_warningCount = 0;
};

// Logs the problems of the localized-file parse and counts warnings and
// errors. It never throws.
class CSaxErrorHandler : public xercesc::DefaultHandler {
 public:
  void warning(const xercesc::SAXParseException& e) override;
  void error(const xercesc::SAXParseException& e) override;
  void fatalError(const xercesc::SAXParseException& e) override;

  int32_t ErrorCount() const { return m_errorCount; }
  int32_t WarningCount() const { return m_warningCount; }

 private:
  int32_t m_warningCount = 0;
  int32_t m_errorCount = 0;
};
