#include "model/Picking.h"

#include <gtest/gtest.h>

#include "model/MoleculeStore.h"
#include "support/TestStore.h"

namespace tf {
namespace {

using test::kC3;
using test::kH;
using test::MakeTestStore;
using test::PutAtom;

// The test view maps world (0, 0) to pixel (400, 300), 40 pixels per unit.

TEST(Picking, HitRadiusFollowsTheModelStyle) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, 0.0f, kC3);  // carbon, drawn radius 0.77
  PutAtom(*store, 5.0f, 0.0f, 0.0f, kH);   // hydrogen, drawn radius 0.37
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
    store->modelStyle = c.style;
    EXPECT_EQ(PickAtom(*store, c.px, 300), c.expected) << "style " << c.style << " px " << c.px;
  }
  // The offset counts in both directions of the screen plane.
  store->modelStyle = kBallStick;
  EXPECT_EQ(PickAtom(*store, 400, 286), 0);   // 0.35 above
  EXPECT_EQ(PickAtom(*store, 410, 310), 0);   // 0.354 diagonally
  EXPECT_EQ(PickAtom(*store, 412, 312), -1);  // 0.42 diagonally
}

TEST(Picking, FrontMostAtomWinsWhateverTheOrder) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, -1.0f);
  PutAtom(*store, 0.1f, 0.0f, 2.0f);
  PutAtom(*store, -0.1f, 0.1f, 0.5f);
  EXPECT_EQ(PickAtom(*store, 400, 300), 1);
  store->atoms[0].z = 3.0f;
  EXPECT_EQ(PickAtom(*store, 400, 300), 0);
  store->atoms[1].z = 3.0f;  // a tie keeps the lower index
  EXPECT_EQ(PickAtom(*store, 400, 300), 0);
  // Deep atoms are still found when nothing else is there.
  EXPECT_EQ(PickAtom(*store, 396, 296), 0);
  store->atoms[0].x = store->atoms[1].x = 9.0f;
  store->atoms[2].z = -1e30f;
  EXPECT_EQ(PickAtom(*store, 396, 296), 2);
}

TEST(Picking, AtomTypeOutsideTheTablesIsNeverHitInSpacefill) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, 0.0f, 5000);
  PutAtom(*store, 0.0f, 0.0f, -1.0f, -3);
  store->modelStyle = kSpacefill;
  EXPECT_EQ(PickAtom(*store, 400, 300), -1);
  store->modelStyle = kSticks;  // fixed radius: the type plays no part
  EXPECT_EQ(PickAtom(*store, 400, 300), 0);
}

TEST(Picking, SelectAtomAtAddsTheHitToTheSelection) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, 0.0f);
  PutAtom(*store, 2.0f, 0.0f, 0.0f);
  SelectAtom(*store, 1);
  EXPECT_EQ(SelectAtomAt(*store, 400, 300), 0);
  EXPECT_EQ(store->atoms[0].selected, 1);
  EXPECT_EQ(store->selectedCount, 2);
  EXPECT_EQ(SelectAtomAt(*store, 400, 300), 0);  // already selected: counted once
  EXPECT_EQ(store->selectedCount, 2);
  EXPECT_EQ(SelectAtomAt(*store, 700, 100), -1);
  EXPECT_EQ(store->selectedCount, 2);
}

}  // namespace
}  // namespace tf
