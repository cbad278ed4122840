// A shaping worker (sweep, total energy, schedule under modelLock) while the
// window thread adds and deletes atoms and bonds, changes types and writes
// charges. The worker's cached neighbour lists must follow every edit. Run
// under ThreadSanitizer to catch unlocked access as well.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include "charges/PartialCharges.h"
#include "model/AtomEditing.h"
#include "model/AtomTypeEditing.h"
#include "model/BondEditing.h"
#include "shaping/BondTopology.h"
#include "shaping/Energy.h"
#include "shaping/ShapingStep.h"
#include "support/ShippedConfig.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using test::Records;

// Neighbour lists of the cache against a scan of the bond list.
int StaleNeighbourLists(const Records& records) {
  const BondTopology& topology = CurrentTopology(records.document);
  int stale = topology.AtomCount() == records.document.atomCount ? 0 : 1;
  for (uint32_t atom = 0; atom < topology.AtomCount(); ++atom) {
    std::vector<int32_t> scanned;
    for (uint32_t b = 0; b < records.document.bondCount; ++b) {
      const Bond& bond = records.document.bonds[b];
      if (bond.atom1 == static_cast<int32_t>(atom))
        scanned.push_back(bond.atom2);
      else if (bond.atom2 == static_cast<int32_t>(atom))
        scanned.push_back(bond.atom1);
    }
    const auto cached = topology.Neighbours(atom);
    if (!std::equal(cached.begin(), cached.end(), scanned.begin(), scanned.end())) ++stale;
  }
  return stale;
}

TEST(ConcurrentShaping, WorkerFollowsEveryEditOfTheWindowThread) {
  auto records = test::RecordsWithShippedConfig();
  ASSERT_TRUE(records);
  records->shaping.shapingTerms = kAllTerms;
  BeginShapingRun(records->shaping);
  std::atomic<bool> stop{false};
  std::atomic<int> stale{0}, nonFinite{0}, steps{0};

  std::thread worker([&] {
    ShapingRandom random(4);
    while (!stop.load()) {
      {
        std::lock_guard model(records->document.modelLock);
        ShapingStep(records->document, records->tables, records->shaping.stepScale,
                    records->shaping.shapingTerms, random);
        if (!std::isfinite(TotalEnergy(records->document, records->tables, records->shaping)))
          ++nonFinite;
        AdvanceShapingSchedule(records->shaping);
        stale += StaleNeighbourLists(*records);
      }
      ++steps;
      // A pause between steps, as the real worker makes: without it the
      // worker takes the lock back at once and starves the window thread
      // under ThreadSanitizer's slower steps.
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });
  while (steps.load() == 0) std::this_thread::yield();

  std::mt19937 random(99);
  const auto pick = [&](int32_t limit) {
    return std::uniform_int_distribution<int32_t>(0, limit - 1)(random);
  };
  const int32_t carbon = 4, hydrogen = 3, oxygen = 6;  // ChemicalTypes of config.ini
  uint32_t mostBonds = 0;
  for (int round = 0; round < 600; ++round) {
    const int32_t count = static_cast<int32_t>(records->document.atomCount);
    switch (pick(8)) {
      case 0:
      case 1:
      case 2: {
        const int32_t kinds[3] = {carbon, hydrogen, oxygen};
        AddAtom(records->document, records->tables, pick(12) * 0.9f, pick(12) * 0.9f,
                pick(3) * 1.0f, kinds[pick(3)]);
        break;
      }
      case 3:
      case 4:
        if (count > 1) AddBond(records->document, records->tables, pick(count), pick(count));
        break;
      case 5:
        if (count > 0) DeleteAtom(records->document, static_cast<uint32_t>(pick(count)));
        break;
      case 6:
        if (count > 0)
          SetAtomType(records->document, records->tables, static_cast<uint32_t>(pick(count)),
                      pick(2) ? u"C2" : u"C3");
        break;
      default:
        RecomputeCharges(records->document, records->tables);
        break;
    }
    mostBonds = std::max(mostBonds, records->document.bondCount);
    if (round % 6 == 0) {
      const int seen = steps.load();
      while (steps.load() == seen) std::this_thread::yield();
    }
  }
  stop = true;
  worker.join();

  EXPECT_EQ(stale.load(), 0);
  EXPECT_EQ(nonFinite.load(), 0);
  EXPECT_GT(mostBonds, 3u);
}

}  // namespace
}  // namespace tf
