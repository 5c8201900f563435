// The validation settings of the GUI XML parser and of the localized-file reader.
#include "model/ParserSettings.h"

#include <xercesc/util/XMLUni.hpp>

namespace k42 {

void ApplyGuiXmlSettings(xercesc::XercesDOMParser& parser) {
  parser.setValidationScheme(xercesc::XercesDOMParser::Val_Always);
  parser.setDoNamespaces(true);
  parser.setDoSchema(true);
  parser.setValidationSchemaFullChecking(true);
}

void ApplyGuiXmlSettings(xercesc::SAX2XMLReader& reader) {
  using xercesc::XMLUni;
  reader.setFeature(XMLUni::fgSAX2CoreValidation, true);
  reader.setFeature(XMLUni::fgXercesDynamic, false);
  reader.setFeature(XMLUni::fgSAX2CoreNameSpaces, true);
  reader.setFeature(XMLUni::fgXercesSchema, true);
  reader.setFeature(XMLUni::fgXercesSchemaFullChecking, true);
}

void ApplyLocalizedFileSettings(xercesc::SAX2XMLReader& reader) {
  using xercesc::XMLUni;
  reader.setFeature(XMLUni::fgSAX2CoreValidation, true);
  reader.setFeature(XMLUni::fgXercesDynamic, false);
  reader.setFeature(XMLUni::fgSAX2CoreNameSpaces, true);
  reader.setFeature(XMLUni::fgXercesSchema, true);
  reader.setFeature(XMLUni::fgXercesSchemaFullChecking, false);
  reader.setFeature(XMLUni::fgSAX2CoreNameSpacePrefixes, false);
}

}  // namespace k42
