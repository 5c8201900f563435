// Reader of "NAVIGATION_AREA": root entries, menus and their entries.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

CDDMenuItem::~CDDMenuItem() = default;
bool CDDMenuItem::FindEntryDisplay(const std::u16string&, std::u16string&) const { return false; }
void CDDMenuItem::MarkConditionalDisplays(const std::vector<CDDPardis*>&) const {}
int CDDParserXML::ParseNavigationArea(DOMNode*, CDDModule*) { return 0; }
int CDDParserXML::ParseMenuDec(DOMNode*, CDDModule*) { return 0; }
int CDDParserXML::ParseRootMenu(DOMNode*, CDDModule*) { return 0; }
int CDDParserXML::ParseVariableNav(DOMNode*, CDDModule*, CDDMenuItem*) { return 0; }
int CDDParserXML::ParseMethodNav(DOMNode*, CDDModule*, CDDMenuItem*) { return 0; }
int CDDParserXML::ParseModuleNav(DOMNode*, CDDModule*, CDDMenuItem*) { return 0; }
int CDDParserXML::ParseSubMenu(DOMNode*, CDDModule*, CDDMenuItem*) { return 0; }
