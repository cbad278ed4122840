// Cost of recording one full frame of a large molecule: one sphere draw per
// atom and two cylinder draws per bond, each with its own world transform and
// material, as the scene renderer issues them.

#include <benchmark/benchmark.h>

#include "BenchScene.h"
#include "view/Cylinder.h"
#include "view/GraphicsDevice.h"
#include "view/Mesh.h"
#include "view/Resources.h"
#include "view/Texture.h"
#include "view/XMeshLoader.h"

namespace {

void RecordMoleculeFrame(benchmark::State& state) {
  const auto atoms = static_cast<int>(state.range(0));
  const int bonds = atoms / 7;
  tf::GraphicsDevice device;
  tf::Mesh* sphere = nullptr;
  tf::Mesh* cylinder = nullptr;
  tf::Texture* texture = nullptr;
  tf::LoadMeshFromXResource(tf::kSphereMeshName, tf::kSphereMeshType, tf::kMeshManaged, &device,
                            nullptr, &sphere);
  tf::CreateCylinder(&device, 1, 1, 1, 16, 1, &cylinder);
  tf::CreateTextureFromResource(&device, tf::kSelectionBitmap, &texture);
  tf::Matrix world;
  tf::MatrixIdentity(&world);
  tf::Material material;
  for (auto _ : state) {
    device.Clear(0, nullptr, tf::kClearTarget | tf::kClearZBuffer, 0x00202020, 1.0f, 0);
    device.BeginScene();
    for (int i = 0; i < atoms; ++i) {
      world.m[3][0] = static_cast<float>(i);
      material.diffuse.r = static_cast<float>(i % 255) / 255;
      device.SetTransform(tf::kTsWorld, &world);
      device.SetTexture(0, i % 10 == 0 ? texture : nullptr);
      device.SetMaterial(&material);
      sphere->DrawSubset(0);
    }
    device.SetTexture(0, nullptr);
    for (int k = 0; k < 2 * bonds; ++k) {
      world.m[3][1] = static_cast<float>(k);
      device.SetTransform(tf::kTsWorld, &world);
      device.SetMaterial(&material);
      cylinder->DrawSubset(0);
    }
    device.EndScene();
    device.Present(nullptr, nullptr, nullptr, nullptr);
  }
  state.SetItemsProcessed(state.iterations() * (atoms + 2 * bonds));
  texture->Release();
  cylinder->Release();
  sphere->Release();
}
BENCHMARK(RecordMoleculeFrame)->Arg(100)->Arg(7000)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The whole frame as Redraw records it: the copy under modelLock, every
// sphere and bond half, grid, texts and Present.
void DrawBallStickFrame(benchmark::State& state) {
  auto scene = tf::bench::MakeBenchScene(static_cast<uint32_t>(state.range(0)), tf::kBallStick);
  if (!scene) return state.SkipWithError("graphics did not start");
  for (auto _ : state) tf::Redraw(scene->resources, tf::SceneOf(*scene));
  state.SetItemsProcessed(state.iterations() * scene->document.atomCount);
}
BENCHMARK(DrawBallStickFrame)->Arg(500)->Arg(2000)->Arg(7000)->Unit(benchmark::kMicrosecond);

}  // namespace
