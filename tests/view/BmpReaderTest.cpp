#include "view/BmpReader.h"

#include <gtest/gtest.h>

#include <string>

#include "view/GraphicsTypes.h"

namespace tf {
namespace {

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A bitmap file as the tests need it; `rows` are pixel bytes, already in
// stored order and padded.
struct BmpFields {
  int32_t width = 3;
  int32_t height = 2;
  uint32_t headerSize = 40;
  uint32_t bitCount = 24;
  uint32_t compression = 0;
  uint32_t planes = 1;
  std::vector<uint32_t> masks;  // written after the first 40 header bytes
  std::string rows;
};

std::string Encode(const BmpFields& fields) {
  std::string header;
  Put32(header, fields.headerSize);
  Put32(header, static_cast<uint32_t>(fields.width));
  Put32(header, static_cast<uint32_t>(fields.height));
  Put16(header, fields.planes);
  Put16(header, fields.bitCount);
  Put32(header, fields.compression);
  header.append(20, '\0');
  for (uint32_t mask : fields.masks) Put32(header, mask);
  if (header.size() < fields.headerSize) header.append(fields.headerSize - header.size(), '\0');
  std::string file = "BM";
  Put32(file, static_cast<uint32_t>(14 + header.size() + fields.rows.size()));
  Put32(file, 0);
  Put32(file, static_cast<uint32_t>(14 + header.size()));
  return file + header + fields.rows;
}

// 3 x 2, 24-bit, stored bottom row first: bottom is red, green, blue; top is
// white, black, grey. Each row has 9 bytes and 3 of padding.
std::string ThreeByTwoRows() {
  return std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\0\0\0", 12) +
         std::string("\xFF\xFF\xFF\x00\x00\x00\x80\x80\x80\0\0\0", 12);
}

BmpImage Read(const std::string& bytes) {
  BmpImage image;
  std::string error;
  EXPECT_EQ(ReadBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &image, &error),
            kOk)
      << error;
  return image;
}

TEST(BmpReader, Reads24BitRowsFromTheBottomUpAsOpaquePixels) {
  BmpFields fields;
  fields.rows = ThreeByTwoRows();
  const BmpImage image = Read(Encode(fields));
  ASSERT_EQ(image.width, 3u);
  ASSERT_EQ(image.height, 2u);
  EXPECT_FALSE(image.hasAlpha);
  EXPECT_EQ(image.Pixel(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(image.Pixel(1, 0), 0xFF000000u);
  EXPECT_EQ(image.Pixel(2, 0), 0xFF808080u);
  EXPECT_EQ(image.Pixel(0, 1), 0xFFFF0000u);
  EXPECT_EQ(image.Pixel(1, 1), 0xFF00FF00u);
  EXPECT_EQ(image.Pixel(2, 1), 0xFF0000FFu);

  // Stored top row first, the same image; the last row may lack its padding.
  fields.height = -2;
  fields.rows = ThreeByTwoRows().substr(12) + ThreeByTwoRows().substr(0, 9);
  const BmpImage topDown = Read(Encode(fields));
  EXPECT_EQ(topDown.pixels, image.pixels);
}

TEST(BmpReader, Keeps32BitAlphaAndTreatsAllZeroAlphaAsOpaque) {
  BmpFields fields;
  fields.width = 2;
  fields.height = 1;
  fields.bitCount = 32;
  fields.rows = std::string("\x01\x02\x03\x80\x04\x05\x06\x00", 8);
  BmpImage image = Read(Encode(fields));
  EXPECT_TRUE(image.hasAlpha);
  EXPECT_EQ(image.Pixel(0, 0), 0x80030201u);
  EXPECT_EQ(image.Pixel(1, 0), 0x00060504u);

  fields.rows = std::string("\x01\x02\x03\x00\x04\x05\x06\x00", 8);
  image = Read(Encode(fields));
  EXPECT_FALSE(image.hasAlpha);
  EXPECT_EQ(image.Pixel(1, 0), 0xFF060504u);
}

TEST(BmpReader, AppliesColourMasks) {
  // Version-4 header with masks for the usual byte order and alpha.
  BmpFields fields;
  fields.width = 1;
  fields.height = 1;
  fields.bitCount = 32;
  fields.compression = 3;
  fields.headerSize = 108;
  fields.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  fields.rows = std::string("\x10\x20\x30\x40", 4);
  BmpImage image = Read(Encode(fields));
  EXPECT_TRUE(image.hasAlpha);
  EXPECT_EQ(image.Pixel(0, 0), 0x40302010u);

  // A 40-byte header followed by three masks in another order, no alpha.
  fields.headerSize = 40;
  fields.masks = {0xFF000000, 0x00FF0000, 0x0000FF00};
  image = Read(Encode(fields));
  EXPECT_FALSE(image.hasAlpha);
  EXPECT_EQ(image.Pixel(0, 0), 0xFF403020u);

  // A channel without a mask reads as zero.
  fields.masks = {0x00FF0000, 0, 0x000000FF};
  EXPECT_EQ(Read(Encode(fields)).Pixel(0, 0), 0xFF300010u);

  // Five-bit channels widen to the full range.
  fields.masks = {0x7C00, 0x03E0, 0x001F};
  fields.rows = std::string("\xFF\x7F\x00\x00", 4);
  EXPECT_EQ(Read(Encode(fields)).Pixel(0, 0), 0xFFFFFFFFu);
}

TEST(BmpReader, RejectsWhatItCannotReadWithAReason) {
  auto with = [](auto change) {
    BmpFields fields;
    fields.rows = ThreeByTwoRows();
    change(fields);
    return Encode(fields);
  };
  const std::string good = with([](BmpFields&) {});
  std::string wrongSignature = good;
  wrongSignature[1] = 'X';
  std::string offsetPastEnd = good;
  offsetPastEnd[10] = static_cast<char>(0xFF);
  const struct {
    std::string bytes;
    std::string reason;
  } cases[] = {
      {"", "file too short"},
      {good.substr(0, 30), "truncated header"},
      {wrongSignature, "no \"BM\" signature"},
      {with([](BmpFields& s) { s.headerSize = 12; }), "unsupported header size 12"},
      {with([](BmpFields& s) { s.bitCount = 8; }), "unsupported bit count 8"},
      {with([](BmpFields& s) { s.bitCount = 16; }), "unsupported bit count 16"},
      {with([](BmpFields& s) { s.compression = 1; }), "unsupported compression 1"},
      {with([](BmpFields& s) { s.compression = 3; }), "unsupported compression 3"},
      {with([](BmpFields& s) { s.planes = 2; }), "plane count 2"},
      {with([](BmpFields& s) { s.width = 0; }), "bad width 0"},
      {with([](BmpFields& s) { s.width = -3; }), "bad width -3"},
      {with([](BmpFields& s) { s.width = kMaxBmpSide + 1; }), "bad width"},
      {with([](BmpFields& s) { s.height = 0; }), "bad height 0"},
      {with([](BmpFields& s) { s.height = INT32_MIN; }), "bad height"},
      {with([](BmpFields& s) { s.height = 3; }), "pixel data runs past the end"},
      {with([](BmpFields& s) { s.width = 0x40000000 / 3; }), "bad width"},
      {good.substr(0, good.size() - 4), "pixel data runs past the end"},
      {offsetPastEnd, "pixel data offset"},
      {with([](BmpFields& s) {
         s.bitCount = 32;
         s.compression = 3;
         s.masks = {0x00F0F000, 0x0000000F, 0x000000F0};
       }),
       "colour masks are not runs of bits"},
      {with([](BmpFields& s) {
         s.bitCount = 32;
         s.compression = 3;
         s.rows.clear();
       }).substr(0, 60),
       "truncated colour masks"},
  };
  for (const auto& bad : cases) {
    BmpImage image;
    image.width = 7;
    std::string error;
    EXPECT_EQ(ReadBmp(reinterpret_cast<const uint8_t*>(bad.bytes.data()), bad.bytes.size(), &image,
                      &error),
              kErrInvalidData)
        << bad.reason;
    EXPECT_NE(error.find(bad.reason), std::string::npos)
        << "\"" << error << "\" for " << bad.reason;
    EXPECT_EQ(image.width, 0u);
    EXPECT_TRUE(image.pixels.empty());
  }
}

TEST(BmpReader, EveryTruncationOfAGoodFileIsRejected) {
  BmpFields fields;
  fields.rows = ThreeByTwoRows();
  const std::string good = Encode(fields);
  // The last row's three bytes of padding may be missing.
  for (size_t length = 0; length + 3 < good.size(); ++length) {
    BmpImage image;
    EXPECT_EQ(ReadBmp(reinterpret_cast<const uint8_t*>(good.data()), length, &image, nullptr),
              kErrInvalidData)
        << length;
  }
}

}  // namespace
}  // namespace tf
