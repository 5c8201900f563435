// Reads the size fields of the picture headers a device's strips and images come in.
#include "authoring/PictureSize.h"

#include <cstdint>
#include <cstdlib>

namespace k42 {
namespace {

uint32_t Little(std::string_view bytes, size_t at, size_t count) {
  uint32_t value = 0;
  for (size_t i = count; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

uint32_t Big(std::string_view bytes, size_t at, size_t count) {
  uint32_t value = 0;
  for (size_t i = 0; i < count; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

}  // namespace

std::optional<PictureSize> PictureSizeOf(std::string_view bytes) {
  if (bytes.size() >= 26 && bytes.substr(0, 2) == "BM") {
    // The info header follows the 14-byte file header; the old core header has 16-bit sizes.
    if (Little(bytes, 14, 4) == 12) return PictureSize{Little(bytes, 18, 2), Little(bytes, 20, 2)};
    // A negative height stores the rows top-down; the size is the same.
    const auto height = static_cast<int32_t>(Little(bytes, 22, 4));
    return PictureSize{Little(bytes, 18, 4), static_cast<unsigned>(std::abs(static_cast<int64_t>(height)))};
  }
  if (bytes.size() >= 24 && bytes.substr(0, 8) == "\x89PNG\r\n\x1a\n" && bytes.substr(12, 4) == "IHDR")
    return PictureSize{Big(bytes, 16, 4), Big(bytes, 20, 4)};
  if (bytes.size() >= 10 && (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a"))
    return PictureSize{Little(bytes, 6, 2), Little(bytes, 8, 2)};
  return std::nullopt;
}

}  // namespace k42
