// The shaping worker on a store started like the program's: starting and
// stopping, the frames it draws and the panel refresh at its end. Waits are
// bounded polls of what the worker publishes, never fixed sleeps.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/AtomEditing.h"
#include "model/BondEditing.h"
#include "model/TableLookup.h"
#include "shaping/ShapingWorker.h"
#include "support/GraphicsStore.h"
#include "view/Frame.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

constexpr int32_t kCarbon = 4;  // ChemicalType of config.ini

template <typename Condition>
bool WaitFor(Condition done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// The overlay's energy block of a frame; empty when the frame has none.
std::u16string EnergyBlock(const Frame& frame) {
  for (const TextItem* item : frame.ItemsOf<TextItem>())
    if (item->text.starts_with(u"Energy = ")) return item->text;
  return {};
}

// The value after `label` up to the end of its line.
std::u16string Field(const std::u16string& block, std::u16string_view label) {
  const size_t start = block.find(label);
  if (start == std::u16string::npos) return {};
  const size_t from = start + label.size();
  return block.substr(from, block.find(u'\n', from) - from);
}

class ShapingWorkerTest : public ::testing::Test {
 protected:
  ShapingWorkerTest() {
    store_->shell.refreshPanels = [this] { ++refreshes_; };
    store_->graphics.device->SetPresentCallback([this] {
      std::lock_guard lock(framesLock_);
      frames_.push_back(store_->graphics.device->LatestFrame());
    });
  }

  std::vector<std::shared_ptr<const Frame>> Frames() {
    std::lock_guard lock(framesLock_);
    return frames_;
  }
  size_t ShapingFrames() {
    size_t count = 0;
    for (const auto& frame : Frames()) count += EnergyBlock(*frame).empty() ? 0 : 1;
    return count;
  }
  // Two carbons bonded 3 A apart, twice their target distance.
  void AddStretchedBond() {
    AddAtom(*store_, 0, 0, 0, kCarbon);
    AddAtom(*store_, 3, 0, 0, kCarbon);
    ASSERT_EQ(AddBond(*store_, 0, 1), 1);
  }
  float Distance(uint32_t a, uint32_t b) {
    std::lock_guard model(store_->modelLock);
    const Atom& p = store_->atoms[a];
    const Atom& q = store_->atoms[b];
    return std::hypot(p.x - q.x, p.y - q.y, p.z - q.z);
  }

  // Declared before the store: the worker calls back into them until the
  // store's end joins it.
  std::atomic<int> refreshes_{0};
  std::mutex framesLock_;
  std::vector<std::shared_ptr<const Frame>> frames_;
  test::GraphicsStore store_ = test::StartGraphics(700, 600, 24);
};

TEST_F(ShapingWorkerTest, AStretchedBondContractsWhileNonBondedOverlapsAreIgnored) {
  MoleculeStore& store = *store_;
  AddStretchedBond();
  AddAtom(store, 0.5f, 0, 0, kCarbon);  // unbonded, overlapping atom 0
  const float target =
      BondDistanceParameter(store.tables, store.atoms[0].atomType, store.atoms[1].atomType);
  ASSERT_GT(target, 1.0f);
  ASSERT_LT(target, 2.0f);
  store.requestedShapingTerms = kTermDistances;
  StartShaping(store);
  EXPECT_EQ(store.shapingTerms, kTermDistances);

  EXPECT_TRUE(WaitFor([&] { return Distance(0, 1) < target + 0.2f; })) << Distance(0, 1);
  StopShaping(store);
  ShutdownShaping(store);
  EXPECT_GT(store.shapingIterations, 0);
  EXPECT_EQ(store.atoms[2].x, 0.5f);  // no distance term moves it
  EXPECT_EQ(store.atoms[2].y, 0.0f);
}

TEST_F(ShapingWorkerTest, StartingWhileShapingChangesNothing) {
  MoleculeStore& store = *store_;
  store.requestedShapingTerms = kTermAngles;
  StartShaping(store);
  const auto worker = store.shapingWorker.get_id();
  store.requestedShapingTerms = kTermCoulomb;
  StartShaping(store);
  EXPECT_EQ(store.shapingTerms, kTermAngles);
  EXPECT_EQ(store.shapingWorker.get_id(), worker);
  EXPECT_EQ(store.shapingActive.load(), 1);
}

TEST_F(ShapingWorkerTest, StopThenStartWaitsForTheFinishingWorker) {
  MoleculeStore& store = *store_;
  StartShaping(store);
  ASSERT_TRUE(WaitFor([&] { return ShapingFrames() >= 1; }));
  StopShaping(store);
  StartShaping(store);
  // The first worker asks for the refresh as it ends: it has ended already.
  EXPECT_EQ(refreshes_.load(), 1);
  EXPECT_EQ(store.shapingActive.load(), 1);
  ShutdownShaping(store);
  EXPECT_EQ(refreshes_.load(), 2);
}

TEST_F(ShapingWorkerTest, TheWorkerAsksForOnePanelRefreshWhenItEnds) {
  MoleculeStore& store = *store_;
  StartShaping(store);
  ASSERT_TRUE(WaitFor([&] { return ShapingFrames() >= 3; }));
  EXPECT_EQ(refreshes_.load(), 0);
  StopShaping(store);
  ASSERT_TRUE(WaitFor([&] { return refreshes_.load() > 0; }));
  ShutdownShaping(store);
  EXPECT_EQ(refreshes_.load(), 1);
}

TEST_F(ShapingWorkerTest, TheFirstEnergyChangeOfARunIsItsEnergy) {
  MoleculeStore& store = *store_;
  AddStretchedBond();
  store.energy = 50.0f;  // left over from an earlier run
  StartShaping(store);
  ASSERT_TRUE(WaitFor([&] { return ShapingFrames() >= 1; }));
  ShutdownShaping(store);
  // StartShaping draws nothing, so the first frame is the first iteration's.
  const std::u16string block = EnergyBlock(*Frames().front());
  const std::u16string energy = Field(block, u"Energy = ");
  ASSERT_FALSE(energy.empty()) << "no energy block in the first frame";
  EXPECT_NE(energy, u"0.000000");
  EXPECT_EQ(Field(block, u"dE = "), energy);
}

TEST_F(ShapingWorkerTest, FramesShowTheEnergyWhileShapingAndNotAfterTheStop) {
  MoleculeStore& store = *store_;
  AddStretchedBond();
  StartShaping(store);
  ASSERT_TRUE(WaitFor([&] { return ShapingFrames() >= 3; }));
  StopShaping(store);
  const size_t atStop = Frames().size();  // the last is the stop's own frame or a later one
  ShutdownShaping(store);
  const auto frames = Frames();
  for (size_t i = atStop - 1; i < frames.size(); ++i)
    EXPECT_TRUE(EnergyBlock(*frames[i]).empty()) << "frame " << frames[i]->number;
}

}  // namespace
}  // namespace tf
