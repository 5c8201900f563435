// Reader of "METAINFORMATION": metavariables, supported languages, logos.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

CDDMetaVariable::~CDDMetaVariable() = default;
int CDDParserXML::ParseMetaInformation(DOMNodeList*) { return 0; }
int CDDParserXML::ParseMetaChildren(DOMNodeList*) { return 0; }
int CDDParserXML::ParseLanguageSupport(DOMNode*) { return 0; }
int CDDParserXML::ParseLanguage(DOMNode*, CDDLanguage*) { return 0; }
int CDDParserXML::ParseAuxFiles(DOMNode*) { return 0; }
int CDDParserXML::ParseLogo(DOMNode*) { return 0; }
