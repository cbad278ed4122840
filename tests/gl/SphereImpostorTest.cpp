// Unit spheres drawn as ray-cast quads: which meshes qualify, that the result
// looks like the mesh it replaces, and that its depth meets other surfaces
// where the true sphere would.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <vector>

#include "GlTestSupport.h"
#include "view/Resources.h"
#include "view/gl/FrameRenderer.h"
#include "view/gl/UnitSphere.h"

namespace tf::test {
namespace {

// The same sphere ray cast and as a mesh: 240 x 240 pixels, radius 100.
class SphereImpostor : public GlScene {
 protected:
  static constexpr int kSize = 240;
  static constexpr int kCenter = kSize / 2;
  static constexpr float kRadius = 100;

  void SetUp() override { SetUpScene(kSize, kSize); }

  // Turned about the line of sight, so that object and world directions
  // differ; stretched along it, the world matrix keeps the outline but is no
  // longer a uniform scale, so the sphere goes the mesh way.
  Matrix World(bool rayCast) const {
    const float scale = kRadius / kPixelsPerUnit;
    Matrix turn, scaling, world;
    MatrixRotationYawPitchRoll(&turn, 0, 0, 0.35f);
    MatrixScaling(&scaling, scale, scale, rayCast ? scale : scale * 1.005f);
    return *MatrixMultiply(&world, &turn, &scaling);
  }

  // Five copies of an opaque sphere cover the target enough for the
  // depth-first two passes; one copy is drawn in a single pass.
  RgbaImage DrawSphere(bool rayCast, Texture* texture = nullptr, uint32_t copies = 1) {
    const Ref<Mesh> sphere = LoadSphere();
    const Matrix world = World(rayCast);
    device_->SetTransform(kTsWorld, &world);
    device_->SetTexture(0, texture);
    const RgbaImage image = RecordAndRender([&] {
      for (uint32_t i = 0; i < copies; ++i) sphere->DrawSubset(0);
    });
    EXPECT_EQ(offscreen_->Renderer().LastStats().sphereImpostors, rayCast ? copies : 0u);
    return image;
  }

