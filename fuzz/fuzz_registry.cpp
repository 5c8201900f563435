// Fuzzes the registry-file reader, and checks that what the writer makes of any input reads back unchanged.
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/registry_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace k42::registry;
  const std::string written = WriteExport(ParseExport(std::string_view(reinterpret_cast<const char*>(data), size)));
  // Saving the registry must not change it: the file written is read into the same keys and values.
  if (WriteExport(ParseExport(written)) != written) std::abort();
  return 0;
}
