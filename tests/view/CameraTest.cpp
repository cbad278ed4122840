#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "model/Document.h"
#include "support/TestRecords.h"
#include "view/Camera.h"
#include "view/CameraOperations.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

using test::MakeTestRecords;
using test::PutAtom;
using test::Records;

void ZoomTimes(Records& records, int times, int32_t step) {
  for (int i = 0; i < times; ++i) Zoom(records.view, records.resources, step);
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
  auto records = MakeTestRecords();
  Camera& camera = records->view.camera;
  ZoomTimes(*records, 10, +1);
  EXPECT_LT(camera.zoom, 3.0f);
  EXPECT_NEAR(camera.zoom, 2.999999f, 2e-6f);
  EXPECT_EQ(GridStep(camera), 0.5f);
  Zoom(records->view, records->resources, +1);
  EXPECT_NEAR(camera.zoom, 3.099999f, 2e-6f);
  EXPECT_EQ(GridStep(camera), 1.0f / 3.0f);

  ZoomTimes(*records, 19, +1);  // thirty in all
  EXPECT_LT(camera.zoom, 5.0f);
  EXPECT_NEAR(camera.zoom, 4.999997f, 2e-6f);
  EXPECT_EQ(GridStep(camera), 0.25f);
  Zoom(records->view, records->resources, +1);
  EXPECT_EQ(camera.zoom, kMaxZoom);
  EXPECT_EQ(GridStep(camera), 0.2f);
  Zoom(records->view, records->resources, +7);
  EXPECT_EQ(camera.zoom, kMaxZoom);
}

TEST(Camera, ZoomOutStopsAtTheLowerLimit) {
  auto records = MakeTestRecords();
  Camera& camera = records->view.camera;
  ZoomTimes(*records, 17, -1);
  EXPECT_GT(camera.zoom, kMinZoom);
  EXPECT_NEAR(camera.zoom, 0.2999997f, 2e-7f);
  EXPECT_EQ(GridStep(camera), 3.0f);
  Zoom(records->view, records->resources, -1);
  EXPECT_EQ(camera.zoom, kMinZoom);
  EXPECT_EQ(GridStep(camera), 5.0f);
  Zoom(records->view, records->resources, -100);
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
  auto records = MakeTestRecords();
  Camera& camera = records->view.camera;
  EXPECT_EQ(camera.viewWidth, 20.0f);  // 800 pixels at zoom 2
  Matrix ortho;
  MatrixOrthoRH(&ortho, 20.0f, 15.0f, -200.0f, 200.0f);
  EXPECT_TRUE(MatricesEqual(camera.projectionMatrix, ortho));

  camera.viewportWidth = 1000;
  camera.viewportHeight = 500;
  Zoom(records->view, records->resources, 0);
  EXPECT_EQ(camera.zoom, 2.0f);
  EXPECT_EQ(camera.viewWidth, 25.0f);  // same 40 pixels per unit
  MatrixOrthoRH(&ortho, 25.0f, 12.5f, -200.0f, 200.0f);
  EXPECT_TRUE(MatricesEqual(camera.projectionMatrix, ortho));
}

TEST(Camera, EachFrameHandsTheCameraMatricesToTheDeviceWithTheGridOfItsZoom) {
  auto records = test::StartGraphics(700, 600, 24);
  GraphicsDevice& device = *records->resources.device;
  Pan(records->view, records->resources, 15, -5);
  Zoom(records->view, records->resources, +3);
  ASSERT_NE(test::DrawAndTake(*records), nullptr);
  EXPECT_TRUE(MatricesEqual(device.Transform(kTsView), records->view.camera.viewMatrix));
  EXPECT_TRUE(
      MatricesEqual(device.Transform(kTsProjection), records->view.camera.projectionMatrix));
  EXPECT_EQ(device.Transform(kTsView).m[3][0], -1.5f);
  EXPECT_EQ(records->resources.grid.gridStep, GridStep(records->view.camera));

  ResetView(records->view, records->resources);
  ASSERT_NE(test::DrawAndTake(*records), nullptr);
  // 700 pixels at 40 pixels per unit.
  EXPECT_FLOAT_EQ(device.Transform(kTsProjection).m[0][0], 2.0f / 17.5f);
  EXPECT_EQ(records->resources.grid.gridStep, 0.5f);
}

