// Test helper: a temporary registry file selected through K42GUI_REGISTRY.
#include "support/temp_registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace k42test {

TempRegistry::TempRegistry(std::string_view content) {
  if (const char* previous = std::getenv("K42GUI_REGISTRY")) previous_ = previous;
  std::string pattern = (std::filesystem::temp_directory_path() / "k42gui-registry-XXXXXX").string();
  if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create a temporary directory";
  directory_ = pattern;
  path_ = directory_ + "/registry.reg";
  Write(content);
  setenv("K42GUI_REGISTRY", path_.c_str(), 1);
}

TempRegistry::~TempRegistry() {
  if (previous_)
    setenv("K42GUI_REGISTRY", previous_->c_str(), 1);
  else
    unsetenv("K42GUI_REGISTRY");
  std::error_code error;
  std::filesystem::remove_all(directory_, error);
}

std::string TempRegistry::Read() const {
  std::ifstream file(path_, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void TempRegistry::Write(std::string_view content) const {
  std::ofstream file(path_, std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
}

void TempRegistry::Remove() const {
  std::error_code error;
  std::filesystem::remove(path_, error);
}

}  // namespace k42test
