// Puts a fuzz input where a device file would be, so that relative schema
// locations of the seed files (tests/data/<area>/x.xml) still resolve.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace k42fuzz {

// The directory that stands for tests/data/<area>/ (with a trailing '/').
const std::string& DeviceDirectory();
// Writes the input to DeviceDirectory() + name.
void WriteInput(const std::string& name, const uint8_t* data, size_t size);

}  // namespace k42fuzz
