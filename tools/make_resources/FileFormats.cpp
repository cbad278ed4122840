#include "FileFormats.h"

#include <cstdint>

namespace tf::resources {

namespace {

void Put16(std::string& out, uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// BITMAPINFOHEADER fields; `rows` may be doubled for icons.
void PutInfoHeader(std::string& out, uint32_t headerSize, const Canvas& canvas, uint32_t rows,
                   uint32_t bitCount, uint32_t compression, uint32_t imageSize) {
  Put32(out, headerSize);
  Put32(out, static_cast<uint32_t>(canvas.width));
  Put32(out, rows);
  Put16(out, 1);
  Put16(out, bitCount);
  Put32(out, compression);
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
}

// Pixel rows from the bottom, each padded to four bytes.
std::string PixelRows(const Canvas& canvas, int bytesPerPixel) {
  std::string rows;
  for (int y = canvas.height - 1; y >= 0; --y) {
    const size_t start = rows.size();
    for (int x = 0; x < canvas.width; ++x) {
      const uint32_t argb = canvas.At(x, y);
      rows += static_cast<char>(argb & 0xFF);
      rows += static_cast<char>((argb >> 8) & 0xFF);
      rows += static_cast<char>((argb >> 16) & 0xFF);
      if (bytesPerPixel == 4) rows += static_cast<char>(argb >> 24);
    }
    while ((rows.size() - start) % 4 != 0) rows += '\0';
  }
  return rows;
}

std::string FileHeaderAnd(const std::string& headers, const std::string& pixels) {
  std::string out = "BM";
  Put32(out, static_cast<uint32_t>(14 + headers.size() + pixels.size()));
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(14 + headers.size()));
  return out + headers + pixels;
}

}  // namespace

std::string EncodeBmp24(const Canvas& canvas) {
  const std::string pixels = PixelRows(canvas, 3);
  std::string header;
  PutInfoHeader(header, 40, canvas, static_cast<uint32_t>(canvas.height), 24, 0,
                static_cast<uint32_t>(pixels.size()));
  return FileHeaderAnd(header, pixels);
}

std::string EncodeBmp32(const Canvas& canvas) {
  const std::string pixels = PixelRows(canvas, 4);
  std::string header;
  PutInfoHeader(header, 108, canvas, static_cast<uint32_t>(canvas.height), 32, 3,
                static_cast<uint32_t>(pixels.size()));
  Put32(header, 0x00FF0000);  // red, green, blue and alpha masks
  Put32(header, 0x0000FF00);
  Put32(header, 0x000000FF);
  Put32(header, 0xFF000000);
  Put32(header, 0x73524742);     // colour space "sRGB"
  header.append(36 + 12, '\0');  // end points and gamma, unused for sRGB
  return FileHeaderAnd(header, pixels);
}

std::string EncodeIco(const Canvas& canvas) {
  const std::string colour = PixelRows(canvas, 4);
  // The mask marks fully transparent pixels; rows padded to four bytes.
  std::string mask;
  const int maskStride = (canvas.width + 31) / 32 * 4;
  for (int y = canvas.height - 1; y >= 0; --y) {
    std::string row(static_cast<size_t>(maskStride), '\0');
    for (int x = 0; x < canvas.width; ++x)
      if ((canvas.At(x, y) >> 24) == 0)
        row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    mask += row;
  }
  std::string image;
  PutInfoHeader(image, 40, canvas, static_cast<uint32_t>(canvas.height * 2), 32, 0,
                static_cast<uint32_t>(colour.size() + mask.size()));
  image += colour + mask;

  std::string out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // icon
  Put16(out, 1);  // one image
  out += static_cast<char>(canvas.width);
  out += static_cast<char>(canvas.height);
  out += '\0';  // no palette
  out += '\0';
  Put16(out, 1);   // planes
  Put16(out, 32);  // bits per pixel
  Put32(out, static_cast<uint32_t>(image.size()));
  Put32(out, 6 + 16);
  return out + image;
}

}  // namespace tf::resources
