// Reader of a module's contents: dispatch, links, features, header references and the device-help switch.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

int CDDParserXML::ParseModuleBody(DOMNodeList*, CDDModule*) { return 0; }
int CDDParserXML::ParseLink2Module(DOMNode*, CDDModule*) { return 0; }
int CDDParserXML::ParseFeatures(DOMNodeList*, CDDModule*) { return 0; }
int CDDParserXML::ParseFeature(DOMNode*, CDDModule*) { return 0; }
int CDDParserXML::ParseHeaderRef(DOMNode*, CDDModule*) { return 0; }
bool CDDParserXML::IsDeviceHelpSwitchedOff() { return false; }
