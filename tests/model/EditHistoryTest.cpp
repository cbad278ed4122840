#include "model/EditHistory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>

#include "model/MoleculeStore.h"
#include "support/TestStore.h"
#include "view/CameraOperations.h"

namespace tf::test {
namespace {

DocumentState Capture(MoleculeStore& store) {
  std::lock_guard model(store.modelLock);
  return CaptureDocument(store);
}

TEST(EditHistoryTest, UndoAndRedoKeepTheOrientationTheMoleculeHasNow) {
  auto store = MakeTestStore();
  const uint32_t a = PutAtom(*store, 1, 0, 0);
  PutAtom(*store, 0, 2, 0);
  EditHistory history;
  DocumentState before = Capture(*store);
  store->atoms[a].x = 3;  // the edit: atom a moves along x
  history.Record(*store, std::move(before));
  RotateModel(*store, 90, 0);  // a quarter turn about y takes x into z
  const float turnedX = store->atoms[a].x, turnedZ = store->atoms[a].z;
  ASSERT_NEAR(std::abs(turnedZ), 3, 1e-5);

  ASSERT_TRUE(history.Undo(*store));
  EXPECT_NEAR(store->atoms[a].x, turnedX, 1e-5);
  EXPECT_NEAR(store->atoms[a].z, turnedZ / 3, 1e-5) << "the undone move, in today's orientation";
  ASSERT_TRUE(history.Redo(*store));
  EXPECT_NEAR(store->atoms[a].z, turnedZ, 1e-5);
  EXPECT_FALSE(history.Redo(*store));
}

TEST(EditHistoryTest, ASelectionAloneIsNoStep) {
  auto store = MakeTestStore();
  PutAtom(*store, 1, 0, 0);
  EditHistory history;
  DocumentState before = Capture(*store);
  SelectAtom(*store, 0);
  history.Record(*store, std::move(before));
  EXPECT_FALSE(history.CanUndo());
}

TEST(EditHistoryTest, FullSizeMoleculesKeepAHundredStepsWithinTheLimitDroppingTheOldest) {
  auto store = MakeTestStore();
  for (uint32_t i = 0; i < kMaxAtoms; ++i) PutAtom(*store, static_cast<float>(i % 100), 0, 0);
  EditHistory history;
  for (int step = 1; step <= 200; ++step) {
    DocumentState before = Capture(*store);
    store->atoms[0].y = static_cast<float>(step);
    history.Record(*store, std::move(before));
  }
  EXPECT_GE(history.UndoSteps(), 100u);
  EXPECT_LT(history.UndoSteps(), 200u);
  EXPECT_LE(history.Bytes(), EditHistory::kByteLimit);
  while (history.Undo(*store)) {
  }
  EXPECT_GT(store->atoms[0].y, 0) << "the oldest steps were dropped";
  EXPECT_EQ(store->atomCount, kMaxAtoms);
}

}  // namespace
}  // namespace tf::test
