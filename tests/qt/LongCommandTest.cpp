// A command that takes longer than a frame, in the real window: the window
// keeps working, a progress dialog names it, and Cancel changes nothing.

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <mutex>

#include "app/Application.h"
#include "qt/RunningApp.h"

namespace tf::test {
namespace {

using LongCommandTest = RunningApp;

TEST_F(LongCommandTest, ChargesShowProgressWhileTheViewDrawsAndCancelChangesNothing) {
  // A ring of one-electron centres (type 5 is charge class 4) whose filling
  // ends inside a pair of equal levels: the slow Jacobi path computes it.
  constexpr uint32_t kRing = 700;
  {
    Document& document = records_->document;
    std::lock_guard model(document.modelLock);
    for (uint32_t i = 0; i < kRing; ++i) {
      Atom& atom = document.atoms[i];
      atom = Atom{};
      const double angle = 2 * M_PI * i / kRing;
      atom.x = static_cast<float>(20 * std::cos(angle));
      atom.y = static_cast<float>(20 * std::sin(angle));
      atom.atomType = 5;
      atom.charge = 0.25f;
      document.bonds[i] = {static_cast<int32_t>(i), static_cast<int32_t>((i + 1) % kRing)};
    }
    document.atomCount = document.bondCount = kRing;
  }
  const std::size_t steps = app_->edits.history.UndoSteps();
  bool sawProgress = false;
  OnNextModal([&](QWidget* modal) {
    auto* progress = qobject_cast<QProgressDialog*>(modal);
    if (progress == nullptr) return false;
    sawProgress = true;
    EXPECT_EQ(progress->labelText(), "Charges");
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(records_->document.atoms[0].charge, 0.25f) << "still computing";
    EXPECT_GT(CountMoleculePixels(ViewImage(), View().rect()), 100) << "the view still draws";
    // Menu accelerators and keys of the view wait too.
    QTest::keyClick(&Window(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&View(), Qt::Key_F5);
    EXPECT_FALSE(records_->shaping.shapingActive);
    EXPECT_EQ(records_->document.atomCount, kRing);
    QPushButton* cancel = progress->findChild<QPushButton*>();
    EXPECT_NE(cancel, nullptr);
    if (cancel != nullptr) QTest::mouseClick(cancel, Qt::LeftButton);
    return true;
  });
  Key(Qt::Key_C);
  ASSERT_TRUE(AnswersDone());
  EXPECT_TRUE(sawProgress);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(app_->edits.history.UndoSteps(), steps);
  for (uint32_t i = 0; i < kRing; ++i) ASSERT_EQ(records_->document.atoms[i].charge, 0.25f) << i;
}

}  // namespace
}  // namespace tf::test
