// The size of a strip or picture as its header gives it, for the formats devices use.
#include <gtest/gtest.h>

#include <string>

#include "authoring/PictureSize.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes += static_cast<char>(value);
  return bytes;
}

TEST(PictureSize, BitmapPngAndGifHeadersGiveTheirSizeAndAnythingElseNone) {
  // A bitmap stored top-down (negative height) is as high as one stored bottom-up.
  std::string bmp = "BM" + std::string(12, '\0') + Bytes({40, 0, 0, 0, 48, 0, 0, 0, 0xF0, 0xFF, 0xFF, 0xFF});
  ASSERT_TRUE(k42::PictureSizeOf(bmp));
  EXPECT_EQ(k42::PictureSizeOf(bmp)->width, 48u);
  EXPECT_EQ(k42::PictureSizeOf(bmp)->height, 16u);
  const std::string png = "\x89PNG\r\n\x1a\n" + Bytes({0, 0, 0, 13}) + "IHDR" + Bytes({0, 0, 1, 0, 0, 0, 0, 32});
  ASSERT_TRUE(k42::PictureSizeOf(png));
  EXPECT_EQ(k42::PictureSizeOf(png)->width, 256u);
  EXPECT_EQ(k42::PictureSizeOf(png)->height, 32u);
  const std::string gif = "GIF89a" + Bytes({80, 0, 16, 0});
  EXPECT_EQ(k42::PictureSizeOf(gif)->width, 80u);
  EXPECT_FALSE(k42::PictureSizeOf(bmp.substr(0, 20)));  // cut short
  EXPECT_FALSE(k42::PictureSizeOf("<svg/>"));
}

}  // namespace
