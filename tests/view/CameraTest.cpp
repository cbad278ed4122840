#include <gtest/gtest.h>

#include <cmath>
#include <future>
#include <memory>

#include "model/MoleculeStore.h"
#include "support/TestStore.h"
#include "view/Camera.h"
#include "view/CameraOperations.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

using test::MakeTestStore;
using test::PutAtom;

void ZoomTimes(MoleculeStore& store, int times, int32_t step) {
  for (int i = 0; i < times; ++i) Zoom(store, step);
}

bool MatricesEqual(const Matrix& a, const Matrix& b) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      if (a.m[r][c] != b.m[r][c]) return false;
  return true;
}

bool IsIdentity(const Matrix& m) {
  Matrix identity;
  MatrixIdentity(&identity);
  return MatricesEqual(m, identity);
}

TEST(Camera, ZoomInAccumulatesInSinglePrecisionUpToTheLimit) {
  auto store = MakeTestStore();
  Camera& camera = store->camera;
  ZoomTimes(*store, 10, +1);
  EXPECT_LT(camera.zoom, 3.0f);
  EXPECT_NEAR(camera.zoom, 2.999999f, 2e-6f);
  EXPECT_EQ(GridStep(camera), 0.5f);
  Zoom(*store, +1);
  EXPECT_NEAR(camera.zoom, 3.099999f, 2e-6f);
  EXPECT_EQ(GridStep(camera), 1.0f / 3.0f);

  ZoomTimes(*store, 19, +1);  // thirty in all
  EXPECT_LT(camera.zoom, 5.0f);
  EXPECT_NEAR(camera.zoom, 4.999997f, 2e-6f);
  EXPECT_EQ(GridStep(camera), 0.25f);
  Zoom(*store, +1);
  EXPECT_EQ(camera.zoom, kMaxZoom);
  EXPECT_EQ(GridStep(camera), 0.2f);
  Zoom(*store, +7);
  EXPECT_EQ(camera.zoom, kMaxZoom);
}

TEST(Camera, ZoomOutStopsAtTheLowerLimit) {
  auto store = MakeTestStore();
  Camera& camera = store->camera;
  ZoomTimes(*store, 17, -1);
  EXPECT_GT(camera.zoom, kMinZoom);
  EXPECT_NEAR(camera.zoom, 0.2999997f, 2e-7f);
  EXPECT_EQ(GridStep(camera), 3.0f);
  Zoom(*store, -1);
  EXPECT_EQ(camera.zoom, kMinZoom);
  EXPECT_EQ(GridStep(camera), 5.0f);
  Zoom(*store, -100);
  EXPECT_EQ(camera.zoom, kMinZoom);
  EXPECT_EQ(camera.viewWidth, 800.0f / kMinZoom / 20.0f);
}

TEST(Camera, GridStepBySpacingBand) {
  struct Case {
    float zoom, step;
  };
  const Case cases[] = {{0.2f, 5},    {0.3f, 3},        {0.4f, 2},      {0.5f, 2},
                        {0.6f, 1},    {1.0f, 1},        {1.5f, 1},      {2.0f, 0.5f},
                        {2.9f, 0.5f}, {3.0f, 1.0f / 3}, {4.99f, 0.25f}, {5.0f, 0.2f}};
  Camera camera{};
  for (const Case& c : cases) {
    camera.zoom = c.zoom;
    EXPECT_EQ(GridStep(camera), c.step) << "zoom " << c.zoom;
  }
}

TEST(Camera, ZoomRecomputesTheProjectionAndFollowsAResize) {
  auto store = MakeTestStore();
  Camera& camera = store->camera;
  EXPECT_EQ(camera.viewWidth, 20.0f);  // 800 pixels at zoom 2
  Matrix ortho;
  MatrixOrthoRH(&ortho, 20.0f, 15.0f, -200.0f, 200.0f);
  EXPECT_TRUE(MatricesEqual(camera.projectionMatrix, ortho));

  camera.viewportWidth = 1000;
  camera.viewportHeight = 500;
  Zoom(*store, 0);
  EXPECT_EQ(camera.zoom, 2.0f);
  EXPECT_EQ(camera.viewWidth, 25.0f);  // same 40 pixels per unit
  MatrixOrthoRH(&ortho, 25.0f, 12.5f, -200.0f, 200.0f);
  EXPECT_TRUE(MatricesEqual(camera.projectionMatrix, ortho));
}

