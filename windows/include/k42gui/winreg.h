// Windows build: <k42gui/winreg.h> is the SDK itself.
#pragma once

#include <k42gui/sdk.h>
