// Windows build: <k42gui/winnls.h> is the SDK itself.
#pragma once

#include <k42gui/sdk.h>
