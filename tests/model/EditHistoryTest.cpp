#include "model/EditHistory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>

#include "model/Document.h"
#include "support/TestRecords.h"
#include "view/CameraOperations.h"

namespace tf::test {
namespace {

DocumentState Capture(Records& records) {
  std::lock_guard model(records.document.modelLock);
  return CaptureDocument(records.document, records.view.camera.rotation);
}

TEST(EditHistoryTest, UndoAndRedoKeepTheOrientationTheMoleculeHasNow) {
  auto records = MakeTestRecords();
  const uint32_t a = PutAtom(records->document, 1, 0, 0);
  PutAtom(records->document, 0, 2, 0);
  EditHistory history;
  DocumentState before = Capture(*records);
  records->document.atoms[a].x = 3;  // the edit: atom a moves along x
  history.Record(records->document, records->view.camera.rotation, std::move(before));
  RotateModel(records->view, records->resources, records->document, 90,
              0);  // a quarter turn about y takes x into z
  const float turnedX = records->document.atoms[a].x, turnedZ = records->document.atoms[a].z;
  ASSERT_NEAR(std::abs(turnedZ), 3, 1e-5);

  ASSERT_TRUE(history.Undo(records->document, records->view.camera.rotation));
  EXPECT_NEAR(records->document.atoms[a].x, turnedX, 1e-5);
  EXPECT_NEAR(records->document.atoms[a].z, turnedZ / 3, 1e-5)
      << "the undone move, in today's orientation";
  ASSERT_TRUE(history.Redo(records->document, records->view.camera.rotation));
  EXPECT_NEAR(records->document.atoms[a].z, turnedZ, 1e-5);
  EXPECT_FALSE(history.Redo(records->document, records->view.camera.rotation));
}

TEST(EditHistoryTest, ASelectionAloneIsNoStep) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 1, 0, 0);
  EditHistory history;
  DocumentState before = Capture(*records);
  SelectAtom(records->document, 0);
  history.Record(records->document, records->view.camera.rotation, std::move(before));
  EXPECT_FALSE(history.CanUndo());
}

TEST(EditHistoryTest, FullSizeMoleculesKeepAHundredStepsWithinTheLimitDroppingTheOldest) {
  auto records = MakeTestRecords();
  for (uint32_t i = 0; i < kMaxAtoms; ++i)
    PutAtom(records->document, static_cast<float>(i % 100), 0, 0);
  EditHistory history;
  for (int step = 1; step <= 200; ++step) {
    DocumentState before = Capture(*records);
    records->document.atoms[0].y = static_cast<float>(step);
    history.Record(records->document, records->view.camera.rotation, std::move(before));
  }
  EXPECT_GE(history.UndoSteps(), 100u);
  EXPECT_LT(history.UndoSteps(), 200u);
  EXPECT_LE(history.Bytes(), EditHistory::kByteLimit);
  while (history.Undo(records->document, records->view.camera.rotation)) {
  }
  EXPECT_GT(records->document.atoms[0].y, 0) << "the oldest steps were dropped";
  EXPECT_EQ(records->document.atomCount, kMaxAtoms);
}

}  // namespace
}  // namespace tf::test
