// Reader of the localized-text file: the SAX2 parse and its content handler.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

int CDDParserXML::ParseLocFile(HWND) { return AddBuiltinTexts() ? 0 : -6; }
void CDDParserXML::startDocument() {}
void CDDParserXML::endDocument() {}
void CDDParserXML::startElement(const XMLCh*, const XMLCh*, const XMLCh*, const xercesc::Attributes&) {}
void CDDParserXML::endElement(const XMLCh*, const XMLCh*, const XMLCh*) {}
void CDDParserXML::characters(const XMLCh*, const XMLSize_t) {}
void CDDParserXML::ignorableWhitespace(const XMLCh*, const XMLSize_t) {}
void CDDParserXML::processingInstruction(const XMLCh*, const XMLCh*) {}
void CDDParserXML::ApplyPendingText() {}
