#pragma once
// Writers for the file formats the resources are stored in.

#include <string>

#include "Canvas.h"

namespace tf::resources {

// Uncompressed 24-bit BMP; alpha is dropped.
std::string EncodeBmp24(const Canvas& canvas);
// 32-bit BMP with an alpha mask (version-4 header, colour masks).
std::string EncodeBmp32(const Canvas& canvas);
// Icon file with one 32-bit image with alpha.
std::string EncodeIco(const Canvas& canvas);

}  // namespace tf::resources
