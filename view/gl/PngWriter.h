#pragma once
// Writes RGBA images as PNG files, all or nothing: the file is written beside
// the target under a temporary name and renamed over it only when complete.

#include <filesystem>
#include <string>

#include "view/gl/RgbaImage.h"

namespace tf {

// True when `path` now holds the image (8-bit RGBA, rows from the top). On
// any failure nothing is left behind and an existing file at `path` stays as
// it was; the reason goes to `error` when it is given.
bool WritePng(const std::filesystem::path& path, const RgbaImage& image,
              std::string* error = nullptr);

}  // namespace tf
