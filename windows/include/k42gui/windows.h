// Windows build: <k42gui/windows.h> is the SDK itself plus the host's logger, which Windows does not have.
#pragma once

#include <k42gui/sdk.h>

#include <k42gui/Logger.h>
