// Reads the registry switch that turns the device help off.
#include "readers/navigation/DeviceHelpSwitch.h"

#include <cstdint>
#include <cstring>

#include <k42gui/winreg.h>

#include "platform/wide.h"

namespace k42 {

// The machine-wide switch HKEY_LOCAL_MACHINE\SOFTWARE\Morvane\EDD,
// "SwitchOffDeviceHelp", read once per document. The value is read into four
// bytes whatever its registry type; it switches the help off when those
// bytes, as a 32-bit number, are not zero. A value longer than four bytes
// does not fit and reads as not switched off. A value shorter than four
// bytes fills the buffer only partly: the buffer starts out zeroed, so the
// missing bytes count as zero and any non-zero byte switches the help off.
bool DeviceHelpSwitch::IsOn() {
  if (m_read) return m_on;
  m_on = false;
  HKEY key = nullptr;
  try {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, AsWide(u"SOFTWARE\\Morvane\\EDD"), 0,
                      KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &key) == ERROR_SUCCESS) {
      BYTE buffer[4] = {0, 0, 0, 0};
      DWORD size = sizeof buffer;
      if (RegQueryValueExW(key, AsWide(u"SwitchOffDeviceHelp"), nullptr, nullptr, buffer, &size) == ERROR_SUCCESS) {
        uint32_t number = 0;
        std::memcpy(&number, buffer, sizeof number);
        m_on = number != 0;
      }
    }
  } catch (...) {
    m_on = false;  // any registry failure reads as not switched off
  }
  if (key != nullptr) RegCloseKey(key);
  m_read = true;
  return m_on;
}

}  // namespace k42
