// Reader of "TOOLBAR": toolbar buttons and the toolbar image list.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

CDDToolbarItem::~CDDToolbarItem() = default;
int CDDParserXML::ParseToolbar(DOMNodeList*) { return 0; }
int CDDParserXML::ParseToolbarItems(DOMNodeList*) { return 0; }
