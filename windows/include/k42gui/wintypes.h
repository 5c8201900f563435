// Windows build: <k42gui/wintypes.h> is the SDK itself.
#pragma once

#include <k42gui/sdk.h>
