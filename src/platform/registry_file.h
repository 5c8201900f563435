// Where the machine registry is kept on disk, and its loading and atomic saving.
#pragma once

#include <string>

#include "platform/registry_tree.h"

namespace k42::registry {

// The default registry file, used when K42GUI_REGISTRY is not set.
inline constexpr char kDefaultRegistryPath[] = "/var/lib/k42gui/registry.reg";

// The registry file: the environment variable K42GUI_REGISTRY when it is set
// and not empty, else kDefaultRegistryPath. Looked up on every call, so a
// program (or a test) may point it elsewhere at any time.
std::string RegistryFilePath();

enum class LoadResult {
  kLoaded,     // the file was read (malformed lines skipped)
  kMissing,    // no file: an empty registry
  kUnreadable  // the file exists but cannot be read: an empty registry that must not be saved
};

// Reads the registry file at `path` into `hive`.
LoadResult LoadRegistryFile(const std::string& path, Hive& hive);

// Writes `hive` to `path` atomically: a temporary file in the same directory
// (created with its parent directories if needed), flushed, then renamed over
// the old file, so a reader sees either the old or the new registry.
// Returns false when it could not be written; the old file is then unchanged.
bool SaveRegistryFile(const std::string& path, const Hive& hive);

}  // namespace k42::registry
