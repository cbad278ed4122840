// The shaping worker on records started like the program's: starting and
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
#include "shaping/Energy.h"
#include "shaping/ShapingWorker.h"
#include "support/TestRecords.h"
#include "view/CameraOperations.h"
#include "view/Frame.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

using test::Records;

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
    records_->shaping.whenEnded = [this] { ++refreshes_; };
    records_->resources.device->SetPresentCallback([this] {
      std::lock_guard lock(framesLock_);
      frames_.push_back(records_->resources.device->LatestFrame());
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
    AddAtom(records_->document, records_->tables, 0, 0, 0, kCarbon);
    AddAtom(records_->document, records_->tables, 3, 0, 0, kCarbon);
    ASSERT_EQ(AddBond(records_->document, records_->tables, 0, 1), 1);
  }
  float Distance(uint32_t a, uint32_t b) {
    std::lock_guard model(records_->document.modelLock);
    const Atom& p = records_->document.atoms[a];
    const Atom& q = records_->document.atoms[b];
    return std::hypot(p.x - q.x, p.y - q.y, p.z - q.z);
  }

  // Declared before the records: the worker calls back into them until the
  // records end joins it.
  std::atomic<int> refreshes_{0};
  std::mutex framesLock_;
  std::vector<std::shared_ptr<const Frame>> frames_;
  test::GraphicsRecords records_ = test::StartGraphics(700, 600, 24);
};

TEST_F(ShapingWorkerTest, AStretchedBondContractsWhileNonBondedOverlapsAreIgnored) {
  Records& records = *records_;
  AddStretchedBond();
  AddAtom(records.document, records.tables, 0.5f, 0, 0, kCarbon);  // unbonded, overlapping atom 0
  const float target = BondDistanceParameter(records.tables, records.document.atoms[0].atomType,
                                             records.document.atoms[1].atomType);
  ASSERT_GT(target, 1.0f);
  ASSERT_LT(target, 2.0f);
  records.shaping.requestedShapingTerms = kTermDistances;
  StartShaping(records.shaping, records.document, records.tables);
  EXPECT_EQ(records.shaping.shapingTerms, kTermDistances);

  EXPECT_TRUE(WaitFor([&] { return Distance(0, 1) < target + 0.2f; })) << Distance(0, 1);
  StopShaping(records.shaping);
  ShutdownShaping(records.shaping);
  EXPECT_GT(records.shaping.shapingIterations, 0);
  EXPECT_EQ(records.document.atoms[2].x, 0.5f);  // no distance term moves it
  EXPECT_EQ(records.document.atoms[2].y, 0.0f);
}

TEST_F(ShapingWorkerTest, StartingWhileShapingChangesNothing) {
  Records& records = *records_;
  records.shaping.requestedShapingTerms = kTermAngles;
  StartShaping(records.shaping, records.document, records.tables);
  const auto worker = records.shaping.shapingWorker.get_id();
  records.shaping.requestedShapingTerms = kTermCoulomb;
  StartShaping(records.shaping, records.document, records.tables);
  EXPECT_EQ(records.shaping.shapingTerms, kTermAngles);
  EXPECT_EQ(records.shaping.shapingWorker.get_id(), worker);
  EXPECT_EQ(records.shaping.shapingActive.load(), 1);
}

TEST_F(ShapingWorkerTest, StopThenStartWaitsForTheFinishingWorker) {
  Records& records = *records_;
  StartShaping(records.shaping, records.document, records.tables);
  ASSERT_TRUE(WaitFor([&] { return ShapingFrames() >= 1; }));
  StopShaping(records.shaping);
  StartShaping(records.shaping, records.document, records.tables);
  // The first worker asks for the refresh as it ends: it has ended already.
  EXPECT_EQ(refreshes_.load(), 1);
  EXPECT_EQ(records.shaping.shapingActive.load(), 1);
  ShutdownShaping(records.shaping);
  EXPECT_EQ(refreshes_.load(), 2);
}

