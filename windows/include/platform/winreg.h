// Windows build: "platform/winreg.h" is the SDK itself.
#pragma once

#include <k42gui/sdk.h>
