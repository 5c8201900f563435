// Windows build: <k42gui/objbase.h> is the SDK itself.
#pragma once

#include <k42gui/sdk.h>
