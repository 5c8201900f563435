// Test helper: a temporary registry file selected through K42GUI_REGISTRY.
#include "support/temp_registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace k42test {

TempRegistry::TempRegistry(std::string_view content) {
  if (const char* previous = std::getenv("K42GUI_REGISTRY")) m_previous = previous;
  std::string pattern = (std::filesystem::temp_directory_path() / "k42gui-registry-XXXXXX").string();
  if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create a temporary directory";
  m_directory = pattern;
  m_path = m_directory + "/registry.reg";
  Write(content);
  setenv("K42GUI_REGISTRY", m_path.c_str(), 1);
}

TempRegistry::~TempRegistry() {
  if (m_previous)
    setenv("K42GUI_REGISTRY", m_previous->c_str(), 1);
  else
    unsetenv("K42GUI_REGISTRY");
  std::error_code error;
  std::filesystem::remove_all(m_directory, error);
}

std::string TempRegistry::Read() const {
  std::ifstream file(m_path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void TempRegistry::Write(std::string_view content) const {
  std::ofstream file(m_path, std::ios::binary | std::ios::trunc);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
}

void TempRegistry::Remove() const {
  std::error_code error;
  std::filesystem::remove(m_path, error);
}

}  // namespace k42test
