// Feeds arbitrary bytes to the BMP reader: it must fail cleanly or return an
// image with exactly width x height pixels.

#include <cstddef>
#include <cstdint>

#include "view/BmpReader.h"
#include "view/GraphicsTypes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tf::BmpImage image;
  if (tf::ReadBmp(data, size, &image, nullptr) != tf::kOk) return 0;
  if (image.width == 0 || image.height == 0 ||
      image.pixels.size() != size_t{image.width} * image.height)
    __builtin_trap();
  return 0;
}
