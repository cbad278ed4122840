#include "view/BmpReader.h"

#include <bit>

#include "view/GraphicsTypes.h"

namespace tf {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint32_t Read16(const uint8_t* p) {
  return p[0] | (uint32_t{p[1]} << 8);
}
uint32_t Read32(const uint8_t* p) {
  return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// One colour channel given by a bit mask, widened or narrowed to 8 bits.
class Channel {
 public:
  Channel() = default;
  explicit Channel(uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    bits_ = std::popcount(mask);
  }
  // A mask must be one run of set bits.
  bool Valid() const { return mask_ == 0 || std::countr_one(mask_ >> shift_) == bits_; }
  bool Present() const { return mask_ != 0; }
  // An empty mask reads as zero.
  uint32_t Extract(uint32_t pixel) const {
    if (bits_ == 0) return 0;
    const uint32_t value = (pixel & mask_) >> shift_;
    if (bits_ >= 8) return value >> (bits_ - 8);
    return value * 255 / ((1u << bits_) - 1);
  }

 private:
  uint32_t mask_ = 0;
  int shift_ = 0;
  int bits_ = 0;
};

long Fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return kErrInvalidData;
}

}  // namespace

long ReadBmp(const uint8_t* data, size_t size, BmpImage* image, std::string* error) {
  if (image == nullptr) return kErrInvalidCall;
  *image = BmpImage{};
  if (data == nullptr || size < kFileHeaderSize + 4) return Fail(error, "file too short");
  if (data[0] != 'B' || data[1] != 'M') return Fail(error, "no \"BM\" signature");
  const uint32_t pixelOffset = Read32(data + 10);
  const uint32_t headerSize = Read32(data + kFileHeaderSize);
  if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
      headerSize != 124)
    return Fail(error, "unsupported header size " + std::to_string(headerSize));
  if (kFileHeaderSize + headerSize > size) return Fail(error, "truncated header");

  const uint8_t* info = data + kFileHeaderSize;
  const auto width = static_cast<int32_t>(Read32(info + 4));
  const auto height = static_cast<int32_t>(Read32(info + 8));
  const uint32_t planes = Read16(info + 12);
  const uint32_t bitCount = Read16(info + 14);
  const uint32_t compression = Read32(info + 16);
  if (planes != 1) return Fail(error, "plane count " + std::to_string(planes) + " is not 1");
  if (bitCount != 24 && bitCount != 32)
    return Fail(error, "unsupported bit count " + std::to_string(bitCount));
  if (compression != kBiRgb && !(compression == kBiBitfields && bitCount == 32))
    return Fail(error, "unsupported compression " + std::to_string(compression));
  if (width <= 0 || static_cast<uint32_t>(width) > kMaxBmpSide)
    return Fail(error, "bad width " + std::to_string(width));
  const bool topDown = height < 0;
  const uint32_t rows =
      topDown ? 0u - static_cast<uint32_t>(height) : static_cast<uint32_t>(height);
  if (rows == 0 || rows > kMaxBmpSide) return Fail(error, "bad height " + std::to_string(height));

  Channel red(0x00FF0000), green(0x0000FF00), blue(0x000000FF), alpha;
  size_t headerEnd = kFileHeaderSize + headerSize;
  if (compression == kBiBitfields) {
    const uint8_t* masks = info + 40;  // inside larger headers, after a 40-byte one
    if (headerSize == 40) {
      headerEnd += 12;
      if (headerEnd > size) return Fail(error, "truncated colour masks");
    }
    red = Channel(Read32(masks));
    green = Channel(Read32(masks + 4));
    blue = Channel(Read32(masks + 8));
    if (headerSize >= 56) alpha = Channel(Read32(masks + 12));
    if (!red.Valid() || !green.Valid() || !blue.Valid() || !alpha.Valid())
      return Fail(error, "colour masks are not runs of bits");
  }
  if (pixelOffset < headerEnd || pixelOffset > size)
    return Fail(error, "pixel data offset " + std::to_string(pixelOffset) + " out of range");

  const uint64_t bytesPerPixel = bitCount / 8;
  const uint64_t stride = (uint64_t{static_cast<uint32_t>(width)} * bitCount + 31) / 32 * 4;
  // The last row may lack its padding.
  const uint64_t needed = stride * (rows - 1) + bytesPerPixel * static_cast<uint32_t>(width);
  if (needed > size - pixelOffset) return Fail(error, "pixel data runs past the end of the file");

  image->width = static_cast<uint32_t>(width);
  image->height = rows;
  image->pixels.resize(size_t{image->width} * rows);
  bool anyAlpha = false;
  for (uint32_t y = 0; y < rows; ++y) {
    const uint32_t storedRow = topDown ? y : rows - 1 - y;
    const uint8_t* src = data + pixelOffset + stride * storedRow;
    uint32_t* dst = &image->pixels[size_t{y} * image->width];
    for (uint32_t x = 0; x < image->width; ++x, src += bytesPerPixel) {
      if (bitCount == 24) {
        dst[x] = 0xFF000000u | (uint32_t{src[2]} << 16) | (uint32_t{src[1]} << 8) | src[0];
        continue;
      }
      const uint32_t raw = Read32(src);
      if (compression == kBiRgb) {
        dst[x] = raw;
        anyAlpha |= (raw >> 24) != 0;
      } else {
        const uint32_t a = alpha.Present() ? alpha.Extract(raw) : 0xFF;
        dst[x] =
            (a << 24) | (red.Extract(raw) << 16) | (green.Extract(raw) << 8) | blue.Extract(raw);
      }
    }
  }
  if (bitCount == 32 && compression == kBiRgb) {
    image->hasAlpha = anyAlpha;
    if (!anyAlpha)
      for (uint32_t& pixel : image->pixels) pixel |= 0xFF000000u;
  } else {
    image->hasAlpha = alpha.Present();
  }
  return kOk;
}

}  // namespace tf
