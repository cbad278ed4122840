#pragma once
// An image as 8-bit R, G, B, A bytes per pixel, rows from the top.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tf {

struct RgbaImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> pixels;  // width * height * 4 bytes

  // The four bytes of pixel (x, y); x < width, y < height.
  const uint8_t* At(uint32_t x, uint32_t y) const { return &pixels[(size_t{y} * width + x) * 4]; }
};

}  // namespace tf
