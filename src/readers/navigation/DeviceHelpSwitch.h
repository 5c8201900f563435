// The machine-wide switch that turns the device help off for every module, read from the registry once.
#pragma once

namespace k42 {

// Kept by whoever owns the document, so that the registry is asked once per document however often the
// module bodies look at it.
class DeviceHelpSwitch {
 public:
  // Whether HKEY_LOCAL_MACHINE\SOFTWARE\Morvane\EDD, "SwitchOffDeviceHelp" switches the help off.
  bool IsOn();

 private:
  bool m_read = false;
  bool m_on = false;
};

}  // namespace k42
