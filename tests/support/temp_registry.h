// Test helper: a registry file of its own for the duration of a test.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace k42test {

// Creates a fresh temporary directory holding the registry file
// "registry.reg" with the given content, and points K42GUI_REGISTRY at it.
// On destruction the directory is removed and K42GUI_REGISTRY restored.
class TempRegistry {
 public:
  explicit TempRegistry(std::string_view content = "Windows Registry Editor Version 5.00\n\n");
  ~TempRegistry();
  TempRegistry(const TempRegistry&) = delete;
  TempRegistry& operator=(const TempRegistry&) = delete;

  const std::string& Path() const { return m_path; }

  // The file's current content ("" when it does not exist).
  std::string Read() const;

  // Replaces the file's content.
  void Write(std::string_view content) const;

  // Deletes the file (a missing file is an empty registry).
  void Remove() const;

 private:
  std::string m_directory;
  std::string m_path;
  std::optional<std::string> m_previous;
};

}  // namespace k42test
