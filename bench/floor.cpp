// Bare parses of a device's files with the component's own parser settings, and nothing else.
#include "floor.h"

#include <memory>

#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>

#include "model/ParserSettings.h"

namespace k42bench {

namespace {

// Counts errors without stopping: the parse does all the work it would do for the component.
class CountingErrors : public xercesc::DefaultHandler {
 public:
  void error(const xercesc::SAXParseException&) override { ++m_count; }
  void fatalError(const xercesc::SAXParseException&) override { ++m_count; }
  size_t Count() const { return m_count; }

 private:
  size_t m_count = 0;
};

}  // namespace

size_t ParseGuiXmlDom(const std::string& path) {
  CountingErrors errors;
  xercesc::XercesDOMParser parser;
  k42::ApplyGuiXmlSettings(parser);
  parser.setErrorHandler(&errors);
  parser.parse(path.c_str());
  return errors.Count();
}

size_t ParseLocalizedSax(const std::string& path) {
  CountingErrors handler;
  std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader());
  k42::ApplyLocalizedFileSettings(*reader);
  reader->setContentHandler(&handler);
  reader->setErrorHandler(&handler);
  reader->parse(path.c_str());
  return handler.Count();
}

}  // namespace k42bench
