// Lines and texts replayed in back-buffer pixels over the scene.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "GlTestSupport.h"
#include "view/Font.h"
#include "view/Line.h"

namespace tf::test {
namespace {

class ScreenItems : public GlScene {
 protected:
  void SetUp() override {
    GlScene::SetUp();
    Line* line = nullptr;
    ASSERT_EQ(CreateLine(device_.get(), &line), kOk);
    line_.reset(line);
    Font* font = nullptr;
    // The program's overlay font.
    ASSERT_EQ(CreateFont(device_.get(), 30, 10, 400, 0, false, 1, 0, 0, 48, u"Arial", &font), kOk);
    font_.reset(font);
  }
  void TearDown() override {
    line_.reset();
    font_.reset();
    GlScene::TearDown();
  }

  // The smallest rectangle holding every pixel that is not background.
  struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // right and bottom exclusive
    bool Empty() const { return right < 0; }
  };
  static Ink FindInk(const RgbaImage& image) {
    Ink ink;
    for (int y = 0; y < static_cast<int>(image.height); ++y)
      for (int x = 0; x < static_cast<int>(image.width); ++x)
        if (!IsBackground(image, x, y)) {
          ink.left = std::min(ink.left, x);
          ink.top = std::min(ink.top, y);
          ink.right = std::max(ink.right, x + 1);
          ink.bottom = std::max(ink.bottom, y + 1);
        }
    return ink;
  }
  RgbaImage DrawText(const std::u16string& text, PixelRect rect, uint32_t format,
                     uint32_t color = 0xFFFFFFFF) {
    return RecordAndRender(
        [&] { font_->DrawText(nullptr, text.c_str(), -1, &rect, format, color); });
  }

