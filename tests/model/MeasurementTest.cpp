#include "model/Measurement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <numbers>
#include <vector>

#include "model/AreaSelection.h"
#include "model/AtomEditing.h"
#include "model/EditHistory.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using test::MakeTestRecords;
using test::PutAtom;
using test::Records;

// a-b-c-d with b at the origin, c on +z, a on +x and d turned `degrees`
// about +z from +x: looking along b->c (+z), +x towards +y is clockwise.
double TorsionOfTurn(double degrees) {
  const double r = degrees * std::numbers::pi / 180.0;
  const Vector3 d{static_cast<float>(std::cos(r)), static_cast<float>(std::sin(r)), 1.5f};
  return TorsionDegrees({1, 0, 0}, {0, 0, 0}, {0, 0, 1.5f}, d);
}

TEST(Measurement, DistanceAngleAndSignedTorsionAgreeWithHandComputedValues) {
  EXPECT_NEAR(DistanceAngstrom({1, 1, 1}, {2, 3, 3}), 3.0, 1e-12);
  EXPECT_NEAR(AngleDegrees({1, 0, 0}, {0, 0, 0}, {1, 1, 0}), 45.0, 1e-9);
  EXPECT_NEAR(AngleDegrees({2, 5, 0}, {2, 3, 0}, {4, 3, 0}), 90.0, 1e-9) << "at b, not the origin";
  EXPECT_NEAR(AngleDegrees({1, 0, 0}, {0, 0, 0}, {-3, 0, 0}), 180.0, 1e-9);
  EXPECT_EQ(AngleDegrees({1, 0, 0}, {1, 0, 0}, {-3, 0, 0}), 0.0) << "an arm of no length";

  EXPECT_NEAR(TorsionOfTurn(0), 0.0, 1e-5) << "cis";
  EXPECT_NEAR(TorsionOfTurn(60), 60.0, 1e-5) << "clockwise";
  EXPECT_NEAR(TorsionOfTurn(-60), -60.0, 1e-5) << "anticlockwise";
  EXPECT_NEAR(TorsionOfTurn(179.9), 179.9, 1e-5);
  EXPECT_NEAR(TorsionOfTurn(-179.9), -179.9, 1e-5);
  EXPECT_NEAR(std::abs(TorsionOfTurn(180)), 180.0, 1e-5) << "trans";
  // Read backwards the torsion is the same; mirrored it changes sign.
  EXPECT_NEAR(TorsionDegrees({1, 1, 1.5f}, {0, 0, 1.5f}, {0, 0, 0}, {1, 0, 0}), 45.0, 1e-5);
  EXPECT_NEAR(TorsionDegrees({1, 0, 0}, {0, 0, 0}, {0, 0, -1.5f}, {1, 1, -1.5f}), -45.0, 1e-5);
}

std::vector<uint32_t> Measured(const Document& document) {
  uint32_t atoms[kSelectionOrderCapacity];
  const uint32_t count = MeasuredAtoms(document, atoms);
  return {atoms, atoms + count};
}

// Five atoms along the x axis, 1 A apart, then one above atom 0.
std::unique_ptr<Records> RowOfAtoms() {
  auto records = MakeTestRecords();
  for (float x : {0.0f, 1.0f, 2.0f, 3.0f, 4.0f}) PutAtom(records->document, x, 0, 0);
  PutAtom(records->document, 0, 1, 0);
  return records;
}

TEST(Measurement, AtomsComeInSelectionOrderWhileItNamesExactlyTheSelection) {
  auto records = RowOfAtoms();
  Document& document = records->document;
  SelectAtom(document, 5);
  EXPECT_EQ(Measured(document), std::vector<uint32_t>{}) << "one atom";
  SelectAtom(document, 2);
  SelectAtom(document, 0);
  EXPECT_EQ(Measured(document), (std::vector<uint32_t>{5, 2, 0}));
  const Measurement angle = MeasureSelection(document);
  EXPECT_EQ(angle.atomCount, 3u);
  EXPECT_NEAR(angle.value, std::atan(0.5) * 180 / std::numbers::pi, 1e-5) << "at atom 2";

  SelectAtom(document, 3);
  SelectAtom(document, 1);
  EXPECT_EQ(Measured(document), std::vector<uint32_t>{}) << "five atoms";
  DeselectAtom(document, 5);
  EXPECT_EQ(Measured(document), (std::vector<uint32_t>{2, 0, 3, 1})) << "the last four clicked";
  DeselectAtom(document, 0);
  EXPECT_EQ(Measured(document), (std::vector<uint32_t>{2, 3, 1}));

  // Atom 2's click falls out of the record: the two atoms left count by index.
  SelectAtom(document, 5);
  SelectAtom(document, 0);
  DeselectAtom(document, 5);
  DeselectAtom(document, 1);
  DeselectAtom(document, 3);
  EXPECT_EQ(Measured(document), (std::vector<uint32_t>{0, 2}));

  ClearSelection(document);
  SelectAtom(document, 4);
  SelectInsideRectangle(document, {-0.5f, -0.5f}, {1.5f, 0.5f});  // adds atoms 0 and 1
  EXPECT_EQ(Measured(document), (std::vector<uint32_t>{0, 1, 4})) << "an area has no order";
  ClearSelection(document);
  SelectInsideRectangle(document, {1.5f, -0.5f}, {3.5f, 0.5f});
  SelectAtom(document, 0);
  EXPECT_EQ(Measured(document), (std::vector<uint32_t>{0, 2, 3}));
}

TEST(Measurement, DeletingRenumberingAndUndoLeaveNoOrderNamingOtherAtoms) {
  auto records = RowOfAtoms();
  Document& document = records->document;
  SelectAtom(document, 5);
  SelectAtom(document, 3);
  DeleteAtom(document, 1);  // atom 5 moves into slot 1
  EXPECT_EQ(Measured(document), (std::vector<uint32_t>{1, 3}));
  EXPECT_NEAR(MeasureSelection(document).value, std::sqrt(10.0), 1e-6);
  DeleteAtom(document, 3);  // atom 4 moves into slot 3
  EXPECT_EQ(Measured(document), std::vector<uint32_t>{}) << "one atom left selected";
  SelectAtom(document, 3);
  SelectAtom(document, 0);
  DeleteAtom(document, 2);  // atom 3, the last, moves into slot 2
  EXPECT_EQ(Measured(document), (std::vector<uint32_t>{1, 2, 0}));

  // Undo brings back the atoms and selection from before a deletion, which
  // the order clicked after it would misname.
  auto undone = RowOfAtoms();
  Document& restored = undone->document;
  SelectInsideRectangle(restored, {-0.5f, -0.5f}, {2.5f, 0.5f});  // atoms 0, 1 and 2
  DocumentState before;
  {
    std::lock_guard model(restored.modelLock);
    before = CaptureDocument(restored, undone->view.camera.rotation);
  }
  ClearSelection(restored);
  DeleteAtom(restored, 1);  // atom 5 moves into slot 1
  for (uint32_t atom : {1u, 0u, 2u}) SelectAtom(restored, atom);
  ASSERT_EQ(Measured(restored), (std::vector<uint32_t>{1, 0, 2}));
  EditHistory history;
  history.Record(restored, undone->view.camera.rotation, std::move(before));
  ASSERT_TRUE(history.Undo(restored, undone->view.camera.rotation));
  EXPECT_EQ(Measured(restored), (std::vector<uint32_t>{0, 1, 2}));
  EXPECT_EQ(test::BrokenInvariants(restored), 0);
}

}  // namespace
}  // namespace tf
