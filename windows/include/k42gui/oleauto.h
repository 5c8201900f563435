// Windows build: <k42gui/oleauto.h> is the SDK itself.
#pragma once

#include <k42gui/sdk.h>