TEST(Camera, PanMovesEyeAndTargetTogetherAndResetRestoresTheView) {
  auto records = MakeTestRecords();
  Camera& camera = records->view.camera;
  PutAtom(records->document, 1.0f, 0.0f, 0.0f);
  RotateModel(records->view, records->resources, records->document, 30, 0);
  const Atom rotated = records->document.atoms[0];
  const Matrix rotation = camera.rotation;

  Pan(records->view, records->resources, -20, 0);
  EXPECT_EQ(camera.eye.x, -2.0f);
  EXPECT_EQ(camera.target.x, -2.0f);
  EXPECT_EQ(camera.eye.z, 20.0f);
  // The world origin now appears 2 units (80 pixels) right of the centre.
  EXPECT_FLOAT_EQ(WorldToScreen(camera, 0.0f, 0.0f).x, 480.0f);

  Pan(records->view, records->resources, 20, 35);
  Zoom(records->view, records->resources, +4);
  ResetView(records->view, records->resources);
  EXPECT_EQ(camera.eye.x, 0.0f);
  EXPECT_EQ(camera.eye.y, 0.0f);
  EXPECT_EQ(camera.eye.z, 20.0f);
  EXPECT_EQ(camera.target.x, 0.0f);
  EXPECT_EQ(camera.target.y, 0.0f);
  EXPECT_EQ(camera.target.z, 0.0f);
  EXPECT_EQ(camera.zoom, 2.0f);
  EXPECT_EQ(camera.viewWidth, 20.0f);
  EXPECT_EQ(records->document.atoms[0].x, rotated.x);
  EXPECT_EQ(records->document.atoms[0].z, rotated.z);
  EXPECT_TRUE(MatricesEqual(camera.rotation, rotation));
}

TEST(Camera, CentrePixelMapsToTheEyeBothWays) {
  auto records = MakeTestRecords();
  Camera& camera = records->view.camera;
  Pan(records->view, records->resources, 13, -7);
  Zoom(records->view, records->resources, +5);
  const Vector2 world = ScreenToWorld(camera, 400, 300);
  EXPECT_EQ(world.x, camera.eye.x);
  EXPECT_EQ(world.y, camera.eye.y);
  const Vector2 pixel = WorldToScreen(camera, camera.eye.x, camera.eye.y);
  EXPECT_EQ(pixel.x, 400.0f);
  EXPECT_EQ(pixel.y, 300.0f);
}

TEST(Camera, MappingsFollowScreenAxesAndRoundTrip) {
  auto records = MakeTestRecords();
  Camera& camera = records->view.camera;
  // Top-left pixel: left and top edge of the 20 x 15 unit view.
  const Vector2 corner = ScreenToWorld(camera, 0, 0);
  EXPECT_EQ(corner.x, -10.0f);
  EXPECT_EQ(corner.y, 7.5f);
  const Vector2 delta = ScreenDeltaToWorld(camera, 40, 80);
  EXPECT_EQ(delta.x, 1.0f);
  EXPECT_EQ(delta.y, -2.0f);

  Pan(records->view, records->resources, 7, 3);
  Zoom(records->view, records->resources, -7);
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
  auto records = std::make_unique<Records>();
  EXPECT_FALSE(CameraMapsPixels(records->view.camera));
  records->view.camera.viewportWidth = 640;
  records->view.camera.viewportHeight = 480;
  EXPECT_FALSE(CameraMapsPixels(records->view.camera));  // no zoom yet
  ResetView(records->view, records->resources);
  EXPECT_TRUE(CameraMapsPixels(records->view.camera));
  records->view.camera.viewportHeight = 0;
  Zoom(records->view, records->resources, 0);
  EXPECT_FALSE(CameraMapsPixels(records->view.camera));
}

