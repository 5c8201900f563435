// Reads the files a device names only when they resolve into the device's own directories.
#include <k42gui/DeviceFiles.h>

#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/files.h"
#include "platform/utf.h"

namespace k42gui {
namespace {

namespace fs = std::filesystem;

// The path with every link and ".." that exists resolved by the system; the part that does not exist
// is kept as written, without its "." and "..".
fs::path Resolved(const std::string& path) {
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(fs::absolute(fs::path(k42::utf::ToUtf16(path)), error), error);
  return error ? fs::path() : resolved;
}

bool IsWithin(const fs::path& path, const fs::path& directory) {
  if (path.empty() || directory.empty()) return false;
  auto inner = path.begin();
  for (auto part = directory.begin(); part != directory.end(); ++part, ++inner) {
    if (part->empty() && std::next(part) == directory.end()) break;  // a trailing separator
    if (inner == path.end() || *inner != *part) return false;
  }
  return true;
}

bool InsideAny(const fs::path& resolved, const std::vector<std::string>& directories) {
  for (const std::string& directory : directories) {
    if (IsWithin(resolved, Resolved(directory))) return true;
  }
  return false;
}

// An XML file whose root element is "svg": other XML (a help page, a device file) is no picture.
bool IsSvg(const std::string& bytes) {
  size_t at = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a byte order mark
  for (;;) {
    at = bytes.find_first_not_of(" \t\r\n", at);
    if (at == std::string::npos || bytes[at] != '<') return false;
    const bool comment = bytes.compare(at, 4, "<!--") == 0;
    if (!comment && bytes.compare(at, 2, "<?") != 0 && bytes.compare(at, 2, "<!") != 0) break;
    // A comment; the XML declaration, a processing instruction or a DOCTYPE without internal subset.
    at = comment ? bytes.find("-->", at + 4) : bytes.find('>', at + 2);
    if (at == std::string::npos) return false;
    at += comment ? 3 : 1;
  }
  const size_t end = at + 4;
  return bytes.compare(at, 4, "<svg") == 0 &&
         (end == bytes.size() || std::string_view(" \t\r\n>/").find(bytes[end]) != std::string_view::npos);
}

DeviceFileProblem ProblemOf(k42::OpenFailure failure) {
  switch (failure) {
    case k42::OpenFailure::kNone:
      return DeviceFileProblem::kNone;
    case k42::OpenFailure::kMissing:
      return DeviceFileProblem::kMissing;
    case k42::OpenFailure::kNotRegular:
      return DeviceFileProblem::kNotRegular;
    case k42::OpenFailure::kTooLarge:
      return DeviceFileProblem::kTooLarge;
    case k42::OpenFailure::kUnreadable:
      break;
  }
  return DeviceFileProblem::kUnreadable;
}

// The judgement of an opened (or refused) file; with read, the whole file when it passed.
DeviceFile Judge(k42::ReadableFile opened, bool read) {
  DeviceFile file;
  file.problem = ProblemOf(opened.Failure());
  file.message = opened.Reason();
  if (read && opened && !opened.ReadAll(file.bytes)) {
    file.bytes.clear();
    file.problem = DeviceFileProblem::kUnreadable;
    file.message = "cannot be read";
  }
  return file;
}

// Judges path, which must resolve into one of allowedDirectories, and reads it when asked to.
DeviceFile OpenInside(const std::string& path, const std::vector<std::string>& allowedDirectories, uint64_t maxSize,
                      bool read) {
  const fs::path resolved = Resolved(path);
  if (!InsideAny(resolved, allowedDirectories)) {
    DeviceFile file;
    file.problem = DeviceFileProblem::kOutside;
    file.message = "outside the device's directory";
    return file;
  }
  // The resolved path holds no link any more: what is opened is the file inside.
  return Judge(k42::ReadableFile::Open(resolved.u16string(), maxSize), read);
}

}  // namespace

DeviceFile ProbeDeviceFile(const std::string& path, const std::vector<std::string>& allowedDirectories,
                           uint64_t maxSize) {
  return OpenInside(path, allowedDirectories, maxSize, false);
}

DeviceFile ReadDeviceFile(const std::string& path, const std::vector<std::string>& allowedDirectories,
                          uint64_t maxSize) {
  return OpenInside(path, allowedDirectories, maxSize, true);
}

std::string ImageMediaType(const std::string& bytes) {
  auto starts = [&](const std::string& magic) { return bytes.compare(0, magic.size(), magic) == 0; };
  if (starts("\x89PNG")) return "image/png";
  if (starts("BM")) return "image/bmp";
  if (starts(std::string("\0\0\1\0", 4))) return "image/x-icon";
  if (starts("GIF8")) return "image/gif";
  if (starts("\xff\xd8\xff")) return "image/jpeg";
  if (IsSvg(bytes)) return "image/svg+xml";
  return {};
}

DeviceFile ReadRegularFile(const std::string& path, uint64_t maxSize) {
  return Judge(k42::ReadableFile::Open(path, maxSize), true);
}

}  // namespace k42gui
