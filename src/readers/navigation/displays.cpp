// Reader of "PARDIS_AREA": display layouts and their items.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

CDDPardis::~CDDPardis() = default;
int CDDParserXML::ParsePardisArea(DOMNode*, CDDModule*) { return 0; }
int CDDParserXML::ParsePardisDec(DOMNode*, CDDModule*) { return 0; }
int CDDParserXML::ParseVariablePardis(DOMNode*, CDDPardis*) { return 0; }
int CDDParserXML::ParseImagePardis(DOMNode*, CDDPardis*) { return 0; }
int CDDParserXML::ParseMethodPardis(DOMNode*, CDDPardis*) { return 0; }
int CDDParserXML::ParseModulePardis(DOMNode*, CDDPardis*) { return 0; }
int CDDParserXML::ParseHeadlinePardis(DOMNode*, CDDPardis*) { return 0; }
int CDDParserXML::ParseEmptyFieldPardis(DOMNode*, CDDPardis*) { return 0; }
int CDDParserXML::ParseNewColumnPardis(DOMNode*, CDDPardis*) { return 0; }
int CDDParserXML::ParseHorNav(DOMNode*, CDDPardis*) { return 0; }
