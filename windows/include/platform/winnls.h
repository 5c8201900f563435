// Windows build: "platform/winnls.h" is the SDK itself.
#pragma once

#include <k42gui/sdk.h>
