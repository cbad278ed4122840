#include "view/gl/PngWriter.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

namespace tf {

namespace {

std::atomic<uint64_t> nextTemporary{0};

// Runs libpng over an open file. Kept free of objects with destructors, since
// libpng reports errors by jumping back here.
bool EncodePng(FILE* file, const RgbaImage& image, const std::vector<png_const_bytep>& rows,
               char* message, size_t messageSize) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) {
    std::snprintf(message, messageSize, "libpng cannot start");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    std::snprintf(message, messageSize, "libpng cannot encode the image");
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, const_cast<png_bytepp>(rows.data()));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const std::filesystem::path& path, const RgbaImage& image, std::string* error) {
  auto fail = [&](const std::string& reason) {
    if (error) *error = path.string() + ": " + reason;
    return false;
  };
  if (image.width == 0 || image.height == 0 || image.width > PNG_USER_WIDTH_MAX ||
      image.height > PNG_USER_HEIGHT_MAX ||
      image.pixels.size() != size_t{image.width} * image.height * 4)
    return fail("the image has no pixels or its size does not match them");

  const std::filesystem::path directory =
      path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
  // A fresh name beside the target, created with the permissions the umask gives new files.
  std::string temporary;
  int descriptor = -1;
  for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
    temporary = (directory / ("." + path.filename().string() + ".tmp-" + std::to_string(getpid()) +
                              "-" + std::to_string(nextTemporary++)))
                    .string();
    descriptor = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0 && errno != EEXIST) break;
  }
  if (descriptor < 0) return fail(std::error_code(errno, std::generic_category()).message());
  FILE* file = fdopen(descriptor, "wb");
  if (file == nullptr) {
    close(descriptor);
    std::remove(temporary.c_str());
    return fail("the temporary file cannot be opened");
  }

  std::vector<png_const_bytep> rows(image.height);
  for (uint32_t y = 0; y < image.height; ++y) rows[y] = image.At(0, y);
  char message[128] = "";
  const bool encoded = EncodePng(file, image, rows, message, sizeof message);
  const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!encoded || !flushed || !closed) {
    std::remove(temporary.c_str());
    return fail(encoded ? "the file cannot be written completely" : message);
  }
  std::error_code renamed;
  std::filesystem::rename(temporary, path, renamed);
  if (renamed) {
    std::remove(temporary.c_str());
    return fail(renamed.message());
  }
  return true;
}

}  // namespace tf
