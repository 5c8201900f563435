// Reader of "IMAGE_DEC" and the image record.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

CDDImage::~CDDImage() = default;
int CDDParserXML::ParseImageDec(DOMNodeList*) { return 0; }
int CDDParserXML::ParseImageBody(DOMNodeList*, CDDImage*) { return 0; }
int CDDParserXML::ParseImageSize(DOMNode*, int, CDDImage*) { return 0; }
int CDDParserXML::ParseImageLink(DOMNode*, CDDImage*) { return 0; }
