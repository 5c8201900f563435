// Windows build: <k42gui/winuser.h> is the SDK itself.
#pragma once

#include <k42gui/sdk.h>
