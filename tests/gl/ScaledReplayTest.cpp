// A replay at two framebuffer pixels per client pixel, as on a screen of
// device pixel ratio 2, against the same frame replayed one to one.

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "GlTestSupport.h"
#include "view/Font.h"
#include "view/Line.h"
#include "view/gl/FrameRenderer.h"

namespace tf::test {
namespace {

class ScaledReplay : public GlScene {
 protected:
  // Replays `frame` into a fresh width x height framebuffer at `target`,
  // and reads it back, rows from the top.
  RgbaImage ReplayScaled(const Frame& frame, ReplayTarget target) {
    const auto w = static_cast<GLsizei>(target.width), h = static_cast<GLsizei>(target.height);
    GLuint framebuffer = 0, color = 0;
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &color);
    glBindRenderbuffer(GL_RENDERBUFFER, color);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    target.framebuffer = framebuffer;
    EXPECT_TRUE(offscreen_->Renderer().Replay(frame, target));
    const size_t row = size_t{target.width} * 4;
    RgbaImage image{target.width, target.height, std::vector<uint8_t>(row * target.height)};
    std::vector<uint8_t> bottomUp(image.pixels.size());
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    for (uint32_t y = 0; y < target.height; ++y)
      std::copy_n(&bottomUp[(target.height - 1 - y) * row], row, &image.pixels[y * row]);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &color);
    glDeleteFramebuffers(1, &framebuffer);
    return image;
  }
};

constexpr PixelRect kViewRect{0, 16, 160, 120};  // below a 16-pixel toolbar

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
  bool Holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Pixels of `two` further than `tolerance` from the pixel of `one` they
// magnify twice, leaving out those whose pixel of `one` `skip` names.
template <typename Skip>
int Mismatches(const RgbaImage& one, const RgbaImage& two, int tolerance, Skip skip) {
  int count = 0;
  for (int y = 0; y < static_cast<int>(two.height); ++y)
    for (int x = 0; x < static_cast<int>(two.width); ++x)
      if (!skip(x / 2, y / 2) &&
          !ColorNear(ColorAt(two, x, y), ColorAt(one, x / 2, y / 2), tolerance))
        ++count;
  return count;
}

// Pixels of `box` that are not background, and the smallest box holding them.
int CountInk(const RgbaImage& image, Box box, Box* ink) {
  int count = 0;
  *ink = {1 << 30, 1 << 30, -1, -1};
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (!IsBackground(image, x, y)) {
        ++count;
        *ink = {std::min(ink->left, x), std::min(ink->top, y), std::max(ink->right, x + 1),
                std::max(ink->bottom, y + 1)};
      }
  return count;
}

TEST_F(ScaledReplay, AtTwiceTheScaleEverythingCoversTheMagnifiedPixels) {
  const Ref<Mesh> square = MakeColoredSquare(*device_, 2, 0xFF0000FF);
  const Ref<Mesh> sphere = LoadSphere();
  const Ref<Line> line = MakeLine();
  const Ref<Font> font = MakeOverlayFont();
  ASSERT_TRUE(line && font);
  // Client pixels: the square covers x 20 .. 60 and y 20 .. 60, the sphere
  // lies in x 100 .. 140, y 20 .. 60 and the text in its rectangle.
  PixelRect textRect{20, 70, 100, 95};
  const auto frame = Record(
      [&] {
        const PixelRect strip{0, 112, 160, 120};
        device_->Clear(1, &strip, kClearTarget, 0xFF00FF00, 1, 0);
        device_->SetRenderState(kRsLighting, 0);
        SetWorld(1, -4, 2);
        square->DrawSubset(0);
        device_->SetRenderState(kRsLighting, 1);
        SetWorld(1.5f, 4, 2);
        sphere->DrawSubset(0);
        const Vector2 solid[2] = {{10, 105}, {150, 105}};
        line->Draw(solid, 2, 0xFFFFFFFF);
        line->SetPattern(0xFF00FF00);
        const Vector2 dashed[3] = {{150, 20}, {150, 90}, {110, 90}};
        line->Draw(dashed, 3, 0xFFFFFF00);
        font->DrawText(nullptr, u"Grid 2", -1, &textRect, kDtLeft | kDtTop, 0xFFFFFFFF);
      },
      &kViewRect, &kViewRect);

  const RgbaImage one = Render(*frame);
  ASSERT_EQ(one.width, 160u);
  ASSERT_EQ(one.height, 104u);
  // The view widget's target: the view's top and size in framebuffer pixels.
  const RgbaImage two = ReplayScaled(*frame, {0, 0, 32, 320, 208, 2.0f});
  EXPECT_EQ(offscreen_->Renderer().LastStats().sphereImpostors, 1u);

  // Flat colours, clears and lines are the one-to-one picture magnified,
  // pixel for pixel: a 1-pixel line covers 2 rows, each dash is 16 pixels.
  // The images start at client row 16.
  const Box sphereInView{100, 4, 140, 44};
  const Box textInView{textRect.left, textRect.top - 16, textRect.right, textRect.bottom - 16};
  EXPECT_EQ(
      Mismatches(one, two, 0,
                 [&](int x, int y) { return sphereInView.Holds(x, y) || textInView.Holds(x, y); }),
      0);
  EXPECT_TRUE(ColorNear(two, 319, 207, {0, 255, 0}, 0)) << "the strip's clear reaches the corner";

  // The sphere and the text cover about four times the pixels, in the doubled places.
  Box inkOne{}, inkTwo{};
  for (const Box& box : {sphereInView, textInView}) {
    const int countOne = CountInk(one, box, &inkOne);
    const int countTwo =
        CountInk(two, {2 * box.left, 2 * box.top, 2 * box.right, 2 * box.bottom}, &inkTwo);
    ASSERT_GT(countOne, 50) << box.left;
    EXPECT_NEAR(countTwo, 4.0 * countOne, 1.0 * countOne) << box.left;
    EXPECT_NEAR(inkTwo.left, 2 * inkOne.left, 3) << box.left;
    EXPECT_NEAR(inkTwo.top, 2 * inkOne.top, 3) << box.left;
    EXPECT_NEAR(inkTwo.right, 2 * inkOne.right, 3) << box.left;
    EXPECT_NEAR(inkTwo.bottom, 2 * inkOne.bottom, 3) << box.left;
  }
  const int cx = (sphereInView.left + sphereInView.right) / 2;
  const int cy = (sphereInView.top + sphereInView.bottom) / 2;
  EXPECT_TRUE(ColorNear(ColorAtCorner(two, 2 * cx, 2 * cy), ColorAtCorner(one, cx, cy), 3));

  // Spheres covering the view several times over take the depth pass, which
  // must see the whole framebuffer; only their outlines may differ.
  const auto crowd = Record([&] {
    for (float x : {-4.0f, 4.0f})
      for (float y : {-3.0f, 3.0f}) {
        SetWorld(7, x, y);
        sphere->DrawSubset(0);
      }
  });
  const RgbaImage crowdOne = Render(*crowd);
  const RgbaImage crowdTwo = ReplayScaled(*crowd, {0, 0, 0, 320, 240, 2.0f});
  EXPECT_LT(Mismatches(crowdOne, crowdTwo, 8, [](int, int) { return false; }), 320 * 240 / 50);
}

}  // namespace
}  // namespace tf::test
