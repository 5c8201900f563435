// The display control's built-in interface texts and their English defaults.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

bool CDDParserXML::AddBuiltinTexts() { return true; }
