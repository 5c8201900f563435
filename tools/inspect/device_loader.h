// Loads one device through the component's public interface, as a host does, and reads what it shows.
#pragma once

#include <k42gui/AutoPtr.h>
#include <k42gui/IGuiXmlModel.h>

#include "inspect/commands.h"
#include "inspect/device.h"
#include "inspect/load_watch.h"

namespace inspect {

constexpr int kExitLoaded = 0;
constexpr int kExitLoadedWithErrors = 1;
constexpr int kExitNotLoaded = 2;

// Loads args' device, prints the load's diagnostics on standard error and,
// unless it could not be loaded, fills device. Returns one of the exit codes above.
int LoadDevice(const DeviceArgs& args, bool progress, Device& device);
// The same under a progress bar that the caller goes on using (for writing, say). With keep, the loaded
// model is handed out too, for questions the device's walk does not ask.
int LoadDevice(const DeviceArgs& args, ProgressBar& bar, Device& device, k42::AutoPtr<IGuiXmlModel>* keep = nullptr);

}  // namespace inspect
