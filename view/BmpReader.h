#pragma once
// Reader for the bitmaps the program uses: uncompressed 24-bit and 32-bit BMP
// files (32-bit also with colour masks), rows stored bottom-up or top-down.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tf {

struct BmpImage {
  uint32_t width = 0;
  uint32_t height = 0;
  bool hasAlpha = false;         // false: every pixel is opaque
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows from the top

  uint32_t Pixel(uint32_t x, uint32_t y) const { return pixels[size_t{y} * width + x]; }
};

// Largest width and height accepted.
inline constexpr uint32_t kMaxBmpSide = 16384;

// Decodes `size` bytes. Returns kOk, or kErrInvalidData with a one-line reason
// in `error` (if given) when the bytes are not a bitmap this reader supports.
// 32-bit pixels without colour masks carry alpha in their top byte unless that
// byte is zero everywhere, in which case the image is opaque.
long ReadBmp(const uint8_t* data, size_t size, BmpImage* image, std::string* error);

}  // namespace tf
