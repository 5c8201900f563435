// Reader of "HEADER_AREA": the header records per mode and place.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

int CDDParserXML::ParseHeaderArea(DOMNodeList*) { return 0; }
int CDDParserXML::ParseHeaderRecords(DOMNodeList*, const std::u16string&) { return 0; }
int CDDParserXML::ParseVariableHeader(DOMNode*, CDDHeaderRecord*) { return 0; }
int CDDParserXML::ParseImageHeader(DOMNode*, CDDHeaderRecord*) { return 0; }
