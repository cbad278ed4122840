#include <gtest/gtest.h>

#include <cmath>

#include "support/GraphicsStore.h"
#include "support/ShippedConfig.h"
#include "view/CreationFailures.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

using test::DrawAndTake;
using test::StartGraphics;

TEST(GraphicsStartup, StartsTheDeviceWithTheFixedStateAndAnEmptyDocument) {
  auto store = StartGraphics(700, 600, 24);
  const GraphicsDevice& device = *store->graphics.device;
  EXPECT_EQ(device.Parameters().backBufferWidth, 700u);
  EXPECT_EQ(device.Parameters().backBufferHeight, 600u);
  EXPECT_EQ(device.Parameters().autoDepthStencilFormat, kFormatD16);
  EXPECT_EQ(store->camera.presentRect.top, 24);
  EXPECT_EQ(store->camera.presentRect.right, 700);
  EXPECT_EQ(store->camera.zoom, 2.0f);
  EXPECT_EQ(store->modelStyle, kBallStick);
  EXPECT_EQ(store->selectionTool, kSelectTool);
  EXPECT_GT(store->tables.atomTypeCount, 0u);
  EXPECT_EQ(store->atomCount, 0u);

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
  EXPECT_EQ(store->graphics.grid.gridStep, 0.5f);
}

TEST(GraphicsStartup, FailsAtEachCreationStepAndReleasesWhatItMade) {
  for (CreationKind kind : {CreationKind::kDirect3D, CreationKind::kDevice, CreationKind::kFont,
                            CreationKind::kLine, CreationKind::kTexture, CreationKind::kXMesh,
                            CreationKind::kCylinder, CreationKind::kMeshFvf}) {
    ScopedCreationFailure failure(kind);
    auto store = std::make_unique<MoleculeStore>();
    store->shell.clientSize = [] { return ClientSize{700, 600}; };
    EXPECT_EQ(InitGraphics(*store, 0), 1) << "creation kind " << static_cast<int>(kind);
    ReleaseGraphics(*store);
    EXPECT_EQ(store->graphics.device, nullptr);
    EXPECT_EQ(store->graphics.grid.planeMesh, nullptr);
  }
  auto store = std::make_unique<MoleculeStore>();
  store->configPath = "no-such-folder/config.ini";
  EXPECT_EQ(InitGraphics(*store, 0), 1);
  ReleaseGraphics(*store);
}

TEST(GraphicsStartup, RedrawSkipsALostDeviceAndResetsANotResetOne) {
  auto store = StartGraphics();
  GraphicsDevice& device = *store->graphics.device;
  EXPECT_NE(DrawAndTake(*store), nullptr);

  device.SetCooperativeLevel(CooperativeLevel::kLost);
  EXPECT_EQ(DrawAndTake(*store), nullptr);

  device.SetCooperativeLevel(CooperativeLevel::kNotReset);
  auto frame = DrawAndTake(*store);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(device.TestCooperativeLevel(), kOk);
  EXPECT_EQ(device.RenderState(kRsAmbient), 0xFF404040u);
  EXPECT_EQ(device.SamplerState(0, kSampMinFilter), kTexfLinear);
  EXPECT_TRUE(device.LightEnabled(0));
  EXPECT_EQ(frame->StateOf(*frame->ItemsOf<MeshItem>()[0]).renderStates[kRsCullMode], kCullCw);
}

TEST(GraphicsStartup, ResizeKeepsThePixelScaleAndTheToolbarStrip) {
  auto store = StartGraphics(700, 600, 24);
  const float pixelsPerUnit = 700 / store->camera.viewWidth;
  Resize(*store, 1000, 800);
  EXPECT_FLOAT_EQ(1000 / store->camera.viewWidth, pixelsPerUnit);
  EXPECT_EQ(store->camera.presentRect.top, 24);
  EXPECT_EQ(store->camera.presentRect.bottom, 800);
  EXPECT_EQ(store->graphics.device->Parameters().backBufferWidth, 1000u);
  auto frame = DrawAndTake(*store);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->backBufferHeight, 800u);

  Resize(*store, 0, 0);  // minimised: the projection waits for a real size
  EXPECT_TRUE(std::isfinite(store->camera.viewWidth));
  Resize(*store, 500, 400);
  EXPECT_FLOAT_EQ(500 / store->camera.viewWidth, pixelsPerUnit);
}

}  // namespace
}  // namespace tf
