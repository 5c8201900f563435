// Reading the files a device names (pictures, help files) as the checker and the preview judge them.
//
// A device is sent to reviewers as a preview page, so what its references pull into that page must be
// the device's own files: a reference is read only when it leads, after the system has resolved every
// "..", link and the like, to a regular file inside one of the allowed directories (the device's own
// directory, the installed schemas), and only up to a size bound.
//
// Example:
//   k42gui::DeviceFile icon = k42gui::ReadDeviceFile("devices/pt42/images/main.png", {"devices/pt42"});
//   if (icon.problem == k42gui::DeviceFileProblem::kNone && !k42gui::ImageMediaType(icon.bytes).empty())
//     embed(icon.bytes);
//   else
//     std::cerr << icon.message << '\n';   // "outside the device's directory", "not a regular file (a named pipe)"
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k42gui {

enum class DeviceFileProblem {
  kNone,
  kMissing,     // no such file
  kOutside,     // resolves to a place outside every allowed directory
  kNotRegular,  // a directory, named pipe, device or socket
  kTooLarge,    // over the size bound
  kUnreadable,  // exists but cannot be read
};

// The largest file a device reference may pull into a page: far above any icon, logo or help file.
constexpr uint64_t kDeviceFileLimit = uint64_t{16} << 20;

struct DeviceFile {
  DeviceFileProblem problem = DeviceFileProblem::kMissing;
  std::string message;  // why it was not read ("outside the device's directory"); empty when it was
  std::string bytes;    // the whole file, when it was read
};

// Reads path (UTF-8) when it resolves into one of allowedDirectories and is a regular file of at most
// maxSize bytes. Nothing is opened (so nothing waits) unless the resolved path is inside.
DeviceFile ReadDeviceFile(const std::string& path, const std::vector<std::string>& allowedDirectories,
                          uint64_t maxSize = kDeviceFileLimit);

// Judges path as ReadDeviceFile does, without reading it: the problem and message of ReadDeviceFile,
// no bytes.
DeviceFile ProbeDeviceFile(const std::string& path, const std::vector<std::string>& allowedDirectories,
                           uint64_t maxSize = kDeviceFileLimit);

// The picture formats a browser shows, told by their first bytes ("image/png", "image/bmp", "image/x-icon",
// "image/gif", "image/jpeg", "image/svg+xml": an XML file whose root element is "svg"); empty for
// anything else.
std::string ImageMediaType(const std::string& bytes);

// Reads the file at path (UTF-8) wherever it lies, as the component opens its own files: only a
// regular file of at most maxSize bytes, and the open never waits (a named pipe is refused, not read).
// For files a tool was pointed at itself, such as the GUI XML file it loaded; kOutside never comes back.
DeviceFile ReadRegularFile(const std::string& path, uint64_t maxSize);

}  // namespace k42gui
