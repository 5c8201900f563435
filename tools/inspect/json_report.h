// The JSON tree of a device, shared by the JSON report and by `diff`, which compares two such trees.
#pragma once

#include <nlohmann/json.hpp>

#include "inspect/device.h"

namespace inspect {

using Json = nlohmann::ordered_json;

// Bumped whenever a key is renamed or removed, or a value changes its meaning.
constexpr int kJsonFormatVersion = 1;

// Everything the inspector read. Paths are relative to the device directory and whatever the
// inspector gathered itself (displays, parameters, header places, built-in texts) is ordered by
// identifier, so copies of one device in different folders give the same tree.
Json DeviceJson(const Device& device);

}  // namespace inspect
