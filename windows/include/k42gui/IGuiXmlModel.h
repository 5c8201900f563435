// Windows build: the interface, its enumerations and identifiers as widl generates them from the IDL.
#pragma once

#include <k42gui/sdk.h>

#include "K42GuiXmlReader_h.h"

// The exports are declared by the SDK (objbase.h, olectl.h) and listed in the module definition file.
#define K42GUI_EXPORT

static_assert(sizeof(VarType) == 4 && sizeof(IconID) == 4 && sizeof(EH_MESSAGES) == 4,
              "type-library enumerations are 32-bit values");
