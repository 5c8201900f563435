// The validation settings of the two XML readers, in one place for the component and its benchmark floor.
#pragma once

#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>

namespace k42 {

// The GUI XML file: always validated, with namespaces, schema processing and full schema checking.
void ApplyGuiXmlSettings(xercesc::XercesDOMParser& parser);
// The same validation for a streaming read of the GUI XML file (the device checker's, which needs positions).
void ApplyGuiXmlSettings(xercesc::SAX2XMLReader& reader);

// The localized file, features in this order: validation on, dynamic validation off, namespaces on,
// schema processing on, full schema checking off, namespace prefixes off.
void ApplyLocalizedFileSettings(xercesc::SAX2XMLReader& reader);

}  // namespace k42
