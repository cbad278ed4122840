#include <gtest/gtest.h>

#include "view/BmpReader.h"
#include "view/GraphicsTypes.h"
#include "view/Resources.h"

namespace tf {
namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kGrey = 0xFFC0C0C0;

BmpImage LoadBitmap(int id) {
  const auto bytes = FindResource(kResourceBitmap, id);
  BmpImage image;
  std::string error;
  EXPECT_EQ(ReadBmp(bytes.data(), bytes.size(), &image, &error), kOk) << id << ": " << error;
  return image;
}

TEST(ResourceBitmaps, SelectionBitmapTracesTheSphereCells) {
  const BmpImage image = LoadBitmap(kSelectionBitmap);
  ASSERT_EQ(image.width, 256u);
  ASSERT_EQ(image.height, 256u);
  EXPECT_FALSE(image.hasAlpha);  // stored with 24 bits
  for (uint32_t segment = 0; segment < 16; ++segment) {
    const uint32_t left = segment * 16;
    // Two-pixel lines on both sides of every cell border.
    for (uint32_t band = 1; band < 8; ++band) {
      EXPECT_EQ(image.Pixel(left + 8, band * 32 - 1), kBlack);
      EXPECT_EQ(image.Pixel(left + 8, band * 32), kBlack);
    }
    for (uint32_t band = 0; band < 8; ++band) {
      EXPECT_EQ(image.Pixel(left, band * 32 + 16), kBlack) << segment << "," << band;
      EXPECT_EQ(image.Pixel((left + 255) % 256, band * 32 + 16), kBlack) << segment << "," << band;
      EXPECT_EQ(image.Pixel(left + 2, band * 32 + 16), kWhite) << segment << "," << band;
    }
    for (uint32_t band = 1; band < 7; ++band)
      EXPECT_EQ(image.Pixel(left + 8, band * 32 + 16), kWhite) << segment << "," << band;
    // Top band: the diagonal runs from the top-left corner down to the bottom-right.
    EXPECT_EQ(image.Pixel(left + 8, 16), kBlack);
    EXPECT_EQ(image.Pixel(left + 12, 8), kWhite);
    EXPECT_EQ(image.Pixel(left + 4, 24), kWhite);
    // Bottom band: from the top-right corner down to the bottom-left.
    EXPECT_EQ(image.Pixel(left + 8, 240), kBlack);
    EXPECT_EQ(image.Pixel(left + 4, 232), kWhite);
    EXPECT_EQ(image.Pixel(left + 12, 248), kWhite);
  }
}

TEST(ResourceBitmaps, GridCellHasAnOpaqueBorderAroundATransparentInterior) {
  const BmpImage image = LoadBitmap(kGridCellBitmap);
  ASSERT_EQ(image.width, 64u);
  ASSERT_EQ(image.height, 64u);
  EXPECT_TRUE(image.hasAlpha);
  for (uint32_t y = 0; y < 64; ++y) {
    for (uint32_t x = 0; x < 64; ++x) {
      const bool border = x < 2 || y < 2 || x >= 62 || y >= 62;
      ASSERT_EQ(image.Pixel(x, y), border ? kBlack : 0x00FFFFFFu) << x << "," << y;
    }
  }
}

struct ColourCount {
  int green = 0, red = 0, blue = 0, white = 0, black = 0, other = 0;
};

ColourCount CountButton(const BmpImage& strip, uint32_t button) {
  ColourCount count;
  for (uint32_t y = 0; y < 24; ++y) {
    for (uint32_t x = button * 24; x < button * 24 + 24; ++x) {
      const uint32_t p = strip.Pixel(x, y);
      const uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
      if (p == kGrey) continue;
      if (p == kWhite)
        ++count.white;
      else if (p == kBlack)
        ++count.black;
      else if (g > 2 * (r + b))
        ++count.green;
      else if (r > 2 * (g + b))
        ++count.red;
      else if (b > 2 * (r + g))
        ++count.blue;
      else
        ++count.other;
    }
  }
  return count;
}

TEST(ResourceBitmaps, ToolbarStripHoldsSixButtonsOnLightGrey) {
  const BmpImage strip = LoadBitmap(kToolbarBitmap);
  ASSERT_EQ(strip.width, 144u);
  ASSERT_EQ(strip.height, 24u);
  EXPECT_FALSE(strip.hasAlpha);
  for (uint32_t button = 0; button < 6; ++button) {
    // Each image stays inside its own square, clear of the edges.
    for (uint32_t i = 0; i < 24; ++i) {
      EXPECT_EQ(strip.Pixel(button * 24 + i, 0), kGrey) << button;
      EXPECT_EQ(strip.Pixel(button * 24 + i, 23), kGrey) << button;
      EXPECT_EQ(strip.Pixel(button * 24, i), kGrey) << button;
      EXPECT_EQ(strip.Pixel(button * 24 + 23, i), kGrey) << button;
    }
  }
  const ColourCount start = CountButton(strip, 0), stop = CountButton(strip, 1),
                    charges = CountButton(strip, 2), arrow = CountButton(strip, 3),
                    rectangle = CountButton(strip, 4), loop = CountButton(strip, 5);
  EXPECT_GT(start.green, 60);
  EXPECT_EQ(start.red + start.blue + start.white, 0);
  EXPECT_GT(stop.red, 100);
  EXPECT_EQ(stop.green + stop.blue + stop.white, 0);
  EXPECT_GT(charges.red, 20);
  EXPECT_GT(charges.blue, 20);
  EXPECT_GT(charges.white, 20);
  EXPECT_EQ(charges.green, 0);
  EXPECT_GT(arrow.white, 20);
  EXPECT_GT(arrow.black, 20);
  EXPECT_EQ(arrow.red + arrow.green + arrow.blue, 0);
  for (const ColourCount& dashed : {rectangle, loop}) {
    EXPECT_GT(dashed.black, 20);
    EXPECT_EQ(dashed.white + dashed.red + dashed.green + dashed.blue + dashed.other, 0);
  }
  // The rectangle's top edge is dashed: black and grey alternate along it.
  int changes = 0;
  for (uint32_t x = 4 * 24 + 5; x < 4 * 24 + 19; ++x)
    changes += strip.Pixel(x, 6) != strip.Pixel(x + 1, 6);
  EXPECT_GE(changes, 4);
}

TEST(ResourceBitmaps, IconIsOne32By32ImageWithAlpha) {
  const auto ico = FindResource(kResourceIcon, kProgramIcon);
  ASSERT_GE(ico.size(), 22u + 40u + 32 * 32 * 4 + 32 * 4);
  auto read16 = [&](size_t at) { return ico[at] | ico[at + 1] << 8; };
  auto read32 = [&](size_t at) { return static_cast<uint32_t>(read16(at) | read16(at + 2) << 16); };
  EXPECT_EQ(read16(0), 0);
  EXPECT_EQ(read16(2), 1);  // icon
  EXPECT_EQ(read16(4), 1);  // one image
  EXPECT_EQ(ico[6], 32);
  EXPECT_EQ(ico[7], 32);
  EXPECT_EQ(read16(12), 32);  // bits per pixel
  const uint32_t offset = read32(18);
  ASSERT_EQ(offset + read32(14), ico.size());
  EXPECT_EQ(read32(offset + 4), 32u);
  EXPECT_EQ(read32(offset + 8), 64u);  // colour and mask rows
  // Alpha: transparent in the corners, opaque somewhere inside.
  const size_t pixels = offset + 40;
  auto alpha = [&](int x, int y) { return ico[pixels + ((31 - y) * 32 + x) * 4 + 3]; };
  EXPECT_EQ(alpha(0, 0), 0);
  EXPECT_EQ(alpha(31, 31), 0);
  EXPECT_EQ(alpha(19, 16), 255);
}

}  // namespace
}  // namespace tf
