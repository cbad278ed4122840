// The shaping worker's rate at 2000 and 7000 atoms on a store started like
// the program's: each iteration is one sweep, one TotalEnergy, one recorded
// frame of the whole molecule and the 50 ms pause, which caps the rate at 20
// per second. One benchmark iteration waits for the worker's next frame.

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "BenchMolecules.h"
#include "shaping/ShapingWorker.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"

namespace {

// The bench molecule in a store with graphics; its AtomTypes take the
// shipped parameter file's carbon, hydrogen and oxygen so frames draw them
// with their colours and radii.
std::unique_ptr<tf::MoleculeStore> GraphicsStoreWith(uint32_t atomCount) {
  auto store = std::make_unique<tf::MoleculeStore>();
  store->shell.clientSize = [] { return tf::ClientSize{700, 600}; };
  store->configPath = TF_SOURCE_DIR "/share/config.ini";
  if (tf::InitGraphics(*store, 24) != 0) return nullptr;
  const auto molecule = tf::bench::MakeBenchMolecule(atomCount);
  const tf::ForceFieldTables shipped = store->tables;
  store->tables = molecule->tables;
  store->tables.chemicalTypeCount = shipped.chemicalTypeCount;
  for (uint32_t k = 0; k < shipped.chemicalTypeCount; ++k)
    store->tables.chemicalTypes[k] = shipped.chemicalTypes[k];
  const int32_t chemical[5] = {4, 4, 4, 3, 6};  // carbon, hydrogen, oxygen in config.ini
  for (int t = 0; t < 5; ++t) store->tables.atomTypes[t].chemicalType = chemical[t];
  for (uint32_t i = 0; i < molecule->atomCount; ++i) store->atoms[i] = molecule->atoms[i];
  for (uint32_t b = 0; b < molecule->bondCount; ++b) store->bonds[b] = molecule->bonds[b];
  store->atomCount = molecule->atomCount;
  store->bondCount = molecule->bondCount;
  return store;
}

void BM_ShapingWorker(benchmark::State& state) {
  auto store = GraphicsStoreWith(static_cast<uint32_t>(state.range(0)));
  if (!store) {
    state.SkipWithError("the graphics did not start");
    return;
  }
  std::mutex lock;
  std::condition_variable presented;
  uint64_t frames = 0;
  store->graphics.device->SetPresentCallback([&] {
    {
      std::lock_guard guard(lock);
      ++frames;
    }
    presented.notify_all();
  });
  const auto nextFrame = [&] {
    std::unique_lock guard(lock);
    const uint64_t seen = frames;
    presented.wait(guard, [&] { return frames > seen; });
  };

  tf::StartShaping(*store);
  nextFrame();  // the first iteration builds the worker's caches
  for (auto _ : state) nextFrame();
  tf::ShutdownShaping(*store);
  tf::ReleaseGraphics(*store);
  state.counters["iterations_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ShapingWorker)
    ->Arg(2000)
    ->Arg(7000)
    ->UseRealTime()
    ->MinTime(3.0)
    ->Unit(benchmark::kMillisecond);

}  // namespace
