#pragma once
// Pixel tests of the OpenGL backend: frames recorded with the real device,
// set up the way the program sets it up, replayed offscreen and read back.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "view/Font.h"
#include "view/GraphicsDevice.h"
#include "view/GraphicsTestSupport.h"
#include "view/Line.h"
#include "view/Mesh.h"
#include "view/Texture.h"
#include "view/gl/OffscreenRenderer.h"
#include "view/gl/RgbaImage.h"

namespace tf::test {

struct Rgb {
  int r, g, b;
};

inline constexpr Rgb kBackground{32, 32, 32};  // the program's clear colour 0x00202020

// `actual`, or the colour at (x, y), within `tolerance` per channel of `expected`.
::testing::AssertionResult ColorNear(Rgb actual, Rgb expected, int tolerance = 3);
::testing::AssertionResult ColorNear(const RgbaImage& image, int x, int y, Rgb expected,
                                     int tolerance = 3);
Rgb ColorAt(const RgbaImage& image, int x, int y);
// The mean of the four pixels that meet at the corner (x, y): the colour at
// that point of a smoothly shaded surface.
Rgb ColorAtCorner(const RgbaImage& image, int x, int y);
bool IsBackground(const RgbaImage& image, int x, int y);

// 255 * c * (ambient 0x40 + the diffuse share of a face turned to the viewer):
// the lit colour of channel value c (0..1) under the program's light.
int LitChannel(float c);
int AmbientChannel(float c);

// A BMP file of `width` x `height` 24-bit pixels given as 0xRRGGBB, rows from the top.
std::vector<uint8_t> MakeBmp(uint32_t width, uint32_t height, const std::vector<uint32_t>& rgb);

// A flat square mesh facing +z (counter-clockwise seen from the viewer) with
// its corners at +-half, z = 0; texture coordinates run from (u0, v0) at the
// top-left to (u1, v1) at the bottom-right.
Ref<Mesh> MakeSquare(GraphicsDevice& device, float half, float u0 = 0, float v0 = 0, float u1 = 1,
                     float v1 = 1);
// The same square with one vertex colour (0xAARRGGBB) and no texture coordinates.
Ref<Mesh> MakeColoredSquare(GraphicsDevice& device, float half, uint32_t color);

class GlScene : public ::testing::Test {
 public:
  static constexpr uint32_t kWidth = 160;
  static constexpr uint32_t kHeight = 120;
  static constexpr float kPixelsPerUnit = 10;

 protected:
  // An offscreen renderer and a device with the program's fixed state: one
  // white light along normalize(1, -1, -1), grey 64 ambient light, depth test,
  // clockwise faces culled, source-alpha blending and linear filtering; the
  // camera at z = 20 looks down -z with kPixelsPerUnit pixels per world unit.
  void SetUp() override { SetUpScene(kWidth, kHeight); }
  // The same with a back buffer of another size, its centre still the origin.
  void SetUpScene(uint32_t width, uint32_t height);
  void TearDown() override;

  // Records one frame: the program's clear, `draw` between BeginScene and
  // EndScene, then Present with the given rectangles.
  std::shared_ptr<const Frame> Record(const std::function<void()>& draw,
                                      const PixelRect* source = nullptr,
                                      const PixelRect* dest = nullptr);
  RgbaImage Render(const Frame& frame);
  RgbaImage RecordAndRender(const std::function<void()>& draw) { return Render(*Record(draw)); }

  // World transform: uniform scaling, then a translation.
  void SetWorld(float scale, float x = 0, float y = 0, float z = 0);
  // Diffuse and ambient both take the colour, as the atom material does.
  void SetMaterial(float r, float g, float b, float a = 1);
  Ref<Mesh> LoadSphere();
  Ref<Texture> LoadTexture(int resource);
  // A line, and the overlay's font (Arial-metric, 30 pixels high), on the device.
  Ref<Line> MakeLine();
  Ref<Font> MakeOverlayFont();

  // Client pixel of a world point in the plane z = 0.
  static int PixelX(float x) { return static_cast<int>(kWidth / 2 + x * kPixelsPerUnit); }
  static int PixelY(float y) { return static_cast<int>(kHeight / 2 - y * kPixelsPerUnit); }

  std::unique_ptr<GraphicsDevice> device_;
  std::unique_ptr<OffscreenRenderer> offscreen_;
};

}  // namespace tf::test
