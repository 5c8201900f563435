// Windows build: <k42gui/libloaderapi.h> is the SDK itself.
#pragma once

#include <k42gui/sdk.h>
