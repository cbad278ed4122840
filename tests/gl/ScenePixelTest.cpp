// What a person sees in the view: frames drawn by Redraw exactly as the
// program draws them, replayed offscreen, checked by pixel.

#include <gtest/gtest.h>

#include <string>

#include "GlTestSupport.h"
#include "model/Document.h"
#include "model/TableLookup.h"
#include "support/TestRecords.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

using test::ColorAt;
using test::ColorNear;
using test::PutAtom;
using test::Rgb;

// A 700 x 600 view at zoom 2: 40 pixels per unit, the world origin at (350, 300),
// grid cells of half a unit (20 pixels) with borders through the origin.
class ScenePixels : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    renderer_ = OffscreenRenderer::Create(&error);
    ASSERT_NE(renderer_, nullptr) << error;
    records_ = test::StartGraphics(700, 600, 0);
  }

  RgbaImage Draw() {
    Redraw(records_->resources, SceneOf(*records_));
    RgbaImage image;
    std::string error;
    EXPECT_TRUE(renderer_->Render(*records_->resources.device->LatestFrame(), &image, &error))
        << error;
    return image;
  }

  uint32_t PutAtom(float x, float y, float z, bool selected = false) {
    const uint32_t i = records_->document.atomCount++;
    records_->document.atoms[i] = Atom{};
    records_->document.atoms[i].x = x;
    records_->document.atoms[i].y = y;
    records_->document.atoms[i].z = z;
    records_->document.atoms[i].atomType = FindAtomTypeByName(records_->tables, u"C3");
    if (selected) SelectAtom(records_->document, i);
    return i;
  }

  // Pixels of the region that are red text over the background.
  static int RedTextPixels(const RgbaImage& image, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        const Rgb c = ColorAt(image, x, y);
        if (c.r > c.g + 60 && c.r > c.b + 60) ++count;
      }
    return count;
  }

  std::unique_ptr<OffscreenRenderer> renderer_;
  test::GraphicsRecords records_;
};

TEST_F(ScenePixels, EmptyViewShowsBackgroundGridLinesAxisStripsAndCornerTexts) {
  records_->shaping.shapingActive = 1;  // shows the energy block in the bottom-left corner
  const RgbaImage image = Draw();
  records_->shaping.shapingActive = 0;
  ASSERT_EQ(image.width, 700u);
  ASSERT_EQ(image.height, 600u);
  EXPECT_TRUE(ColorNear(image, 260, 210, test::kBackground)) << "inside a grid cell";
  const Rgb line = ColorAt(image, 250, 210);
  EXPECT_LT(line.r, 26) << "a grid cell border";
  const Rgb red = ColorAt(image, 450, 300);
  EXPECT_GT(red.r, 150);
  EXPECT_LT(red.g, 100);
  const Rgb green = ColorAt(image, 350, 200);
  EXPECT_GT(green.g, 150);
  EXPECT_LT(green.r, 100);
  EXPECT_GT(RedTextPixels(image, 0, 0, 350, 100), 200) << "counts, top left";
  EXPECT_GT(RedTextPixels(image, 0, 500, 350, 600), 200) << "energy block, bottom left";
  EXPECT_GT(RedTextPixels(image, 450, 560, 700, 600), 100) << "grid scale, bottom right";
  EXPECT_EQ(RedTextPixels(image, 150, 150, 340, 290), 0) << "nothing red away from texts and axes";
}

TEST_F(ScenePixels, AtomsShowTheirLitColourAndSelectedOnesTheirWireMesh) {
  PutAtom(-4, 4, 1);       // centre (190, 140), 16 pixels across at Ball-Stick
  PutAtom(4, 4, 1, true);  // centre (510, 140)
  const RgbaImage image = Draw();
  // Carbon grey 0x90 lit face-on: ambient plus the light's share.
  const int lit = test::LitChannel(0x90 / 255.0f);
  EXPECT_TRUE(ColorNear(image, 190, 140, {lit, lit, lit}, 6));
  int darkPlain = 0, darkSelected = 0;
  for (int dy = -10; dy <= 10; ++dy)
    for (int dx = -10; dx <= 10; ++dx) {
      if (dx * dx + dy * dy > 100) continue;
      darkPlain += ColorAt(image, 190 + dx, 140 + dy).r < 20;  // below the ambient floor
      darkSelected += ColorAt(image, 510 + dx, 140 + dy).r < 20;
    }
  EXPECT_EQ(darkPlain, 0);
  EXPECT_GT(darkSelected, 8) << "the selection texture's black lines";
}

TEST_F(ScenePixels, RectangleOutlineIsDashedEightPixelsOnEightOff) {
  records_->view.selectionTool = kRectangularTool;
  records_->view.areaSelecting = 1;
  records_->view.rectStart = {100, 100};
  records_->view.rectEnd = {300, 250};
  const RgbaImage image = Draw();
  // Along the top edge: runs of white and of not-white, each 8 pixels long.
  std::string pattern;
  for (int x = 100; x < 164; ++x) pattern += ColorAt(image, x, 100).g > 200 ? '#' : '.';
  std::string expected;  // the pattern's low byte is clear: each period starts with a gap
  for (int k = 0; k < 4; ++k) expected += std::string(8, '.') + std::string(8, '#');
  EXPECT_EQ(pattern, expected);
}

}  // namespace
}  // namespace tf
