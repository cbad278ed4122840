// The pair pool: every chunk of every job runs exactly once, through many
// hand-offs, sleeps and restarts of the helpers; and shaping, the total
// energy and the gradient of a molecule large enough to be cut into chunks
// come out the same to the last bit with any number of threads. Run under
// ThreadSanitizer to catch unordered access between the threads as well.

#include "shaping/PairPool.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "ShapingFixtures.h"
#include "shaping/Energy.h"
#include "shaping/EnergyGradient.h"
#include "shaping/LocalTerms.h"
#include "shaping/ShapingStep.h"

namespace tf {
namespace {

using shaping::PairPool;

TEST(ConcurrentPairPool, EveryChunkRunsOnceThroughManyHandOffs) {
  constexpr uint32_t kMostChunks = 20;
  for (uint32_t threads : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(testing::Message() << threads << " threads");
    PairPool pool(threads);
    ASSERT_EQ(pool.Threads(), threads);
    bool helperTookPart = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (int job = 0;
         job < 2000 || (threads > 1 && !helperTookPart && std::chrono::steady_clock::now() < end);
         ++job) {
      // Now and then long enough for the helpers to block.
      if (job % 500 == 499) std::this_thread::sleep_for(std::chrono::milliseconds(2));
      const uint32_t chunks = 1 + job % kMostChunks;
      std::vector<int> runs(kMostChunks, 0), nested(3, 0);
      std::vector<uint32_t> slots(kMostChunks, 0);
      pool.Run(chunks, [&](uint32_t chunk, uint32_t slot) {
        ++runs[chunk];
        slots[chunk] = slot;
        if (chunk == 0 && slot == 0)
          pool.Run(3, [&](uint32_t inner, uint32_t) { ++nested[inner]; });
      });
      for (uint32_t chunk = 0; chunk < kMostChunks; ++chunk) {
        ASSERT_EQ(runs[chunk], chunk < chunks ? 1 : 0) << "job " << job << " chunk " << chunk;
        ASSERT_LT(slots[chunk], threads);
        helperTookPart = helperTookPart || slots[chunk] != 0;
      }
      if (slots[0] == 0) {
        ASSERT_EQ(nested, std::vector<int>(3, 1));
      }
    }
    if (threads > 1) {
      EXPECT_TRUE(helperTookPart);
    }
  }
}

// Coordinates after the sweeps, every atom's local energies at its place and
// at a trial, the total energy, and the energy and gradient of the
// minimiser's model: all compared bit for bit.
struct RunResult {
  std::vector<float> coordinates;
  std::vector<float> local;
  float total = 0;
  double energy = 0;
  std::vector<double> gradient;
};

RunResult ShapeAndEvaluate(uint32_t threads) {
  auto records = test::MakeRandomMolecule(1100, 21);
  std::optional<PairPool> pool;
  if (threads > 0) pool.emplace(threads);
  PairPool* shared = pool ? &*pool : nullptr;
  ShapingRandom random(99);
  for (int sweep = 0; sweep < 3; ++sweep)
    ShapingStep(records->document, records->tables, 0.5f, kAllTerms, random, shared);
  RunResult result;
  for (uint32_t i = 0; i < records->document.atomCount; ++i) {
    const Atom& atom = records->document.atoms[i];
    result.coordinates.insert(result.coordinates.end(), {atom.x, atom.y, atom.z});
  }
  const BondTopology& topology = CurrentTopology(records->document);
  shaping::EnergyWorkspace& workspace = shaping::ThreadWorkspace();
  workspace.Load(records->document, records->tables, topology);
  for (uint32_t i = 0; i < records->document.atomCount; ++i) {
    const Vector3 at{result.coordinates[3 * i], result.coordinates[3 * i + 1],
                     result.coordinates[3 * i + 2]};
    const Vector3 positions[2] = {at, {at.x + 0.1f, at.y, at.z}};
    float energies[2];
    shaping::EvaluateLocal(records->document, records->tables, topology, workspace, i, kAllTerms,
                           positions, energies, shared);
    result.local.insert(result.local.end(), {energies[0], energies[1]});
  }
  result.total = TotalEnergy(records->document, records->tables, records->shaping, shared);
  EnergyModel model(records->document, records->tables, kAllTerms, shared);
  const std::vector<double> positions = DocumentPositions(records->document);
  result.gradient.resize(positions.size());
  result.energy = model.Evaluate(positions, result.gradient);
  return result;
}

template <typename T>
bool SameBits(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0;
}

TEST(ConcurrentPairPool, ShapingAndEnergiesAreTheSameWithAnyThreadCount) {
  const RunResult alone = ShapeAndEvaluate(0);
  const auto start = test::MakeRandomMolecule(1100, 21);
  uint32_t moved = 0;
  for (uint32_t i = 0; i < start->document.atomCount; ++i)
    if (start->document.atoms[i].x != alone.coordinates[3 * i]) ++moved;
  // Some trials accepted and some refused: the sums decided.
  EXPECT_GT(moved, 100u);
  EXPECT_LT(moved, 1100u);
  for (uint32_t threads : {1u, 2u, 4u}) {
    const RunResult pooled = ShapeAndEvaluate(threads);
    EXPECT_TRUE(SameBits(pooled.coordinates, alone.coordinates)) << threads << " threads";
    EXPECT_TRUE(SameBits(pooled.local, alone.local)) << threads << " threads";
    EXPECT_EQ(std::memcmp(&pooled.total, &alone.total, sizeof(float)), 0) << threads << " threads";
    EXPECT_EQ(std::memcmp(&pooled.energy, &alone.energy, sizeof(double)), 0)
        << threads << " threads";
    EXPECT_TRUE(SameBits(pooled.gradient, alone.gradient)) << threads << " threads";
  }
}

}  // namespace
}  // namespace tf
