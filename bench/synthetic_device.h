// Writes a synthetic device of a chosen size (GUI XML and localized file).
#pragma once

#include <string>

namespace k42bench {

struct SyntheticDevice {
  std::string directory;  // with a trailing '/'
  std::string xmlFile = "device.xml";
  std::string locFile = "device_loc.xml";
  size_t xmlBytes = 0;
};

// modules modules, each with menus menus of entries variables and one display
// per menu; every variable has a few enumeration items and texts in two languages.
SyntheticDevice WriteSyntheticDevice(int modules, int menus, int entries);

}  // namespace k42bench
