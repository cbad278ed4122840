#include "model/Picking.h"

#include <gtest/gtest.h>

#include "model/Document.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

// Picking at client pixel (px, py) of the test view.
int32_t PickAt(test::Records& records, int32_t px, int32_t py) {
  return PickAtom(records.document, records.tables, records.view.modelStyle,
                  ScreenToWorld(records.view.camera, px, py));
}

int32_t SelectAt(test::Records& records, int32_t px, int32_t py) {
  return SelectAtomAt(records.document, records.tables, records.view.modelStyle,
                      ScreenToWorld(records.view.camera, px, py));
}

using test::kC3;
using test::kH;
using test::MakeTestRecords;
using test::PutAtom;

// The test view maps world (0, 0) to pixel (400, 300), 40 pixels per unit.

TEST(Picking, HitRadiusFollowsTheModelStyle) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, 0.0f, kC3);  // carbon, drawn radius 0.77
  PutAtom(records->document, 5.0f, 0.0f, 0.0f, kH);   // hydrogen, drawn radius 0.37
  struct Case {
    int32_t style;
    int32_t px;  // on the row of both atoms
    int32_t expected;
  };
  const Case cases[] = {
      {kBallStick, 414, 0},                         // 0.35 from the carbon, inside 0.4
      {kSticks, 414, -1},                           // outside 0.3
      {kSticks, 410, 0},                            // 0.25
      {kWireframe, 410, 0},                         // 0.25, inside 0.3
      {kWireframe, 414, -1}, {kSpacefill, 430, 0},  // 0.75 < 0.77
      {kSpacefill, 432, -1},                        // 0.8 > 0.77
      {kSpacefill, 614, 1},                         // hydrogen at 0.35 < 0.37
      {kSpacefill, 616, -1},                        // 0.4 > 0.37
      {kBallStick, 616, 1},
  };
  for (const Case& c : cases) {
    records->view.modelStyle = c.style;
    EXPECT_EQ(PickAt(*records, c.px, 300), c.expected) << "style " << c.style << " px " << c.px;
  }
  // The offset counts in both directions of the screen plane.
  records->view.modelStyle = kBallStick;
  EXPECT_EQ(PickAt(*records, 400, 286), 0);   // 0.35 above
  EXPECT_EQ(PickAt(*records, 410, 310), 0);   // 0.354 diagonally
  EXPECT_EQ(PickAt(*records, 412, 312), -1);  // 0.42 diagonally
}

TEST(Picking, FrontMostAtomWinsWhateverTheOrder) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, -1.0f);
  PutAtom(records->document, 0.1f, 0.0f, 2.0f);
  PutAtom(records->document, -0.1f, 0.1f, 0.5f);
  EXPECT_EQ(PickAt(*records, 400, 300), 1);
  records->document.atoms[0].z = 3.0f;
  EXPECT_EQ(PickAt(*records, 400, 300), 0);
  records->document.atoms[1].z = 3.0f;  // a tie keeps the lower index
  EXPECT_EQ(PickAt(*records, 400, 300), 0);
  // Deep atoms are still found when nothing else is there.
  EXPECT_EQ(PickAt(*records, 396, 296), 0);
  records->document.atoms[0].x = records->document.atoms[1].x = 9.0f;
  records->document.atoms[2].z = -1e30f;
  EXPECT_EQ(PickAt(*records, 396, 296), 2);
}

TEST(Picking, AtomTypeOutsideTheTablesIsNeverHitInSpacefill) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, 0.0f, 5000);
  PutAtom(records->document, 0.0f, 0.0f, -1.0f, -3);
  records->view.modelStyle = kSpacefill;
  EXPECT_EQ(PickAt(*records, 400, 300), -1);
  records->view.modelStyle = kSticks;  // fixed radius: the type plays no part
  EXPECT_EQ(PickAt(*records, 400, 300), 0);
}

TEST(Picking, SelectAtomAtAddsTheHitToTheSelection) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, 0.0f);
  PutAtom(records->document, 2.0f, 0.0f, 0.0f);
  SelectAtom(records->document, 1);
  EXPECT_EQ(SelectAt(*records, 400, 300), 0);
  EXPECT_EQ(records->document.atoms[0].selected, 1);
  EXPECT_EQ(records->document.selectedCount, 2);
  EXPECT_EQ(SelectAt(*records, 400, 300), 0);  // already selected: counted once
  EXPECT_EQ(records->document.selectedCount, 2);
  EXPECT_EQ(SelectAt(*records, 700, 100), -1);
  EXPECT_EQ(records->document.selectedCount, 2);
}

}  // namespace
}  // namespace tf
