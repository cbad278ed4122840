// Cost of replaying one frame offscreen at 700 x 600 and reading it back, in
// each model style: the frame Redraw records for the synthetic molecule, each
// run of the same mesh one instanced draw, spheres that nearer ones hide left
// out. On Mesa's software renderer the rasteriser dominates.

#include <benchmark/benchmark.h>

#include <string>

#include "BenchScene.h"
#include "view/GraphicsDevice.h"
#include "view/gl/OffscreenRenderer.h"

namespace {

void ReplayFrame(benchmark::State& state) {
  std::string error;
  const auto offscreen = tf::OffscreenRenderer::Create(&error);
  if (!offscreen) return state.SkipWithError(error.c_str());
  auto scene = tf::bench::MakeBenchScene(static_cast<uint32_t>(state.range(0)),
                                         static_cast<int32_t>(state.range(1)));
  if (!scene) return state.SkipWithError("graphics did not start");
  tf::Redraw(scene->resources, tf::SceneOf(*scene));
  const auto frame = scene->resources.device->LatestFrame();
  tf::RgbaImage image;
  for (auto _ : state) {
    if (!offscreen->Render(*frame, &image, &error)) state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(image.pixels.data());
  }
  const tf::ReplayStats& stats = offscreen->Renderer().LastStats();
  state.counters["draw_calls"] = stats.meshDrawCalls;
  state.counters["hidden_spheres"] = stats.hiddenSpheres;
}
BENCHMARK(ReplayFrame)
    ->ArgNames({"atoms", "style"})
    ->ArgsProduct({{500, 2000, 7000},
                   {tf::kWireframe, tf::kSpacefill, tf::kSticks, tf::kBallStick}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
