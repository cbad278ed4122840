// Cost of replaying one recorded frame of a large molecule offscreen and
// reading it back: spheres and bond cylinders, each run of the same mesh one
// instanced draw. On Mesa's software renderer the rasteriser dominates.

#include <benchmark/benchmark.h>

#include <string>

#include "view/Cylinder.h"
#include "view/GraphicsDevice.h"
#include "view/Mesh.h"
#include "view/Resources.h"
#include "view/XMeshLoader.h"
#include "view/gl/OffscreenRenderer.h"

namespace {

void ReplayMoleculeFrame(benchmark::State& state) {
  std::string error;
  const auto offscreen = tf::OffscreenRenderer::Create(&error);
  if (!offscreen) {
    state.SkipWithError(error.c_str());
    return;
  }
  const auto atoms = static_cast<int>(state.range(0));
  tf::PresentParameters parameters;
  parameters.windowed = 1;
  parameters.swapEffect = tf::kSwapEffectCopy;
  parameters.enableAutoDepthStencil = 1;
  parameters.autoDepthStencilFormat = tf::kFormatD16;
  parameters.backBufferWidth = 1024;
  parameters.backBufferHeight = 768;
  tf::GraphicsDevice device(parameters);
  tf::Mesh* sphere = nullptr;
  tf::Mesh* cylinder = nullptr;
  tf::LoadMeshFromXResource(tf::kSphereMeshName, tf::kSphereMeshType, tf::kMeshManaged, &device,
                            nullptr, &sphere);
  tf::CreateCylinder(&device, 1, 1, 1, 16, 1, &cylinder);
  const tf::Vector3 eye{0, 0, 20}, at{0, 0, 0}, up{0, 1, 0};
  tf::Matrix view, projection, world;
  tf::MatrixLookAtRH(&view, &eye, &at, &up);
  tf::MatrixOrthoRH(&projection, 100, 75, -200, 200);
  device.SetTransform(tf::kTsView, &view);
  device.SetTransform(tf::kTsProjection, &projection);
  device.LightEnable(0, 1);
  device.SetRenderState(tf::kRsCullMode, tf::kCullCw);
  tf::Material material;
  material.diffuse = material.ambient = {0.5f, 0.5f, 1, 1};

  device.Clear(0, nullptr, tf::kClearTarget | tf::kClearZBuffer, 0x00202020, 1.0f, 0);
  device.BeginScene();
  for (int i = 0; i < atoms; ++i) {
    tf::MatrixScaling(&world, 0.4f, 0.4f, 0.4f);
    world.m[3][0] = -48 + static_cast<float>(i % 100);
    world.m[3][1] = -35 + static_cast<float>(i / 100);
    device.SetTransform(tf::kTsWorld, &world);
    device.SetMaterial(&material);
    sphere->DrawSubset(0);
  }
  for (int k = 0; k < 2 * (atoms / 7); ++k) {
    tf::MatrixScaling(&world, 0.1f, 0.1f, 0.5f);
    world.m[3][0] = -48 + static_cast<float>(k % 100);
    world.m[3][1] = -35 + static_cast<float>(k / 100);
    device.SetTransform(tf::kTsWorld, &world);
    device.SetMaterial(&material);
    cylinder->DrawSubset(0);
  }
  device.EndScene();
  device.Present(nullptr, nullptr, nullptr, nullptr);
  const auto frame = device.LatestFrame();

  tf::RgbaImage image;
  for (auto _ : state) {
    if (!offscreen->Render(*frame, &image, &error)) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(image.pixels.data());
  }
  state.SetItemsProcessed(state.iterations() * (atoms + 2 * (atoms / 7)));
  cylinder->Release();
  sphere->Release();
}
BENCHMARK(ReplayMoleculeFrame)->Arg(100)->Arg(7000)->Unit(benchmark::kMillisecond);

}  // namespace