TEST_F(ShapingWorkerTest, TheWorkerAsksForOnePanelRefreshWhenItEnds) {
  Records& records = *records_;
  StartShaping(records.shaping, records.document, records.tables);
  ASSERT_TRUE(WaitFor([&] { return ShapingFrames() >= 3; }));
  EXPECT_EQ(refreshes_.load(), 0);
  StopShaping(records.shaping);
  ASSERT_TRUE(WaitFor([&] { return refreshes_.load() > 0; }));
  ShutdownShaping(records.shaping);
  EXPECT_EQ(refreshes_.load(), 1);
}

TEST_F(ShapingWorkerTest, TheFirstEnergyChangeOfARunIsItsEnergy) {
  Records& records = *records_;
  AddStretchedBond();
  records.shaping.energy = 50.0f;  // left over from an earlier run
  StartShaping(records.shaping, records.document, records.tables);
  ASSERT_TRUE(WaitFor([&] { return ShapingFrames() >= 1; }));
  ShutdownShaping(records.shaping);
  // StartShaping draws nothing, so the first frame is the first iteration's.
  const std::u16string block = EnergyBlock(*Frames().front());
  const std::u16string energy = Field(block, u"Energy = ");
  ASSERT_FALSE(energy.empty()) << "no energy block in the first frame";
  EXPECT_NE(energy, u"0.000000");
  EXPECT_EQ(Field(block, u"dE = "), energy);
}

TEST_F(ShapingWorkerTest, FramesShowTheEnergyWhileShapingAndNotAfterTheStop) {
  Records& records = *records_;
  AddStretchedBond();
  StartShaping(records.shaping, records.document, records.tables);
  ASSERT_TRUE(WaitFor([&] { return ShapingFrames() >= 3; }));
  StopShaping(records.shaping);
  const size_t atStop = Frames().size();  // the last is the stop's own frame or a later one
  ShutdownShaping(records.shaping);
  const auto frames = Frames();
  for (size_t i = atStop - 1; i < frames.size(); ++i)
    EXPECT_TRUE(EnergyBlock(*frames[i]).empty()) << "frame " << frames[i]->number;
}

}  // namespace
}  // namespace tf

namespace tf {
namespace {

// 512 unbonded carbons on a jittered lattice: enough work for many frames.
class MinimizingWorkerTest : public ShapingWorkerTest {
 protected:
  void AddLattice() {
    for (int k = 0; k < 512; ++k) {
      const float jitter = 0.37f * static_cast<float>((k * 7919) % 13) / 13.0f;
      AddAtom(records_->document, records_->tables, 3.2f * (k % 8) + jitter,
              3.2f * (k / 8 % 8) - jitter, 3.2f * (k / 64) + jitter, kCarbon);
    }
  }
  float Energy() {
    std::lock_guard model(records_->document.modelLock);
    return ComputeEnergyComponents(records_->document, records_->tables).total;
  }
};

TEST_F(MinimizingWorkerTest, FollowsTurnsOfTheMoleculeAndShowsItsGradient) {
  Records& records = *records_;
  AddLattice();
  const float start = Energy();
  StartMinimizing(records.shaping, records.document, records.tables);
  for (int turn = 0; turn < 20 && records.shaping.shapingActive.load() != 0; ++turn) {
    RotateModel(records.view, records.resources, records.document, 10, 5);
    const size_t seen = Frames().size();
    WaitFor([&] { return Frames().size() > seen || records.shaping.shapingActive.load() == 0; });
  }
  EXPECT_TRUE(WaitFor([&] { return records.shaping.shapingActive.load() == 0; }));
  ShutdownShaping(records.shaping);
  EXPECT_LT(Energy(), start);
  bool gradientShown = false;
  for (const auto& frame : Frames())
    gradientShown |= !Field(EnergyBlock(*frame), u"RMS gradient = ").empty();
  EXPECT_TRUE(gradientShown);
  EXPECT_TRUE(EnergyBlock(*Frames().back()).empty()) << "the last frame drops the figures";
}

}  // namespace
}  // namespace tf
