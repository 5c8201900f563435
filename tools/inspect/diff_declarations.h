// Asks a loaded device whether it declares a parameter or a display, whether or not anything uses it.
#pragma once

#include <k42gui/AutoPtr.h>
#include <k42gui/IGuiXmlModel.h>

#include "inspect/diff.h"

namespace inspect {

// The declarations of model, which the answer keeps alive; a null model declares nothing.
Declares DeclarationsOf(k42::AutoPtr<IGuiXmlModel> model);

}  // namespace inspect
