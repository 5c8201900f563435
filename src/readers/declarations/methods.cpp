// Reader of "MET_DEC" and the method record.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

CDDMethod::~CDDMethod() = default;
int CDDParserXML::ParseMetDec(DOMNodeList*) { return 0; }
int CDDParserXML::ParseMetBody(DOMNodeList*, CDDMethod*) { return 0; }
int CDDParserXML::ParseMetModifier(DOMNode*, CDDMethod*) { return 0; }