  // Colours at the mesh's vertices and the outline agree.
  void ExpectSameSphere(const RgbaImage& rayCast, const RgbaImage& mesh) const;
};

TEST_F(SphereImpostor, ALitSphereMatchesItsMeshInColourAndOutline) {
  SetMaterial(1, 0.5f, 0.25f);
  const RgbaImage mesh = DrawSphere(false);
  for (uint32_t copies : {1u, 5u}) {
    SCOPED_TRACE(copies);
    ExpectSameSphere(DrawSphere(true, nullptr, copies), mesh);
  }
}

void SphereImpostor::ExpectSameSphere(const RgbaImage& rayCast, const RgbaImage& mesh) const {
  // At the mesh's vertices its interpolated lighting is exact.
  const Matrix world = World(true);
  int compared = 0;
  for (int ring = 1; ring < 8; ++ring)
    for (int column = 1; column < 8; ++column) {
      const double polar = std::numbers::pi * ring / 8, azimuth = std::numbers::pi * column / 8;
      const Vector3 vertex{static_cast<float>(std::sin(polar) * std::cos(azimuth)),
                           static_cast<float>(std::cos(polar)),
                           static_cast<float>(std::sin(polar) * std::sin(azimuth))};
      if (vertex.z < 0.5f) continue;  // near the outline the colour changes fast
      Vector3 at;
      Vec3TransformCoord(&at, &vertex, &world);
      const int x = kCenter + static_cast<int>(std::lround(at.x * kPixelsPerUnit));
      const int y = kCenter - static_cast<int>(std::lround(at.y * kPixelsPerUnit));
      EXPECT_TRUE(ColorNear(ColorAt(rayCast, x, y), ColorAt(mesh, x, y), 3))
          << "ring " << ring << ", column " << column;
      ++compared;
    }
  EXPECT_GT(compared, 20);
  // The polygon outline lies between 0.98 and 1 radius.
  const auto background = [](const RgbaImage& image, int x, int y) {
    const Rgb c = ColorAt(image, x, y);
    return std::abs(c.r - kBackground.r) + std::abs(c.g - kBackground.g) +
               std::abs(c.b - kBackground.b) <=
           1;
  };
  int inside = 0, outside = 0;
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const double distance = std::hypot(x + 0.5 - kCenter, y + 0.5 - kCenter) / kRadius;
      if (distance < 0.97) {
        ++inside;
        ASSERT_FALSE(background(rayCast, x, y) || background(mesh, x, y)) << x << ", " << y;
      } else if (distance > 1.01) {
        ++outside;
        ASSERT_TRUE(background(rayCast, x, y) && background(mesh, x, y)) << x << ", " << y;
      }
    }
  EXPECT_GT(inside, 29000);
  EXPECT_GT(outside, 25000);
}

// Centres of the dark stretches along a row or column of pixels, leaving out
// any cut off by either end.
std::vector<double> DarkRuns(const RgbaImage& image, int x0, int y0, int dx, int dy, int steps) {
  std::vector<double> centres;
  int start = -1;
  for (int k = 0; k <= steps; ++k) {
    const bool dark = k < steps && ColorAt(image, x0 + k * dx, y0 + k * dy).r < 100;
    if (dark && start < 0) start = k;
    if (!dark && start >= 0) {
      if (start > 0 && k < steps) centres.push_back((start + k - 1) / 2.0);
      start = -1;
    }
  }
  return centres;
}

TEST_F(SphereImpostor, TheSelectionWireLinesSitWhereTheMeshHasThem) {
  const Ref<Texture> selection = LoadTexture(kSelectionBitmap);
  SetMaterial(1, 1, 0);
  const RgbaImage rayCast = DrawSphere(true, selection.get());
  const RgbaImage mesh = DrawSphere(false, selection.get());
  struct Scan {
    int x0, y0, dx, dy;
  };
  // A row just above the centre crosses the meridians (the mesh's edges
  // between its rings bow inward by under two pixels there); a column left of
  // the centre crosses the latitudes and stays out of the pole bands.
  for (const Scan& scan :
       {Scan{kCenter - 85, kCenter - 8, 1, 0}, Scan{kCenter - 10, kCenter - 85, 0, 1}}) {
    const std::vector<double> expected = DarkRuns(mesh, scan.x0, scan.y0, scan.dx, scan.dy, 170);
    const std::vector<double> actual = DarkRuns(rayCast, scan.x0, scan.y0, scan.dx, scan.dy, 170);
    EXPECT_GE(expected.size(), 5u) << "scan from " << scan.x0 << ", " << scan.y0;
    ASSERT_EQ(actual.size(), expected.size()) << "scan from " << scan.x0 << ", " << scan.y0;
    for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 2.0) << i;
  }
}

TEST_F(SphereImpostor, TheTextureGoesRoundTheSameWayAsOnTheMesh) {
  // Four columns around, two rows from pole to pole; nearest filtering keeps them sharp.
  const std::vector<uint8_t> bmp = MakeBmp(
      4, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0x808080});
  Texture* made = nullptr;
  ASSERT_EQ(CreateTextureFromFileInMemory(device_.get(), bmp.data(), bmp.size(), &made), kOk);
  const Ref<Texture> texture(made);
  device_->SetRenderState(kRsLighting, 0);
  device_->SetSamplerState(0, kSampMinFilter, kTexfPoint);
  device_->SetSamplerState(0, kSampMagFilter, kTexfPoint);
  const RgbaImage rayCast = DrawSphere(true, texture.get());
  const RgbaImage mesh = DrawSphere(false, texture.get());
  for (int dx : {-50, 50})
    for (int dy : {-40, 40}) {
      EXPECT_TRUE(ColorNear(ColorAt(rayCast, kCenter + dx, kCenter + dy),
                            ColorAt(mesh, kCenter + dx, kCenter + dy), 0))
          << dx << ", " << dy;
    }
}

