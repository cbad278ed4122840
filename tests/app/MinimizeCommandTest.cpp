// Model > Minimize through the window procedure: the run on the worker, its
// figures, one undo step, and edits stopping it first.

#include <chrono>
#include <mutex>
#include <thread>

#include "app/AppFixture.h"
#include "app/Commands.h"
#include "app/WindowMessages.h"
#include "base/FixedText.h"
#include "io/MoleculeFileCommands.h"
#include "support/ShippedConfig.h"

namespace tf::test {
namespace {

class MinimizeTest : public AppTest {
 protected:
  // Benzene with one hydrogen pulled 0.5 A out of place.
  void OpenStrainedBenzene() {
    ASSERT_TRUE(OpenMoleculeFile(records_->document, records_->tables,
                                 FromUtf8(SourcePath("share/samples/benzene.pdb")))
                    .read);
    records_->document.atoms[6].x += 0.5f;
    startX_ = records_->document.atoms[6].x;
  }
  bool WaitUntilEnded() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (records_->shaping.shapingActive.load() != 0) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      std::this_thread::yield();
    }
    return true;
  }
  float startX_ = 0;
};

TEST_F(MinimizeTest, ConvergesOnTheWorkerAsOneUndoStep) {
  OpenStrainedBenzene();
  Send(CommandMessage(kCmdMinimize));
  ASSERT_TRUE(WaitUntilEnded());
  {
    std::lock_guard model(records_->document.modelLock);
    EXPECT_EQ(records_->shaping.runKind, RunKind::kMinimizing);
    EXPECT_LE(records_->shaping.rmsGradient, 0.01f);
    EXPECT_GT(records_->shaping.shapingIterations, 0);
    EXPECT_NE(records_->document.atoms[6].x, startX_);
  }
  Send(WindowMessage{RefreshPanels});  // the worker's last word
  ASSERT_TRUE(app_.edits.history.CanUndo());
  Send(CommandMessage(kCmdUndo));
  EXPECT_FLOAT_EQ(records_->document.atoms[6].x, startX_);
  EXPECT_FALSE(app_.edits.history.CanUndo()) << "the whole run was one step";
}

TEST_F(MinimizeTest, AnEditStopsTheRunFirstAndIsAStepOfItsOwn) {
  OpenStrainedBenzene();
  Send(CommandMessage(kCmdMinimize));
  Select({11});
  Send(CommandMessage(kCmdDeleteSelected));
  EXPECT_EQ(records_->shaping.shapingActive.load(), 0);
  EXPECT_FALSE(records_->shaping.shapingWorker.joinable());
  EXPECT_EQ(records_->document.atomCount, 11u);
  const float afterRun = records_->document.atoms[6].x;
  Send(CommandMessage(kCmdUndo));  // the deletion alone
  EXPECT_EQ(records_->document.atomCount, 12u);
  EXPECT_FLOAT_EQ(records_->document.atoms[6].x, afterRun);
  Send(CommandMessage(kCmdUndo));  // the run, if it moved anything before the edit
  EXPECT_FLOAT_EQ(records_->document.atoms[6].x, startX_);
}

}  // namespace
}  // namespace tf::test
