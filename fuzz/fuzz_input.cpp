// A temporary tree <tmp>/schemas and <tmp>/a/schemas -> the project's schemas, <tmp>/a/b/c/ for inputs.
#include "fuzz_input.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace k42fuzz {

const std::string& DeviceDirectory() {
  static const std::string directory = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "k42gui-fuzz-XXXXXX").string();
    const std::filesystem::path root = mkdtemp(pattern.data());
    std::filesystem::create_directory_symlink(std::filesystem::path(K42GUI_SOURCE_DIR) / "schemas", root / "schemas");
    std::filesystem::create_directories(root / "a" / "b" / "c");
    // The demo device names its schemas two levels up (examples/demo/ -> schemas/).
    std::filesystem::create_directory_symlink(std::filesystem::path(K42GUI_SOURCE_DIR) / "schemas",
                                              root / "a" / "schemas");
    return (root / "a" / "b" / "c").string() + "/";
  }();
  return directory;
}

void WriteInput(const std::string& name, const uint8_t* data, size_t size) {
  std::ofstream(DeviceDirectory() + name, std::ios::binary)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace k42fuzz