// Flat colours, so that which surface shows is all that counts: emissive
// spheres, and a plane of vertex colour drawn without lighting.
class SphereDepth : public GlScene {
 protected:
  void SetUp() override {
    GlScene::SetUp();
    sphere_ = LoadSphere();
  }
  void TearDown() override {
    sphere_ = nullptr;
    GlScene::TearDown();
  }
  // Twenty copies of each opaque sphere cover the target enough for the
  // depth-first two passes; one copy is drawn in a single pass.
  void DrawSphere(float x, float z, float r, float g, float b, uint32_t copies,
                  Texture* texture = nullptr) {
    device_->SetTexture(0, texture);
    SetWorld(3, x, 0, z);
    Material material;
    material.diffuse = {0, 0, 0, 1};  // its alpha is the colour's
    material.emissive = {r, g, b, 1};
    device_->SetMaterial(&material);
    for (uint32_t i = 0; i < copies; ++i) sphere_->DrawSubset(0);
  }

  Ref<Mesh> sphere_;
};

constexpr Rgb kWhite{255, 255, 255}, kGreen{0, 255, 0};

TEST_F(SphereDepth, TheNearerSurfaceOfTwoIntersectingSpheresShowsInEitherOrder) {
  // Radius 3 around (-1.5, 0, 150) and (1.5, 0, 149): the left one is nearer
  // up to x = 0.33, the right one beyond. Both lie nearer than half the depth
  // range, where a mistake in the depth of a quad shows. The right one has a
  // white texture, so that the run mixes textured and untextured spheres.
  const std::vector<uint8_t> bmp = MakeBmp(1, 1, {0xFFFFFF});
  Texture* made = nullptr;
  ASSERT_EQ(CreateTextureFromFileInMemory(device_.get(), bmp.data(), bmp.size(), &made), kOk);
  const Ref<Texture> white(made);
  for (uint32_t copies : {1u, 20u})
    for (bool leftFirst : {true, false}) {
      SCOPED_TRACE(copies);
      const RgbaImage image = RecordAndRender([&] {
        for (bool left : {leftFirst, !leftFirst}) {
          if (left)
            DrawSphere(-1.5f, 150, 1, 1, 1, copies);
          else
            DrawSphere(1.5f, 149, 0, 1, 0, copies, white.get());
        }
      });
      EXPECT_EQ(offscreen_->Renderer().LastStats().sphereImpostors, 2 * copies);
      for (float x : {-4.0f, -1.0f, 0.0f}) {
        EXPECT_TRUE(ColorNear(image, PixelX(x), PixelY(0.5f), kWhite, 0)) << x << " " << leftFirst;
      }
      for (float x : {0.8f, 2.0f, 4.0f}) {
        EXPECT_TRUE(ColorNear(image, PixelX(x), PixelY(0.5f), kGreen, 0)) << x << " " << leftFirst;
      }
    }
}

TEST_F(SphereDepth, ATranslucentSphereInFrontLetsTheOneBehindShowThrough) {
  // Enough opaque copies behind for two passes, if the translucent one allowed them.
  const RgbaImage image = RecordAndRender([&] {
    DrawSphere(1.5f, -1, 0, 1, 0, 20);
    SetWorld(3, -1.5f, 0, 0);
    Material material;
    material.diffuse = {0, 0, 0, 0.5f};
    material.emissive = {1, 1, 1, 1};
    device_->SetMaterial(&material);
    sphere_->DrawSubset(0);
  });
  EXPECT_EQ(offscreen_->Renderer().LastStats().sphereImpostors, 21u);
  EXPECT_EQ(offscreen_->Renderer().LastStats().meshDrawCalls, 1u);
  // Half white over the green sphere, half white over the background.
  EXPECT_TRUE(ColorNear(image, PixelX(0), PixelY(0.5f), {128, 255, 128}, 2));
  EXPECT_TRUE(ColorNear(image, PixelX(-3.5f), PixelY(0.5f), {144, 144, 144}, 2));
}

