// The registry file on disk: its path, reading it, and replacing it atomically.
#include "platform/registry_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/registry_format.h"

namespace k42::registry {

std::string RegistryFilePath() {
  const char* path = std::getenv("K42GUI_REGISTRY");
  return path && *path ? std::string(path) : std::string(kDefaultRegistryPath);
}

LoadResult LoadRegistryFile(const std::string& path, Hive& hive) {
  ReadableFile file = ReadableFile::Open(path, kWholeFileLimit);
  if (file.Failure() == OpenFailure::kMissing) return LoadResult::kMissing;
  std::string bytes;
  if (!file.ReadAll(bytes)) return LoadResult::kUnreadable;
  hive = ParseExport(bytes);
  return LoadResult::kLoaded;
}

bool SaveRegistryFile(const std::string& path, const Hive& hive) {
  std::string text = WriteExport(hive);
  std::filesystem::path target(path);
  std::error_code error;
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);

  std::string temporary = path + ".XXXXXX";
  int fd = mkstemp(temporary.data());
  if (fd < 0) return false;
  bool written = fchmod(fd, 0644) == 0;
  for (size_t done = 0; written && done < text.size();) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    written = n > 0;
    if (written) done += size_t(n);
  }
  written = fsync(fd) == 0 && written;
  written = close(fd) == 0 && written;
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace k42::registry