TEST(Camera, RotateModelTurnsAtomsAboutTheOriginAndAccumulates) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, 2.0f);
  PutAtom(records->document, 1.0f, 1.0f, 0.0f);

  RotateModel(records->view, records->resources, records->document, 0, 0);
  EXPECT_EQ(records->document.atoms[0].z, 2.0f);
  EXPECT_EQ(records->document.atoms[1].x, 1.0f);
  EXPECT_TRUE(IsIdentity(records->view.camera.rotation));

  RotateModel(records->view, records->resources, records->document, 45, 0);
  RotateModel(records->view, records->resources, records->document, 45, 0);
  // Ninety degrees of yaw: the near atom moves to +x, the other behind.
  EXPECT_NEAR(records->document.atoms[0].x, 2.0f, 1e-5f);
  EXPECT_NEAR(records->document.atoms[0].z, 0.0f, 1e-5f);
  EXPECT_NEAR(records->document.atoms[1].x, 0.0f, 1e-5f);
  EXPECT_NEAR(records->document.atoms[1].y, 1.0f, 1e-6f);
  EXPECT_NEAR(records->document.atoms[1].z, -1.0f, 1e-5f);
  Matrix quarter;
  MatrixRotationYawPitchRoll(&quarter, std::numbers::pi_v<float> / 2.0f, 0, 0);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      EXPECT_NEAR(records->view.camera.rotation.m[r][c], quarter.m[r][c], 1e-6f);

  RotateModel(records->view, records->resources, records->document, 0,
              90);  // pitch moves the near side down, the far side up
  EXPECT_NEAR(records->document.atoms[1].y, 1.0f, 1e-5f);
  EXPECT_NEAR(records->document.atoms[1].z, 1.0f, 1e-5f);
  // The view itself never turns.
  EXPECT_EQ(records->view.camera.viewMatrix.m[0][0], 1.0f);
  EXPECT_EQ(records->view.camera.viewMatrix.m[2][2], 1.0f);
}

TEST(Camera, RotateModelWithoutAtomsOnlyAccumulatesTheRotation) {
  auto records = MakeTestRecords();
  records->document.atoms[0].x = 3.0f;  // stale record past the count
  RotateModel(records->view, records->resources, records->document, 90, 0);
  EXPECT_EQ(records->document.atoms[0].x, 3.0f);
  EXPECT_NEAR(records->view.camera.rotation.m[0][2], -1.0f, 1e-6f);
  EXPECT_NEAR(records->view.camera.rotation.m[2][0], 1.0f, 1e-6f);
}

}  // namespace
}  // namespace tf

namespace tf {
namespace {

TEST(Camera, FitZoomStepsOutUntilTheMoleculeFitsBelowTheToolbar) {
  auto records = MakeTestRecords();  // 800 x 600, toolbar 24, 40 pixels per unit
  records->view.modelStyle = kBallStick;
  PutAtom(records->document, -2, 0, 0);
  PutAtom(records->document, 2, 0, 0);
  FitZoom(records->view, records->resources, records->document, records->tables);
  EXPECT_EQ(records->view.camera.zoom, 2.0f) << "a small molecule is never zoomed into";

  // Drawn from y = -6.4 to 6.4: pixels 44 to 556 at zoom 2, inside 24 .. 600.
  PutAtom(records->document, 0, 6, 0);
  PutAtom(records->document, 0, -6, 0);
  FitZoom(records->view, records->resources, records->document, records->tables);
  EXPECT_EQ(records->view.camera.zoom, 2.0f);

  PutAtom(records->document, 0, 10, 0);
  FitZoom(records->view, records->resources, records->document, records->tables);
  // Top at 10.4 units: 300 - 10.4 * 20 * zoom >= 24 gives zoom <= 1.327.
  EXPECT_NEAR(records->view.camera.zoom, 1.3f, 1e-5f);

  PutAtom(records->document, 500, 0, 0);
  FitZoom(records->view, records->resources, records->document, records->tables);
  EXPECT_EQ(records->view.camera.zoom, kMinZoom);
}

}  // namespace
}  // namespace tf