TEST(Camera, MatricesGoToTheDeviceAndTheGridIsRebuiltUnderRenderLock) {
  auto store = MakeTestStore();
  GraphicsDevice device;
  store->graphics.device = &device;
  int rebuilds = 0;
  bool lockedElsewhere = false;
  store->graphics.rebuildGrid = [&] {
    ++rebuilds;
    // Another thread must not get the lock while the grid is rebuilt.
    auto other = std::async(std::launch::async, [&] {
      const bool got = store->renderLock.try_lock();
      if (got) store->renderLock.unlock();
      return got;
    });
    lockedElsewhere = other.get();
  };

  Pan(*store, 15, -5);
  Zoom(*store, +3);
  EXPECT_TRUE(MatricesEqual(device.Transform(kTsView), store->camera.viewMatrix));
  EXPECT_TRUE(MatricesEqual(device.Transform(kTsProjection), store->camera.projectionMatrix));
  EXPECT_EQ(device.Transform(kTsView).m[3][0], -1.5f);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_FALSE(lockedElsewhere);

  ResetView(*store);
  EXPECT_EQ(rebuilds, 2);
  EXPECT_TRUE(MatricesEqual(device.Transform(kTsView), store->camera.viewMatrix));
  EXPECT_EQ(device.Transform(kTsView).m[3][0], 0.0f);
  EXPECT_EQ(device.Transform(kTsProjection).m[0][0], 0.1f);
}

TEST(Camera, PanMovesEyeAndTargetTogetherAndResetRestoresTheView) {
  auto store = MakeTestStore();
  Camera& camera = store->camera;
  PutAtom(*store, 1.0f, 0.0f, 0.0f);
  RotateModel(*store, 30, 0);
  const Atom rotated = store->atoms[0];
  const Matrix rotation = camera.rotation;

  Pan(*store, -20, 0);
  EXPECT_EQ(camera.eye.x, -2.0f);
  EXPECT_EQ(camera.target.x, -2.0f);
  EXPECT_EQ(camera.eye.z, 20.0f);
  // The world origin now appears 2 units (80 pixels) right of the centre.
  EXPECT_FLOAT_EQ(WorldToScreen(camera, 0.0f, 0.0f).x, 480.0f);

  Pan(*store, 20, 35);
  Zoom(*store, +4);
  ResetView(*store);
  EXPECT_EQ(camera.eye.x, 0.0f);
  EXPECT_EQ(camera.eye.y, 0.0f);
  EXPECT_EQ(camera.eye.z, 20.0f);
  EXPECT_EQ(camera.target.x, 0.0f);
  EXPECT_EQ(camera.target.y, 0.0f);
  EXPECT_EQ(camera.target.z, 0.0f);
  EXPECT_EQ(camera.zoom, 2.0f);
  EXPECT_EQ(camera.viewWidth, 20.0f);
  EXPECT_EQ(store->atoms[0].x, rotated.x);
  EXPECT_EQ(store->atoms[0].z, rotated.z);
  EXPECT_TRUE(MatricesEqual(camera.rotation, rotation));
}

TEST(Camera, CentrePixelMapsToTheEyeBothWays) {
  auto store = MakeTestStore();
  Camera& camera = store->camera;
  Pan(*store, 13, -7);
  Zoom(*store, +5);
  const Vector2 world = ScreenToWorld(camera, 400, 300);
  EXPECT_EQ(world.x, camera.eye.x);
  EXPECT_EQ(world.y, camera.eye.y);
  const Vector2 pixel = WorldToScreen(camera, camera.eye.x, camera.eye.y);
  EXPECT_EQ(pixel.x, 400.0f);
  EXPECT_EQ(pixel.y, 300.0f);
}

TEST(Camera, MappingsFollowScreenAxesAndRoundTrip) {
  auto store = MakeTestStore();
  Camera& camera = store->camera;
  // Top-left pixel: left and top edge of the 20 x 15 unit view.
  const Vector2 corner = ScreenToWorld(camera, 0, 0);
  EXPECT_EQ(corner.x, -10.0f);
  EXPECT_EQ(corner.y, 7.5f);
  const Vector2 delta = ScreenDeltaToWorld(camera, 40, 80);
  EXPECT_EQ(delta.x, 1.0f);
  EXPECT_EQ(delta.y, -2.0f);

  Pan(*store, 7, 3);
  Zoom(*store, -7);
  for (int32_t px : {0, 1, 123, 399, 799}) {
    for (int32_t py : {0, 57, 300, 599}) {
      const Vector2 world = ScreenToWorld(camera, px, py);
      const Vector2 back = WorldToScreen(camera, world.x, world.y);
      EXPECT_NEAR(back.x, static_cast<float>(px), 1e-3f) << px << "," << py;
      EXPECT_NEAR(back.y, static_cast<float>(py), 1e-3f) << px << "," << py;
      // A movement from the centre maps to the same displacement.
      const Vector2 centre = ScreenToWorld(camera, 400, 300);
      const Vector2 moved = ScreenDeltaToWorld(camera, px - 400, py - 300);
      EXPECT_NEAR(centre.x + moved.x, world.x, 1e-4f);
      EXPECT_NEAR(centre.y + moved.y, world.y, 1e-4f);
    }
  }
}