TEST_F(SphereDepth, APlaneThroughTheCentreShowsOnlyWhereItIsInFront) {
  // Tilted 45 degrees about x, the plane has z = y: in front of the sphere's
  // surface z = sqrt(9 - y * y) above y = 2.12 only.
  const Ref<Mesh> plane = MakeColoredSquare(*device_, 5, 0xFF00FF00);
  for (uint32_t copies : {1u, 20u})
    for (bool sphereFirst : {true, false}) {
      SCOPED_TRACE(copies);
      const RgbaImage image = RecordAndRender([&] {
        for (bool isSphere : {sphereFirst, !sphereFirst}) {
          if (isSphere) {
            DrawSphere(0, 0, 1, 1, 1, copies);
          } else {
            Matrix tilt;
            MatrixRotationYawPitchRoll(&tilt, 0, std::numbers::pi_v<float> / 4, 0);
            device_->SetTransform(kTsWorld, &tilt);
            device_->SetRenderState(kRsLighting, 0);
            plane->DrawSubset(0);
            device_->SetRenderState(kRsLighting, 1);
          }
        }
      });
      EXPECT_EQ(offscreen_->Renderer().LastStats().sphereImpostors, copies);
      for (float y : {-2.5f, -1.0f, 0.5f, 1.5f}) {
        EXPECT_TRUE(ColorNear(image, PixelX(0.3f), PixelY(y), kWhite, 0))
            << y << " " << sphereFirst;
      }
      for (float y : {2.5f, 2.9f}) {
        EXPECT_TRUE(ColorNear(image, PixelX(0.3f), PixelY(y), kGreen, 0))
            << y << " " << sphereFirst;
      }
    }
}

class SphereHiding : public GlScene {};

TEST_F(SphereHiding, SpheresThatNearerOnesHideAreLeftOutWithoutChangingAPixel) {
  struct Ball {
    float x, y, z, radius;
  };
  // Twenty spheres stacked behind a big one, half drawn before it; one wholly
  // off the target. Shown, in part: a sphere poking out of the big one's front
  // (its centre behind all of that surface it covers), one in front, one
  // behind peeking out at the side and one cut by the target's edge.
  std::vector<Ball> balls;
  for (int i = 0; i < 20; ++i)
    balls.push_back({i % 2 ? 0.3f : -0.3f, i % 4 < 2 ? 0.3f : -0.3f, -3.0f - i * 0.25f, 2});
  balls.insert(balls.begin() + 10, Ball{0, 0, 0, 5});
  for (const Ball& shown : {Ball{0, 0, 4.7f, 0.5f}, Ball{-2.5f, -2, 7, 1}, Ball{5, -3, -2, 2},
                            Ball{-8.5f, 2, 0, 2}, Ball{-11, 0, 0, 2}})
    balls.push_back(shown);
  const Ref<Mesh> sphere = LoadSphere();
  // One run leaves the hidden spheres out; a run per sphere, whose cover is
  // too thin to search, draws every one.
  auto draw = [&](bool runPerSphere) {
    return Render(*Record([&] {
      for (size_t i = 0; i < balls.size(); ++i) {
        if (runPerSphere) device_->SetRenderState(kRsDitherEnable, i % 2);
        const Ball& b = balls[i];
        SetWorld(b.radius, b.x, b.y, b.z);
        SetMaterial(0.2f + 0.03f * i, 1 - 0.03f * i, 0.5f);
        sphere->DrawSubset(0);
      }
    }));
  };
  const RgbaImage everySphere = draw(true);
  EXPECT_EQ(offscreen_->Renderer().LastStats().hiddenSpheres, 0u);
  EXPECT_EQ(offscreen_->Renderer().LastStats().meshDrawCalls, balls.size());
  const RgbaImage hiddenLeftOut = draw(false);
  EXPECT_EQ(offscreen_->Renderer().LastStats().hiddenSpheres, 21u);
  ASSERT_EQ(hiddenLeftOut.pixels.size(), everySphere.pixels.size());
  for (uint32_t y = 0; y < kHeight; ++y)
    for (uint32_t x = 0; x < kWidth; ++x)
      ASSERT_EQ(std::memcmp(hiddenLeftOut.At(x, y), everySphere.At(x, y), 3), 0) << x << ", " << y;
}

