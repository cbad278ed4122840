#include "view/gl/PngWriter.h"

#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>

#include "support/TempDir.h"

namespace tf {
namespace {

using test::TempDir;

// Reads a PNG file as 8-bit RGBA; false when libpng cannot.
bool ReadPng(const std::filesystem::path& path, RgbaImage* image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
  png.format = PNG_FORMAT_RGBA;
  image->width = png.width;
  image->height = png.height;
  image->pixels.assign(PNG_IMAGE_SIZE(png), 0);
  const bool read = png_image_finish_read(&png, nullptr, image->pixels.data(), 0, nullptr) != 0;
  png_image_free(&png);
  return read;
}

RgbaImage SmallImage() {
  RgbaImage image{3, 2, {}};
  // Every channel differs from its neighbours, and alpha covers 0 .. 255.
  for (uint8_t i = 0; i < 24; ++i) image.pixels.push_back(static_cast<uint8_t>(i * 11));
  return image;
}

size_t FilesIn(const std::filesystem::path& directory) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(directory),
                                           std::filesystem::directory_iterator()));
}

TEST(PngWriter, WritesPixelsThatReadBackUnchangedAndReplacesAnOldFile) {
  TempDir dir;
  const auto path = dir / "frame.png";
  test::WriteBytes(path, "old contents");
  const RgbaImage image = SmallImage();
  std::string error;
  ASSERT_TRUE(WritePng(path, image, &error)) << error;
  RgbaImage read;
  ASSERT_TRUE(ReadPng(path, &read));
  EXPECT_EQ(read.width, 3u);
  EXPECT_EQ(read.height, 2u);
  EXPECT_EQ(read.pixels, image.pixels);
  EXPECT_EQ(FilesIn(dir.path()), 1u) << "no temporary file stays";
}

TEST(PngWriter, AFailedWriteLeavesNoFileBehindAndTheOldOneAlone) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(WritePng(dir / "missing" / "frame.png", SmallImage(), &error));
  EXPECT_NE(error.find("frame.png"), std::string::npos) << error;

  // The rename onto a directory fails after the image was written.
  std::filesystem::create_directory(dir / "taken.png");
  EXPECT_FALSE(WritePng(dir / "taken.png", SmallImage()));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.png"));

  // An image whose pixels do not match its size.
  const auto kept = dir / "kept.png";
  test::WriteBytes(kept, "old contents");
  RgbaImage broken = SmallImage();
  broken.pixels.pop_back();
  EXPECT_FALSE(WritePng(kept, broken));
  EXPECT_EQ(test::ReadBytes(kept), "old contents");
  EXPECT_FALSE(WritePng(kept, RgbaImage{}));

  EXPECT_EQ(FilesIn(dir.path()), 2u) << "only the directory and the old file";
}

}  // namespace
}  // namespace tf
