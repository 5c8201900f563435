// Reader of "MENUBAR" and "MODULEMENUBAR": the flat, bracketed menu-bar list.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

CDDMenubarItem::~CDDMenubarItem() = default;
int CDDParserXML::ParseMenubar(DOMNodeList*) { return 0; }
int CDDParserXML::ParseMenubarItems(DOMNodeList*, std::vector<CDDMenubarItem*>&) { return 0; }