class UnitSphereCheck : public GlScene {};

TEST_F(UnitSphereCheck, TheSphereResourcePassesAndEveryKindOfFlawFails) {
  const Ref<Mesh> mesh = LoadSphere();
  const MeshGeometry sphere = *mesh->Geometry();
  ASSERT_EQ(UnitSphereSubset(sphere), 0u);

  auto vertexWhere = [&](const std::function<bool(Vector3, TexCoord)>& match) {
    for (uint32_t i = 0; i < sphere.vertexCount; ++i)
      if (match(sphere.Position(i), sphere.TexCoords(i))) return i;
    ADD_FAILURE() << "no such vertex";
    return 0u;
  };
  const uint32_t middle =
      vertexWhere([](Vector3 p, TexCoord uv) { return p.z > 0.5f && uv.v > 0.4f; });
  const uint32_t seam =
      vertexWhere([](Vector3 p, TexCoord uv) { return uv.u == 1 && std::abs(p.y) < 0.9f; });
  const uint32_t pole = vertexWhere([](Vector3 p, TexCoord) { return p.y == 1; });
  auto write = [](MeshGeometry& g, uint32_t vertex, int32_t offset, std::vector<float> values) {
    std::memcpy(&g.vertices[size_t{vertex} * g.layout.stride + offset], values.data(),
                values.size() * sizeof(float));
  };
  const int32_t normal = sphere.layout.normalOffset, uv = sphere.layout.texCoordOffset;
  const Vector3 p = sphere.Position(middle);
  const TexCoord t = sphere.TexCoords(middle);

  struct Case {
    const char* flaw;
    std::function<void(MeshGeometry&)> make;
    bool passes;
  };
  const Case cases[] = {
      {"u 0 for 1 on the seam",
       [&](MeshGeometry& g) {
         write(g, seam, uv, {0, g.TexCoords(seam).v});
       },
       true},
      {"any u at a pole",
       [&](MeshGeometry& g) {
         write(g, pole, uv, {0.3f, 0});
       },
       true},
      {"a vertex off the sphere",
       [&](MeshGeometry& g) {
         write(g, middle, 0, {p.x * 1.001f, p.y * 1.001f, p.z * 1.001f});
       },
       false},
      {"a normal askew",
       [&](MeshGeometry& g) {
         write(g, middle, normal, {p.x + 0.01f, p.y, p.z});
       },
       false},
      {"u off the azimuth",
       [&](MeshGeometry& g) {
         write(g, middle, uv, {t.u + 0.01f, t.v});
       },
       false},
      {"v off the polar angle",
       [&](MeshGeometry& g) {
         write(g, middle, uv, {t.u, t.v - 0.01f});
       },
       false},
      {"a face in another subset", [](MeshGeometry& g) { g.attributes[5] = 1; }, false},
      {"a face missing", [](MeshGeometry& g) { --g.faceCount; }, false},
      {"a face wound inward", [](MeshGeometry& g) { std::swap(g.indices[0], g.indices[1]); },
       false},
      {"a corner out of range",
       [](MeshGeometry& g) { g.indices[2] = static_cast<uint16_t>(g.vertexCount); }, false},
      {"vertex colours", [](MeshGeometry& g) { g.layout.diffuseOffset = 24; }, false},
  };
  for (const Case& c : cases) {
    MeshGeometry changed = sphere;
    c.make(changed);
    EXPECT_EQ(UnitSphereSubset(changed).has_value(), c.passes) << c.flaw;
  }
}

}  // namespace
}  // namespace tf::test
