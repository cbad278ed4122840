// Mesh items replayed with the fixed-function look: lighting, culling,
// textures, vertex colours, blending and depth.

#include <gtest/gtest.h>

#include "GlTestSupport.h"
#include "view/Cylinder.h"
#include "view/Resources.h"

namespace tf::test {
namespace {

class MeshReplay : public GlScene {};

constexpr int kCenterX = GlScene::kWidth / 2;
constexpr int kCenterY = GlScene::kHeight / 2;

TEST_F(MeshReplay, AnEmptyFrameShowsTheClearColour) {
  const RgbaImage image = RecordAndRender([] {});
  ASSERT_EQ(image.width, kWidth);
  ASSERT_EQ(image.height, kHeight);
  for (int y : {0, 59, 119})
    for (int x : {0, 80, 159}) EXPECT_TRUE(ColorNear(image, x, y, kBackground, 0));
  EXPECT_EQ(image.At(5, 5)[3], 255) << "the back buffer is opaque";
}

TEST_F(MeshReplay, ALitSphereFacesTheViewerWithItsFrontAndLeavesTheRestClear) {
  const Ref<Mesh> sphere = LoadSphere();
  SetWorld(3);
  SetMaterial(1, 0.5f, 0.25f);
  const RgbaImage image = RecordAndRender([&] { sphere->DrawSubset(0); });
  // Ambient 0x40 plus the light's diffuse share dot((0, 0, 1), -normalize(1, -1, -1)).
  EXPECT_TRUE(ColorNear(ColorAtCorner(image, kCenterX, kCenterY),
                        {LitChannel(1), LitChannel(0.5f), LitChannel(0.25f)}));
  // Lit from the upper left: brighter there than at the lower right.
  EXPECT_GT(ColorAt(image, kCenterX - 15, kCenterY - 15).r,
            ColorAt(image, kCenterX + 15, kCenterY + 15).r);
  EXPECT_TRUE(IsBackground(image, kCenterX + 32, kCenterY));
  EXPECT_TRUE(IsBackground(image, kCenterX, kCenterY - 32));
  // Solid: no background shows anywhere inside the outline.
  for (int dy = -27; dy <= 27; dy += 3)
    for (int dx = -27; dx <= 27; dx += 3)
      if (dx * dx + dy * dy < 27 * 27) {
        EXPECT_FALSE(IsBackground(image, kCenterX + dx, kCenterY + dy)) << dx << ", " << dy;
      }
}

TEST_F(MeshReplay, TheCullModeDecidesWhichSideOfTheSphereShows) {
  const Ref<Mesh> sphere = LoadSphere();
  SetWorld(3);
  SetMaterial(1, 1, 1);
  const Rgb front{LitChannel(1), LitChannel(1), LitChannel(1)};
  const Rgb back{AmbientChannel(1), AmbientChannel(1), AmbientChannel(1)};
  for (auto [mode, expected] : {std::pair{kCullCw, front}, {kCullNone, front}, {kCullCcw, back}}) {
    device_->SetRenderState(kRsCullMode, mode);
    const RgbaImage image = RecordAndRender([&] { sphere->DrawSubset(0); });
    // Culling the front faces leaves the far half's inside, which faces away from the light.
    EXPECT_TRUE(ColorNear(ColorAtCorner(image, kCenterX, kCenterY), expected))
        << "cull mode " << mode;
  }
}

TEST_F(MeshReplay, TheBondCylinderIsSolidEndOnAndSideOn) {
  Mesh* made = nullptr;
  ASSERT_EQ(CreateCylinder(device_.get(), 1, 1, 1, 16, 1, &made), kOk);
  const Ref<Mesh> cylinder(made);
  SetMaterial(0.5f, 1, 0.5f);
  SetWorld(3);
  const RgbaImage endOn = RecordAndRender([&] { cylinder->DrawSubset(0); });
  // The flat top cap faces the viewer: one colour all over.
  for (int d : {-20, -10, 0, 10, 20}) {
    EXPECT_TRUE(ColorNear(endOn, kCenterX + d, kCenterY,
                          {LitChannel(0.5f), LitChannel(1), LitChannel(0.5f)}));
    EXPECT_TRUE(ColorNear(endOn, kCenterX, kCenterY + d,
                          {LitChannel(0.5f), LitChannel(1), LitChannel(0.5f)}));
  }
  EXPECT_TRUE(IsBackground(endOn, kCenterX + 33, kCenterY));

  // Lying along x, 60 pixels long and 60 across.
  Matrix turn, scaling, world;
  MatrixRotationYawPitchRoll(&turn, 3.1415927f / 2, 0, 0);
  MatrixScaling(&scaling, 3, 3, 6);
  device_->SetTransform(kTsWorld, MatrixMultiply(&world, &scaling, &turn));
  const RgbaImage sideOn = RecordAndRender([&] { cylinder->DrawSubset(0); });
  for (int dy = -27; dy <= 27; dy += 3)
    for (int dx = -27; dx <= 27; dx += 3)
      EXPECT_FALSE(IsBackground(sideOn, kCenterX + dx, kCenterY + dy)) << dx << ", " << dy;
  EXPECT_GT(ColorAt(sideOn, kCenterX, kCenterY).g, AmbientChannel(1) + 20);
  EXPECT_TRUE(IsBackground(sideOn, kCenterX, kCenterY + 33));
}

TEST_F(MeshReplay, TheSelectionTextureDrawsDarkLinesOverTheAtomColour) {
  const Ref<Mesh> sphere = LoadSphere();
  const Ref<Texture> selection = LoadTexture(kSelectionBitmap);
  SetWorld(4);
  SetMaterial(1, 1, 0);
  device_->SetTexture(0, selection.get());
  const RgbaImage image = RecordAndRender([&] { sphere->DrawSubset(0); });
  int dark = 0, coloured = 0;
  for (int dy = -25; dy <= 25; ++dy)
    for (int dx = -25; dx <= 25; ++dx) {
      const Rgb c = ColorAt(image, kCenterX + dx, kCenterY + dy);
      EXPECT_LT(c.b, 8) << "the texture's white keeps the material's missing blue";
      if (c.r < AmbientChannel(1) / 2) ++dark;
      if (c.r > 150 && c.g > 150) ++coloured;
    }
  EXPECT_GT(dark, 50) << "wire lines";
  EXPECT_GT(coloured, dark) << "the atom colour between the lines";
}

TEST_F(MeshReplay, TextureCoordinatesStartAtTheTopLeftTexel) {
  // Red, green / blue, white; nearest filtering keeps the four quadrants sharp.
  const std::vector<uint8_t> bmp = MakeBmp(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
  Texture* made = nullptr;
  ASSERT_EQ(CreateTextureFromFileInMemory(device_.get(), bmp.data(), bmp.size(), &made), kOk);
  const Ref<Texture> texture(made);
  const Ref<Mesh> square = MakeSquare(*device_, 4);
  device_->SetRenderState(kRsLighting, 0);
  device_->SetSamplerState(0, kSampMinFilter, kTexfPoint);
  device_->SetSamplerState(0, kSampMagFilter, kTexfPoint);
  device_->SetTexture(0, texture.get());
  const RgbaImage image = RecordAndRender([&] { square->DrawSubset(0); });
  EXPECT_TRUE(ColorNear(image, kCenterX - 20, kCenterY - 20, {255, 0, 0}, 0));
  EXPECT_TRUE(ColorNear(image, kCenterX + 20, kCenterY - 20, {0, 255, 0}, 0));
  EXPECT_TRUE(ColorNear(image, kCenterX - 20, kCenterY + 20, {0, 0, 255}, 0));
  EXPECT_TRUE(ColorNear(image, kCenterX + 20, kCenterY + 20, {255, 255, 255}, 0));
}

TEST_F(MeshReplay, TheGridTextureRepeatsFarOutsideZeroToOneAndItsClearTexelsShowThrough) {
  const Ref<Texture> grid = LoadTexture(kGridCellBitmap);
  // 120 pixels across, four cells of 30 pixels with coordinates 100 .. 104.
  const Ref<Mesh> plane = MakeSquare(*device_, 6, 100, 100, 104, 104);
  device_->SetTexture(0, grid.get());
  device_->SetSamplerState(0, kSampMinFilter, kTexfPoint);
  device_->SetSamplerState(0, kSampMagFilter, kTexfPoint);
  const RgbaImage image = RecordAndRender([&] { plane->DrawSubset(0); });
  int lines = 0;
  bool inLine = false;
  const int row = kCenterY + 15;  // through the middle of a row of cells
  for (int x = kCenterX - 62; x <= kCenterX + 62; ++x) {
    const bool dark = ColorAt(image, x, row).r < 16;
    if (dark && !inLine) ++lines;
    inLine = dark;
    if (!dark) {
      EXPECT_TRUE(IsBackground(image, x, row)) << "x " << x;
    }
  }
  EXPECT_EQ(lines, 5) << "borders of four cells";
}

TEST_F(MeshReplay, VertexColoursReplaceTheMaterialDiffuse) {
  const Ref<Mesh> strip = MakeColoredSquare(*device_, 4, 0xFFFF0000);
  SetMaterial(1, 1, 1);  // the grid material: white diffuse and ambient
  const RgbaImage lit = RecordAndRender([&] { strip->DrawSubset(0); });
  EXPECT_TRUE(
      ColorNear(lit, kCenterX, kCenterY, {LitChannel(1), AmbientChannel(1), AmbientChannel(1)}));

  device_->SetRenderState(kRsLighting, 0);
  const RgbaImage unlit = RecordAndRender([&] { strip->DrawSubset(0); });
  EXPECT_TRUE(ColorNear(unlit, kCenterX, kCenterY, {255, 0, 0}, 0));
}

TEST_F(MeshReplay, DiffuseAlphaBlendsOverTheBackgroundOnlyWhileBlendingIsOn) {
  const Ref<Mesh> square = MakeSquare(*device_, 4);
  Material material;
  material.diffuse = {1, 1, 1, 0.5f};
  device_->SetMaterial(&material);
  const int lit = LitChannel(1) - AmbientChannel(1);  // no material ambient
  const RgbaImage blended = RecordAndRender([&] { square->DrawSubset(0); });
  const int half = (lit + kBackground.r) / 2;
  EXPECT_TRUE(ColorNear(blended, kCenterX, kCenterY, {half, half, half}, 2));
  EXPECT_EQ(blended.At(kCenterX, kCenterY)[3], 255);

  device_->SetRenderState(kRsAlphaBlendEnable, 0);
  const RgbaImage opaque = RecordAndRender([&] { square->DrawSubset(0); });
  EXPECT_TRUE(ColorNear(opaque, kCenterX, kCenterY, {lit, lit, lit}, 2));
}

TEST_F(MeshReplay, TheNearerSurfaceWinsInEitherDrawingOrderWhileTheDepthTestIsOn) {
  device_->SetRenderState(kRsLighting, 0);
  const Ref<Mesh> nearSquare = MakeColoredSquare(*device_, 3, 0xFFFF0000);
  const Ref<Mesh> farSquare = MakeColoredSquare(*device_, 3, 0xFF0000FF);
  // The near square (z = +1) sits left, the far one (z = -1) right; they overlap in the middle.
  auto draw = [&](bool nearFirst) {
    for (bool isNear : {nearFirst, !nearFirst}) {
      SetWorld(1, isNear ? -1.5f : 1.5f, 0, isNear ? 1.0f : -1.0f);
      (isNear ? nearSquare : farSquare)->DrawSubset(0);
    }
  };
  for (bool nearFirst : {true, false}) {
    const RgbaImage image = RecordAndRender([&] { draw(nearFirst); });
    EXPECT_TRUE(ColorNear(image, kCenterX, kCenterY, {255, 0, 0}, 0)) << nearFirst;
    EXPECT_TRUE(ColorNear(image, kCenterX + 35, kCenterY, {0, 0, 255}, 0)) << nearFirst;
  }
  device_->SetRenderState(kRsZEnable, 0);
  const RgbaImage unsorted = RecordAndRender([&] { draw(true); });
  EXPECT_TRUE(ColorNear(unsorted, kCenterX, kCenterY, {0, 0, 255}, 0)) << "the later one";
}

}  // namespace
}  // namespace tf::test
