// Writes a synthetic device (GUI XML file and localized file) at a chosen scale, and names what to ask it.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace k42bench {

// The size of a device. Every module has displaysPerModule displays, one menu per display (the menus form a
// tree three wide, so a large module nests them five or six levels deep), and variablesPerDisplay variables
// of its own on each display; spareVariables more are declared after them and appear in no menu.
// With distinctTexts, nearly every text of the localized file is a text of its own (tooltips, enumeration
// texts and legends name their variable), every third variable has DDSTRING-conditional labels and the
// variables outside the displays are no enumerations; otherwise texts repeat as a converter's output does
// (one tooltip per language, enumeration texts by value).
struct DeviceScale {
  int modules = 3;
  int displaysPerModule = 8;
  int variablesPerDisplay = 11;
  int spareVariables = 16;
  bool distinctTexts = false;
};

// A few hundred variables: the reference every growth ratio is taken against.
DeviceScale SmallScale();
// About 33,000 variables, 31 modules and 3,000 displays: a 20 MB GUI XML file and a 27 MB localized file.
DeviceScale LargeScale();
// The same file sizes in another shape: half the displays, 58,000 variables (most of them outside the
// displays) and texts that are mostly distinct, with many conditional labels: 20 MB and 26 MB.
DeviceScale TextHeavyScale();

// The identifiers the benchmark asks for, keyed by role ("module", "variable", ...). Each one is the last
// of its list (the last module, its last menu and display, the last variable declared, ...), so that a
// look-up that walks its list pays for the whole list.
using Probes = std::map<std::string, std::u16string>;

struct SyntheticDevice {
  std::string directory;  // with a trailing '/'
  std::string xmlFile = "device.xml";
  std::string locFile = "device_loc.xml";
  uint64_t xmlBytes = 0;
  uint64_t locBytes = 0;
  Probes probes;
};

// Writes both files into directory (which must exist) and names the probes. The files name the schemas
// of the source tree, so they are validated as a real device is.
SyntheticDevice WriteSyntheticDevice(const DeviceScale& scale, const std::string& directory);

// The probes of a device written by WriteSyntheticDevice at that scale, without writing it.
Probes ProbesOf(const DeviceScale& scale);

}  // namespace k42bench
