#pragma once
// Immutable pixels of a texture as frames refer to them.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tf {

struct TextureImage {
  uint64_t serial = 0;  // unique per image; a replay may cache uploads by it
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t format = 0;           // kFormatA8R8G8B8, or kFormatX8R8G8B8 when alpha is always opaque
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows from the top

  uint32_t Pixel(uint32_t x, uint32_t y) const { return pixels[size_t{y} * width + x]; }
};

}  // namespace tf
