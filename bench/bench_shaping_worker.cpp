// The shaping worker's rate at 2000 and 7000 atoms on records started like
// the program's: each iteration is one sweep, one TotalEnergy, one recorded
// frame of the whole molecule and the 50 ms pause, which caps the rate at 20
// per second. One benchmark iteration waits for the worker's next frame.

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "BenchMolecules.h"
#include "forcefield/ParameterFile.h"
#include "shaping/ShapingWorker.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"

namespace {

// The bench molecule in records with graphics; its AtomTypes take the
// shipped parameter file's carbon, hydrogen and oxygen so frames draw them
// with their colours and radii.
std::unique_ptr<tf::ApplicationRecords> GraphicsStoreWith(uint32_t atomCount) {
  auto records = std::make_unique<tf::ApplicationRecords>();
  if (!tf::LoadParameterFile(records->tables, TF_SOURCE_DIR "/share/config.ini")) return nullptr;
  if (tf::InitGraphics(records->resources, records->view, 700, 600, 24) != 0) return nullptr;
  tf::ApplicationRecords* drawn = records.get();
  records->shaping.afterStep = [drawn] {
    tf::Redraw(drawn->resources, {drawn->document, drawn->tables, drawn->shaping, drawn->view});
  };
  const auto molecule = tf::bench::MakeBenchMolecule(atomCount);
  const tf::ForceFieldTables shipped = records->tables;
  records->tables = molecule->tables;
  records->tables.chemicalTypeCount = shipped.chemicalTypeCount;
  for (uint32_t k = 0; k < shipped.chemicalTypeCount; ++k)
    records->tables.chemicalTypes[k] = shipped.chemicalTypes[k];
  const int32_t chemical[5] = {4, 4, 4, 3, 6};  // carbon, hydrogen, oxygen in config.ini
  for (int t = 0; t < 5; ++t) records->tables.atomTypes[t].chemicalType = chemical[t];
  for (uint32_t i = 0; i < molecule->document.atomCount; ++i)
    records->document.atoms[i] = molecule->document.atoms[i];
  for (uint32_t b = 0; b < molecule->document.bondCount; ++b)
    records->document.bonds[b] = molecule->document.bonds[b];
  records->document.atomCount = molecule->document.atomCount;
  records->document.bondCount = molecule->document.bondCount;
  return records;
}

void BM_ShapingWorker(benchmark::State& state) {
  auto records = GraphicsStoreWith(static_cast<uint32_t>(state.range(0)));
  if (!records) {
    state.SkipWithError("the graphics did not start");
    return;
  }
  std::mutex lock;
  std::condition_variable presented;
  uint64_t frames = 0;
  records->resources.device->SetPresentCallback([&] {
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

  tf::StartShaping(records->shaping, records->document, records->tables);
  nextFrame();  // the first iteration builds the worker's caches
  for (auto _ : state) nextFrame();
  tf::ShutdownShaping(records->shaping);
  tf::ReleaseGraphics(records->resources);
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
