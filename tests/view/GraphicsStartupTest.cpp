#include <gtest/gtest.h>

#include <cmath>

#include "support/FailureSwitches.h"
#include "support/ShippedConfig.h"
#include "support/TestRecords.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

using test::DrawAndTake;
using test::Records;
using test::StartGraphics;

TEST(GraphicsStartup, StartsTheDeviceWithTheFixedStateAndAnEmptyDocument) {
  auto records = StartGraphics(700, 600, 24);
  const GraphicsDevice& device = *records->resources.device;
  EXPECT_EQ(device.Parameters().backBufferWidth, 700u);
  EXPECT_EQ(device.Parameters().backBufferHeight, 600u);
  EXPECT_EQ(device.Parameters().autoDepthStencilFormat, kFormatD16);
  EXPECT_EQ(records->view.camera.presentRect.top, 24);
  EXPECT_EQ(records->view.camera.presentRect.right, 700);
  EXPECT_EQ(records->view.camera.zoom, 2.0f);
  EXPECT_EQ(records->view.modelStyle, kBallStick);
  EXPECT_EQ(records->view.selectionTool, kSelectTool);
  EXPECT_GT(records->tables.atomTypeCount, 0u);
  EXPECT_EQ(records->document.atomCount, 0u);

  EXPECT_TRUE(device.LightEnabled(0));
  const Light light = device.LightAt(0);
  EXPECT_EQ(light.type, kLightDirectional);
  EXPECT_NEAR(light.direction.x, 1 / std::sqrt(3.0f), 1e-6f);
  EXPECT_NEAR(light.direction.y, -1 / std::sqrt(3.0f), 1e-6f);
  EXPECT_EQ(device.RenderState(kRsAmbient), 0xFF404040u);
  EXPECT_EQ(device.RenderState(kRsCullMode), kCullCw);
  EXPECT_EQ(device.RenderState(kRsAlphaBlendEnable), 1u);
  EXPECT_EQ(device.RenderState(kRsSrcBlend), kBlendSrcAlpha);
  EXPECT_EQ(device.RenderState(kRsDestBlend), kBlendInvSrcAlpha);
  EXPECT_EQ(device.SamplerState(0, kSampMinFilter), kTexfLinear);
  EXPECT_EQ(device.SamplerState(0, kSampMagFilter), kTexfLinear);
  // 700 pixels at 40 pixels per unit.
  EXPECT_FLOAT_EQ(device.Transform(kTsProjection).m[0][0], 2.0f / 17.5f);
  EXPECT_EQ(records->resources.grid.gridStep, 0.5f);
}

TEST(GraphicsStartup, FailsAtEachCreationStepAndReleasesWhatItMade) {
  for (CreationKind kind : {CreationKind::kDirect3D, CreationKind::kDevice, CreationKind::kFont,
                            CreationKind::kLine, CreationKind::kTexture, CreationKind::kXMesh,
                            CreationKind::kCylinder, CreationKind::kMeshFvf}) {
    ScopedCreationFailure failure(kind);
    auto records = std::make_unique<Records>();
    EXPECT_EQ(InitGraphics(records->resources, records->view, 700, 600, 0), 1)
        << "creation kind " << static_cast<int>(kind);
    ReleaseGraphics(records->resources);
    EXPECT_EQ(records->resources.device, nullptr);
    EXPECT_EQ(records->resources.grid.planeMesh, nullptr);
  }
}

TEST(GraphicsStartup, RedrawSkipsALostDeviceAndResetsANotResetOne) {
  auto records = StartGraphics();
  GraphicsDevice& device = *records->resources.device;
  EXPECT_NE(DrawAndTake(*records), nullptr);

  device.SetCooperativeLevel(CooperativeLevel::kLost);
  EXPECT_EQ(DrawAndTake(*records), nullptr);

  device.SetCooperativeLevel(CooperativeLevel::kNotReset);
  auto frame = DrawAndTake(*records);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(device.TestCooperativeLevel(), kOk);
  EXPECT_EQ(device.RenderState(kRsAmbient), 0xFF404040u);
  EXPECT_EQ(device.SamplerState(0, kSampMinFilter), kTexfLinear);
  EXPECT_TRUE(device.LightEnabled(0));
  EXPECT_EQ(frame->StateOf(*frame->ItemsOf<MeshItem>()[0]).renderStates[kRsCullMode], kCullCw);
}

TEST(GraphicsStartup, ResizeKeepsThePixelScaleAndTheToolbarStrip) {
  auto records = StartGraphics(700, 600, 24);
  const float pixelsPerUnit = 700 / records->view.camera.viewWidth;
  Resize(records->resources, records->view, 1000, 800);
  EXPECT_FLOAT_EQ(1000 / records->view.camera.viewWidth, pixelsPerUnit);
  EXPECT_EQ(records->view.camera.presentRect.top, 24);
  EXPECT_EQ(records->view.camera.presentRect.bottom, 800);
  EXPECT_EQ(records->resources.device->Parameters().backBufferWidth, 1000u);
  auto frame = DrawAndTake(*records);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->backBufferHeight, 800u);

  Resize(records->resources, records->view, 0,
         0);  // minimised: the projection waits for a real size
  EXPECT_TRUE(std::isfinite(records->view.camera.viewWidth));
  Resize(records->resources, records->view, 500, 400);
  EXPECT_FLOAT_EQ(500 / records->view.camera.viewWidth, pixelsPerUnit);
}

}  // namespace
}  // namespace tf
