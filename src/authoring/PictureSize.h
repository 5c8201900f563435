// The width and height of a picture, read from its header (BMP, PNG, GIF), without decoding it.
#pragma once

#include <optional>
#include <string_view>

namespace k42 {

struct PictureSize {
  unsigned width = 0;
  unsigned height = 0;
};

// The size the file's header gives; nullopt for another format or a header cut short.
std::optional<PictureSize> PictureSizeOf(std::string_view bytes);

}  // namespace k42
