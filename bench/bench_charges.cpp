// RecomputeCharges at 500, 2000 and 7000 atoms with one bond per 7 atoms
// (1000 at 7000), most atoms skeleton atoms: small molecules of 8 atoms
// (a chain of four skeleton atoms, a group of three terminals and one more
// terminal) and single skeleton atoms. A second case puts all bonds into one
// skeleton chain, the largest connected part the document can hold. A third
// closes a ring of one-electron centres whose filling ends inside a pair of
// equal levels, so the Jacobi method must decide it.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "app/Application.h"
#include "charges/PartialCharges.h"
#include "model/Document.h"

// Heap use of the whole program, to report the peak a run adds. The size of
// each block sits in front of it, which the compiler cannot follow.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#pragma GCC diagnostic ignored "-Warray-bounds"
namespace {
std::atomic<long> heapInUse{0};
std::atomic<long> heapPeak{0};
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size + sizeof(std::max_align_t));
  if (!block) throw std::bad_alloc();
  *static_cast<std::size_t*>(block) = size;
  const long now = heapInUse += static_cast<long>(size);
  long peak = heapPeak.load();
  while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
  }
  return static_cast<char*>(block) + sizeof(std::max_align_t);
}

void operator delete(void* pointer) noexcept {
  if (!pointer) return;
  void* block = static_cast<char*>(pointer) - sizeof(std::max_align_t);
  heapInUse -= static_cast<long>(*static_cast<std::size_t*>(block));
  std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
  operator delete(pointer);
}

namespace {

// Extra heap, in MB, that one call of RecomputeCharges needs at its peak.
double PeakExtraMegabytes(tf::ApplicationRecords& records) {
  const long before = heapInUse.load();
  heapPeak = before;
  tf::RecomputeCharges(records.document, records.tables);
  return static_cast<double>(heapPeak.load() - before) / (1024.0 * 1024.0);
}

// AtomTypes 1..10 are charge classes 0..9; type 4 (class 3) is the default.
std::unique_ptr<tf::ApplicationRecords> EmptyRecords() {
  auto records = std::make_unique<tf::ApplicationRecords>();
  records->tables.defaultAtomType = 4;
  return records;
}

void AddBond(tf::ApplicationRecords& records, uint32_t a, uint32_t b) {
  records.document.bonds[records.document.bondCount++] = {static_cast<int32_t>(a),
                                                          static_cast<int32_t>(b)};
}

std::unique_ptr<tf::ApplicationRecords> SmallMolecules(uint32_t atomCount) {
  auto records = EmptyRecords();
  const uint32_t molecules = atomCount / 7 / 7;
  // Types: skeleton chain 4-5-4-8 (classes 3, 4, 3, 7), terminals class 2 and 0.
  const int32_t types[8] = {4, 5, 4, 8, 3, 3, 3, 1};
  for (uint32_t m = 0; m < molecules; ++m) {
    const uint32_t base = 8 * m;
    for (uint32_t k = 0; k < 8; ++k) records->document.atoms[base + k].atomType = types[k];
    AddBond(*records, base, base + 1);
    AddBond(*records, base + 2, base + 1);
    AddBond(*records, base + 2, base + 3);
    AddBond(*records, base, base + 4);
    AddBond(*records, base + 5, base);
    AddBond(*records, base, base + 6);
    AddBond(*records, base + 3, base + 7);
  }
  for (uint32_t i = 8 * molecules; i < atomCount; ++i)
    records->document.atoms[i].atomType = 4 + static_cast<int32_t>(i % 7);  // classes 3..9
  records->document.atomCount = atomCount;
  return records;
}

std::unique_ptr<tf::ApplicationRecords> OneLongChain(uint32_t atomCount) {
  auto records = EmptyRecords();
  const uint32_t bonds = atomCount / 7;
  for (uint32_t i = 0; i < atomCount; ++i) records->document.atoms[i].atomType = i % 2 ? 5 : 4;
  for (uint32_t i = 0; i < bonds; ++i) AddBond(*records, i, i + 1);
  records->document.atomCount = atomCount;
  return records;
}

void BM_RecomputeChargesSmallMolecules(benchmark::State& state) {
  auto records = SmallMolecules(static_cast<uint32_t>(state.range(0)));
  for (auto _ : state) tf::RecomputeCharges(records->document, records->tables);
  state.counters["bonds"] = records->document.bondCount;
  state.counters["peak_extra_MB"] = PeakExtraMegabytes(*records);
}
BENCHMARK(BM_RecomputeChargesSmallMolecules)
    ->Arg(500)
    ->Arg(2000)
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);

void BM_RecomputeChargesOneChain(benchmark::State& state) {
  auto records = OneLongChain(static_cast<uint32_t>(state.range(0)));
  for (auto _ : state) tf::RecomputeCharges(records->document, records->tables);
  state.counters["bonds"] = records->document.bondCount;
  state.counters["peak_extra_MB"] = PeakExtraMegabytes(*records);
}
BENCHMARK(BM_RecomputeChargesOneChain)
    ->Arg(500)
    ->Arg(2000)
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond);

std::unique_ptr<tf::ApplicationRecords> EqualLevelsRing(uint32_t atomCount) {
  auto records = EmptyRecords();
  for (uint32_t i = 0; i < atomCount; ++i) {
    records->document.atoms[i].atomType = 5;  // class 4, one pi electron
    AddBond(*records, i, (i + 1) % atomCount);
  }
  records->document.atomCount = atomCount;
  return records;
}

void BM_RecomputeChargesEqualLevelsRing(benchmark::State& state) {
  auto records = EqualLevelsRing(static_cast<uint32_t>(state.range(0)));
  for (auto _ : state) tf::RecomputeCharges(records->document, records->tables);
}
BENCHMARK(BM_RecomputeChargesEqualLevelsRing)
    ->Arg(100)
    ->Arg(300)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