  Ref<Line> line_;
  Ref<Font> font_;
};

TEST_F(ScreenItems, TheDashPatternRunsEightPixelsOnAndOffAndGoesOnAcrossCorners) {
  line_->SetPattern(0xFF00FF00);
  const Vector2 straight[2] = {{10, 20}, {138, 20}};
  const Vector2 bent[3] = {{10, 40}, {22, 40}, {22, 80}};
  const RgbaImage image = RecordAndRender([&] {
    line_->Draw(straight, 2, 0xFFFFFFFF);
    line_->Draw(bent, 3, 0xFFFFFFFF);
  });
  const Rgb white{255, 255, 255};
  for (int k = 0; k < 128; ++k) {
    // Bit k % 32 of 0xFF00FF00: off for the first 8 steps, on for the next 8, and so on.
    const bool on = (k / 8) % 2 == 1;
    EXPECT_TRUE(ColorNear(image, 10 + k, 20, on ? white : kBackground, 0)) << "step " << k;
    EXPECT_TRUE(IsBackground(image, 10 + k, 19));
    EXPECT_TRUE(IsBackground(image, 10 + k, 21));
  }
  // The corner comes at step 12, inside a dash, which carries on downwards.
  for (int k = 13; k < 40; ++k) {
    const bool on = (k / 8) % 2 == 1;
    EXPECT_TRUE(ColorNear(image, 22, 40 + (k - 12), on ? white : kBackground, 0)) << "step " << k;
  }
}

TEST_F(ScreenItems, ALineCoversItsWidthAndBlendsItsColour) {
  line_->SetWidth(5);
  const Vector2 points[2] = {{20, 50}, {100, 50}};
  const RgbaImage image = RecordAndRender([&] { line_->Draw(points, 2, 0x80FF0000); });
  const Rgb half{(255 * 128 + 32 * 127) / 255, 32 * 127 / 255, 32 * 127 / 255};
  for (int y = 48; y <= 52; ++y) EXPECT_TRUE(ColorNear(image, 60, y, half, 2)) << "row " << y;
  EXPECT_TRUE(IsBackground(image, 60, 47));
  EXPECT_TRUE(IsBackground(image, 60, 53));
  EXPECT_TRUE(ColorNear(image, 20, 50, half, 2));
  EXPECT_TRUE(IsBackground(image, 100, 50)) << "the last point is not drawn";
}

TEST_F(ScreenItems, LinesAndTextGoOverTheSceneWithoutADepthTest) {
  // A square right in front of the eye covering x 50 .. 110 and y 30 .. 90.
  const Ref<Mesh> square = MakeColoredSquare(*device_, 3, 0xFF0000FF);
  device_->SetRenderState(kRsLighting, 0);
  SetWorld(1, 0, 0, 150);
  const Vector2 points[2] = {{10, 35}, {150, 35}};
  PixelRect rect{40, 30, 120, 90};
  auto drawOverlay = [&] {
    square->DrawSubset(0);
    line_->Draw(points, 2, 0xFFFFFFFF);
    font_->DrawText(nullptr, u"WWW", -1, &rect, kDtCenter | kDtVCenter, 0xFFFFFF00);
  };
  const RgbaImage overlay = RecordAndRender(drawOverlay);
  EXPECT_TRUE(ColorNear(overlay, 60, 35, {255, 255, 255}, 0));
  int yellow = 0;
  for (int y = 30; y < 90; ++y)
    for (int x = 50; x < 110; ++x) yellow += ColorNear(overlay, x, y, {255, 255, 0}, 8) ? 1 : 0;
  EXPECT_GT(yellow, 50);

  // Drawing order alone decides: a mesh drawn after them covers them again.
  const RgbaImage covered = RecordAndRender([&] {
    drawOverlay();
    square->DrawSubset(0);
  });
  EXPECT_TRUE(ColorNear(covered, 20, 35, {255, 255, 255}, 0));
  for (int y = 30; y < 90; ++y)
    for (int x = 50; x < 110; ++x) {
      ASSERT_TRUE(ColorNear(covered, x, y, {0, 0, 255}, 0));
    }
}

TEST_F(ScreenItems, TextSitsWhereItsFormatPutsItAndNeverOutsideItsRectangle) {
  const PixelRect rect{10, 10, 150, 110};
  struct Case {
    uint32_t format;
    const char* name;
  };
  for (const Case& c :
       {Case{kDtLeft | kDtTop, "left/top"}, Case{kDtRight | kDtBottom, "right/bottom"},
        Case{kDtCenter | kDtVCenter, "centre"}, Case{kDtBottom, "bottom-left"}}) {
    const Ink ink = FindInk(DrawText(u"Grid\nScale", rect, c.format));
    ASSERT_FALSE(ink.Empty()) << c.name;
    EXPECT_GE(ink.left, rect.left) << c.name;
    EXPECT_GE(ink.top, rect.top) << c.name;
    EXPECT_LE(ink.right, rect.right) << c.name;
    EXPECT_LE(ink.bottom, rect.bottom) << c.name;
    EXPECT_GT(ink.bottom - ink.top, 30) << c.name << ": two lines";
    const int middleX = (ink.left + ink.right) / 2, middleY = (ink.top + ink.bottom) / 2;
    switch (c.format) {
      case kDtLeft | kDtTop:
        EXPECT_LE(ink.left, rect.left + 3) << c.name;
        EXPECT_LE(ink.top, rect.top + 10) << c.name;
        break;
      case kDtRight | kDtBottom:
        EXPECT_GE(ink.right, rect.right - 3) << c.name;
        EXPECT_GE(ink.bottom, rect.bottom - 10) << c.name;
        break;
      case kDtCenter | kDtVCenter:
        EXPECT_NEAR(middleX, 80, 3) << c.name;
        EXPECT_NEAR(middleY, 60, 6) << c.name;
        break;
      default:
        EXPECT_LE(ink.left, rect.left + 3) << c.name;
        EXPECT_GE(ink.bottom, rect.bottom - 10) << c.name;
    }
  }
  // Too long for the rectangle: cut at its edges.
  const PixelRect narrow{20, 20, 100, 40};
  const Ink clipped = FindInk(DrawText(u"Number of selected atoms: 7000", narrow, 0));
  EXPECT_GE(clipped.left, narrow.left);
  EXPECT_EQ(clipped.right, narrow.right) << "glyphs run up to the edge and stop there";
  EXPECT_LE(clipped.bottom, narrow.bottom);
}

TEST_F(ScreenItems, TheFontHasThirtyPixelCellsAndTenPixelCharactersOnAverage) {
  const PixelRect rect{0, 0, static_cast<int32_t>(kWidth), static_cast<int32_t>(kHeight)};
  const Ink one = FindInk(DrawText(u"H", rect, 0));
  const Ink two = FindInk(DrawText(u"H\nH", rect, 0));
  EXPECT_EQ(two.bottom - one.bottom, 30) << "one cell per line";
  EXPECT_GE(one.bottom - one.top, 18) << "capitals fill most of the cell";
  EXPECT_LE(one.bottom - one.top, 24);
  // Lower-case text of ordinary letter frequencies averages the font width.
  const std::u16string text = u"number of bonds";
  const Ink wide = FindInk(DrawText(text, rect, 0));
  const double average = static_cast<double>(wide.right - wide.left) / text.size();
  EXPECT_GT(average, 8.0);
  EXPECT_LT(average, 11.0);
}

TEST_F(ScreenItems, TextIsBlendedInItsColour) {
  const PixelRect rect{10, 10, 150, 110};
  const RgbaImage image = DrawText(u"Number of atoms: 0", rect, 0, 0x80FF0000);
  Rgb strongest{0, 0, 0};
  for (int y = 10; y < 50; ++y)
    for (int x = 10; x < 150; ++x)
      if (ColorAt(image, x, y).r > strongest.r) strongest = ColorAt(image, x, y);
  // Full coverage at alpha 128 over grey 32.
  EXPECT_TRUE(
      ColorNear(strongest, {(255 * 128 + 32 * 127) / 255, 32 * 127 / 255, 32 * 127 / 255}, 2));
}

}  // namespace
}  // namespace tf::test