TEST(Camera, MappingIsUnusableWithoutAViewport) {
  auto store = std::make_unique<MoleculeStore>();
  EXPECT_FALSE(CameraMapsPixels(store->camera));
  store->camera.viewportWidth = 640;
  store->camera.viewportHeight = 480;
  EXPECT_FALSE(CameraMapsPixels(store->camera));  // no zoom yet
  ResetView(*store);
  EXPECT_TRUE(CameraMapsPixels(store->camera));
  store->camera.viewportHeight = 0;
  Zoom(*store, 0);
  EXPECT_FALSE(CameraMapsPixels(store->camera));
}

TEST(Camera, RotateModelTurnsAtomsAboutTheOriginAndAccumulates) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, 2.0f);
  PutAtom(*store, 1.0f, 1.0f, 0.0f);

  RotateModel(*store, 0, 0);
  EXPECT_EQ(store->atoms[0].z, 2.0f);
  EXPECT_EQ(store->atoms[1].x, 1.0f);
  EXPECT_TRUE(IsIdentity(store->camera.rotation));

  RotateModel(*store, 45, 0);
  RotateModel(*store, 45, 0);
  // Ninety degrees of yaw: the near atom moves to +x, the other behind.
  EXPECT_NEAR(store->atoms[0].x, 2.0f, 1e-5f);
  EXPECT_NEAR(store->atoms[0].z, 0.0f, 1e-5f);
  EXPECT_NEAR(store->atoms[1].x, 0.0f, 1e-5f);
  EXPECT_NEAR(store->atoms[1].y, 1.0f, 1e-6f);
  EXPECT_NEAR(store->atoms[1].z, -1.0f, 1e-5f);
  Matrix quarter;
  MatrixRotationYawPitchRoll(&quarter, std::numbers::pi_v<float> / 2.0f, 0, 0);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(store->camera.rotation.m[r][c], quarter.m[r][c], 1e-6f);

  RotateModel(*store, 0, 90);  // pitch moves the near side down, the far side up
  EXPECT_NEAR(store->atoms[1].y, 1.0f, 1e-5f);
  EXPECT_NEAR(store->atoms[1].z, 1.0f, 1e-5f);
  // The view itself never turns.
  EXPECT_EQ(store->camera.viewMatrix.m[0][0], 1.0f);
  EXPECT_EQ(store->camera.viewMatrix.m[2][2], 1.0f);
}

TEST(Camera, RotateModelWithoutAtomsOnlyAccumulatesTheRotation) {
  auto store = MakeTestStore();
  store->atoms[0].x = 3.0f;  // stale record past the count
  RotateModel(*store, 90, 0);
  EXPECT_EQ(store->atoms[0].x, 3.0f);
  EXPECT_NEAR(store->camera.rotation.m[0][2], -1.0f, 1e-6f);
  EXPECT_NEAR(store->camera.rotation.m[2][0], 1.0f, 1e-6f);
}

}  // namespace
}  // namespace tf

namespace tf {
namespace {

TEST(Camera, FitZoomStepsOutUntilTheMoleculeFitsBelowTheToolbar) {
  auto store = MakeTestStore();  // 800 x 600, toolbar 24, 40 pixels per unit
  store->modelStyle = kBallStick;
  PutAtom(*store, -2, 0, 0);
  PutAtom(*store, 2, 0, 0);
  FitZoom(*store);
  EXPECT_EQ(store->camera.zoom, 2.0f) << "a small molecule is never zoomed into";

  // Drawn from y = -6.4 to 6.4: pixels 44 to 556 at zoom 2, inside 24 .. 600.
  PutAtom(*store, 0, 6, 0);
  PutAtom(*store, 0, -6, 0);
  FitZoom(*store);
  EXPECT_EQ(store->camera.zoom, 2.0f);

  PutAtom(*store, 0, 10, 0);
  FitZoom(*store);
  // Top at 10.4 units: 300 - 10.4 * 20 * zoom >= 24 gives zoom <= 1.327.
  EXPECT_NEAR(store->camera.zoom, 1.3f, 1e-5f);

  PutAtom(*store, 500, 0, 0);
  FitZoom(*store);
  EXPECT_EQ(store->camera.zoom, kMinZoom);
}

}  // namespace
}  // namespace tf
