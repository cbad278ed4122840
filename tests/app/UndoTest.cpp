#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/AppFixture.h"
#include "app/AtomInfoPanel.h"
#include "app/EditSteps.h"
#include "base/Math.h"

namespace tf::test {
namespace {

bool UndoEnabled(FakeDesktop& desktop) {
  return desktop.enabledItems[kCmdUndo];
}
bool RedoEnabled(FakeDesktop& desktop) {
  return desktop.enabledItems[kCmdRedo];
}

TEST_F(AppTest, OneDragIsOneStepAndAClickThatOnlySelectsIsNone) {
  const uint32_t atom = AddCarbon(0, 0);
  const Pixel p = PixelOf(atom);
  LeftDrag(p, p);  // selects only
  EXPECT_FALSE(app_.edits.history.CanUndo());

  Send(MouseMessage(WM_LBUTTONDOWN, p.x, p.y, MK_LBUTTON));
  Send(MouseMessage(WM_MOUSEMOVE, p.x + 20, p.y, MK_LBUTTON));
  Send(MouseMessage(WM_MOUSEMOVE, p.x + 40, p.y, MK_LBUTTON));
  Send(MouseMessage(WM_LBUTTONUP, p.x + 40, p.y));
  EXPECT_EQ(app_.edits.history.UndoSteps(), 1u);
  EXPECT_TRUE(UndoEnabled(desktop_) && !RedoEnabled(desktop_));

  Send(CommandMessage(kCmdUndo));
  EXPECT_FLOAT_EQ(records_->document.atoms[atom].x, 0);
  EXPECT_TRUE(IsSelected(atom)) << "the step's selection comes back";
  EXPECT_TRUE(!UndoEnabled(desktop_) && RedoEnabled(desktop_));
  Send(CommandMessage(kCmdRedo));
  EXPECT_FLOAT_EQ(records_->document.atoms[atom].x, 1);
}

TEST_F(AppTest, DeleteApplyAndNewAreUndoneInTurnWhileRotationStays) {
  const uint32_t a = AddCarbon(2, 0);
  AddCarbon(-2, 0);
  Select({1});
  Send(KeyDownMessage(VK_DELETE));
  Select({a});
  AtomInfoView view =
      RefreshAtomInfo(records_->document, records_->tables, AtomTypeListEntries(records_->tables));
  const float charge = records_->document.atoms[a].charge;
  AtomInfoTexts typed = view.texts;
  typed.charge = u"0.5";
  PressAtomInfoApply(app_, typed, view.texts);
  Send(KeyDownMessage(VK_LEFT));  // a turn of the view: no step
  Vector3 turned{records_->document.atoms[a].x, records_->document.atoms[a].y,
                 records_->document.atoms[a].z};
  ASSERT_GT(std::abs(turned.z), 0.1f);
  Send(CommandMessage(kCmdNew));
  ASSERT_EQ(records_->document.atomCount, 0u);
  EXPECT_EQ(app_.edits.history.UndoSteps(), 3u);

  Send(KeyDownMessage(VK_LEFT));  // the same turn again, on the empty document
  Matrix turn;
  MatrixRotationYawPitchRoll(&turn, -10 * 3.1415927f / 180, 0, 0);
  Vec3TransformCoord(&turned, &turned, &turn);
  Send(CommandMessage(kCmdUndo));  // the New
  ASSERT_EQ(records_->document.atomCount, 1u);
  EXPECT_NEAR(records_->document.atoms[a].x, turned.x, 1e-4)
      << "the molecule keeps the newest turn";
  EXPECT_NEAR(records_->document.atoms[a].z, turned.z, 1e-4);
  Send(CommandMessage(kCmdUndo));  // the Apply
  EXPECT_FLOAT_EQ(records_->document.atoms[a].charge, charge);
  Send(CommandMessage(kCmdUndo));  // the deletion
  EXPECT_EQ(records_->document.atomCount, 2u);
  EXPECT_TRUE(IsSelected(1) && !IsSelected(a));
  Send(CommandMessage(kCmdRedo));
  Send(CommandMessage(kCmdRedo));
  EXPECT_EQ(records_->document.atomCount, 1u);
  EXPECT_FLOAT_EQ(records_->document.atoms[a].charge, 0.5f);
}

TEST_F(AppTest, PerceivedBondsAreReportedAndUndoneAsOneStep) {
  AddCarbon(0, 0);
  AddCarbon(1.5f, 0);
  AddCarbon(3, 0);
  AddCarbon(9, 0);  // out of reach
  desktop_.TakeLog();
  Send(KeyDownMessage('P'));
  ASSERT_EQ(records_->document.bondCount, 2u);
  const Log log = desktop_.TakeLog();
  EXPECT_NE(std::find(log.begin(), log.end(),
                      "ShowMessageBox 2 bonds were added.\nNo candidate pair was refused. | "
                      "Message | information"),
            log.end());
  Send(CommandMessage(kCmdPerceiveBonds));  // nothing new: no second step
  EXPECT_EQ(app_.edits.history.UndoSteps(), 1u);
  Send(CommandMessage(kCmdUndo));
  EXPECT_EQ(records_->document.bondCount, 0u);
}

TEST_F(AppTest, AShapingRunIsOneStepAndUndoStopsShapingFirst) {
  const uint32_t a = AddCarbon(0, 0), b = AddCarbon(0.8f, 0);  // far too close
  const float startX = records_->document.atoms[b].x;
  Send(CommandMessage(kCmdStartShaping));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    {
      std::lock_guard model(records_->document.modelLock);
      if (records_->shaping.shapingIterations > 2) break;
    }
    std::this_thread::yield();
  }
  ASSERT_GT(records_->shaping.shapingIterations, 2);
  EXPECT_FALSE(app_.edits.history.CanUndo()) << "the run's step closes when it stops";

  Send(CommandMessage(kCmdUndo));
  EXPECT_EQ(records_->shaping.shapingActive.load(), 0);
  EXPECT_FALSE(records_->shaping.shapingWorker.joinable());
  EXPECT_FLOAT_EQ(records_->document.atoms[a].x, 0);
  EXPECT_FLOAT_EQ(records_->document.atoms[b].x, startX);
  EXPECT_TRUE(app_.edits.history.CanRedo());
}

}  // namespace
}  // namespace tf::test
