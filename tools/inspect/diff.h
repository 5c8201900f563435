// Compares the JSON trees of two devices the way their author thinks of them: by identifier where
// the device gives one, by position otherwise, and names every change in the author's words.
#pragma once

#include <string>
#include <vector>

#include "inspect/json_report.h"

namespace inspect {

struct Change {
  std::string area;      // the top-level key the change lies under, for grouping
  std::string path;      // e.g. "display disBasic: item 3 (varPVUnit): control"
  std::string kind;      // "added", "removed" or "changed"
  Json before;           // null when added
  Json after;            // null when removed
  std::string language;  // set when the change shows in this language only
};

// Every difference between two DeviceJson trees, in the order of the tree (so grouped by area).
// The file names and the language the devices were loaded with are not part of the device.
std::vector<Change> CompareDevices(const Json& before, const Json& after);

// One readable line, e.g. `display disBasic: item 3 (varPVUnit): control combo -> list`.
std::string ChangeLine(const Change& change);
Json ChangeJson(const Change& change);

}  // namespace inspect
