#include "model/AreaSelection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "model/MoleculeStore.h"
#include "support/TestStore.h"

namespace tf {
namespace {

using test::MakeTestStore;
using test::PutAtom;

// The test view maps world (x, y) to pixel (400 + 40 x, 300 - 40 y).

std::vector<int32_t> SelectedIndices(const MoleculeStore& store) {
  std::vector<int32_t> selected;
  for (uint32_t i = 0; i < store.atomCount; ++i)
    if (store.atoms[i].selected) selected.push_back(static_cast<int32_t>(i));
  return selected;
}

// The press and moves of a rectangle gesture, then the release's apply.
void DragRectangle(MoleculeStore& store, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  store.selectionTool = kRectangularTool;
  store.areaSelecting = 1;
  store.rectStart = PointF{static_cast<float>(x0), static_cast<float>(y0)};
  AddOutlinePoint(store, x0, y0);
  AddOutlinePoint(store, (x0 + x1) / 2, y0);
  AddOutlinePoint(store, x1, y1);
  store.areaSelecting = 0;
  ApplyAreaSelection(store);
}

// The press (recorded twice), the moves, then the release's apply.
void DrawOutline(MoleculeStore& store, const std::vector<std::pair<int32_t, int32_t>>& points) {
  store.selectionTool = kFreeformTool;
  store.areaSelecting = 1;
  AddOutlinePoint(store, points[0].first, points[0].second);
  for (const auto& [px, py] : points) AddOutlinePoint(store, px, py);
  store.areaSelecting = 0;
  ApplyAreaSelection(store);
}

TEST(AreaSelection, RectangleSelectsTheSameAtomsInEitherDragDirection) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, 0.0f);
  PutAtom(*store, 1.5f, -1.0f, -50.0f);       // hidden far behind: still selected
  PutAtom(*store, 3.0f, 0.0f, 0.0f);          // right of the rectangle
  PutAtom(*store, 0.0f, 2.5f, 0.0f);          // above it
  DragRectangle(*store, 360, 260, 480, 360);  // world (-1, 1) to (2, -1.5)
  const std::vector<int32_t> forward = SelectedIndices(*store);
  EXPECT_EQ(forward, (std::vector<int32_t>{0, 1}));

  for (auto corners :
       {std::vector<int32_t>{480, 360, 360, 260}, {360, 360, 480, 260}, {480, 260, 360, 360}}) {
    ClearSelection(*store);
    DragRectangle(*store, corners[0], corners[1], corners[2], corners[3]);
    EXPECT_EQ(SelectedIndices(*store), forward) << corners[0] << "," << corners[1];
  }
}

TEST(AreaSelection, RectangleEdgesAreExcluded) {
  auto store = MakeTestStore();
  const Vector2 low = ScreenToWorld(store->camera, 300, 400);
  const Vector2 high = ScreenToWorld(store->camera, 500, 200);
  const float inX = 0.0f, inY = 0.0f;
  PutAtom(*store, low.x, inY, 0.0f);   // on the left edge
  PutAtom(*store, high.x, inY, 0.0f);  // on the right edge
  PutAtom(*store, inX, low.y, 0.0f);   // on the bottom edge
  PutAtom(*store, inX, high.y, 0.0f);  // on the top edge
  PutAtom(*store, std::nextafter(low.x, inX), std::nextafter(high.y, inY), 0.0f);  // just inside
  DragRectangle(*store, 300, 400, 500, 200);
  EXPECT_EQ(SelectedIndices(*store), (std::vector<int32_t>{4}));
}

TEST(AreaSelection, RectangleAddsToTheSelection) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, 0.0f);
  PutAtom(*store, 6.0f, 6.0f, 0.0f);
  SelectAtom(*store, 1);
  store->outlineCount = 7;
  DragRectangle(*store, 380, 280, 420, 320);
  EXPECT_EQ(SelectedIndices(*store), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(store->selectedCount, 2);
  EXPECT_EQ(store->outlineCount, 7u);  // a rectangle leaves the free-form outline alone

  // A click without a drag: the empty rectangle selects nothing.
  ClearSelection(*store);
  DragRectangle(*store, 400, 300, 400, 300);
  EXPECT_EQ(store->selectedCount, 0);
}

TEST(AreaSelection, OutlineIsClosedBackToItsFirstPoint) {
  auto store = MakeTestStore();
  PutAtom(*store, 1.5f, 0.5f, 0.0f);   // under the triangle's diagonal
  PutAtom(*store, 0.5f, 1.5f, 0.0f);   // above it: inside the bounding box only
  PutAtom(*store, 1.0f, -1.0f, 9.0f);  // below the triangle
  // Triangle world (0, 0) -> (2, 0) -> (2, 2); the closing edge runs back
  // along the diagonal.
  DrawOutline(*store, {{400, 300}, {480, 300}, {480, 220}});
  EXPECT_EQ(SelectedIndices(*store), (std::vector<int32_t>{0}));
  EXPECT_EQ(store->outlineCount, 0u);
}

TEST(AreaSelection, OutlineUsesTheEvenOddRule) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, 0.0f);
  // A square from world (-1, -1) to (1, 1) traced twice covers its inside twice.
  const std::vector<std::pair<int32_t, int32_t>> square = {
      {360, 260}, {440, 260}, {440, 340}, {360, 340}};
  std::vector<std::pair<int32_t, int32_t>> twice = square;
  twice.insert(twice.end(), square.begin(), square.end());
  DrawOutline(*store, twice);
  EXPECT_EQ(store->selectedCount, 0);
  DrawOutline(*store, square);
  EXPECT_EQ(store->selectedCount, 1);

  // A bow tie crossing itself at the origin: each lobe is covered once.
  auto bowTie = MakeTestStore();
  PutAtom(*bowTie, -1.0f, 0.0f, 0.0f);  // left lobe
  PutAtom(*bowTie, 1.0f, 0.0f, 0.0f);   // right lobe
  PutAtom(*bowTie, 0.0f, 1.0f, 0.0f);   // between the lobes, above the crossing
  DrawOutline(*bowTie, {{320, 220}, {480, 380}, {480, 220}, {320, 380}});
  EXPECT_EQ(SelectedIndices(*bowTie), (std::vector<int32_t>{0, 1}));
}

TEST(AreaSelection, PressAndReleaseWithoutMovementSelectsNothing) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, 0.0f);
  store->selectionTool = kFreeformTool;
  AddOutlinePoint(*store, 400, 300);
  AddOutlinePoint(*store, 400, 300);
  EXPECT_EQ(store->outlineCount, 2u);
  ApplyAreaSelection(*store);
  EXPECT_EQ(store->selectedCount, 0);
  EXPECT_EQ(store->outlineCount, 0u);
}

TEST(AreaSelection, FullOutlineIsAppliedAtOnceWithoutClearing) {
  auto store = MakeTestStore();
  PutAtom(*store, 0.0f, 0.0f, 0.0f);  // inside the circle
  PutAtom(*store, 8.0f, 5.0f, 0.0f);  // outside, already selected
  PutAtom(*store, 7.0f, 0.0f, 0.0f);  // outside
  SelectAtom(*store, 1);
  store->selectionTool = kFreeformTool;
  store->areaSelecting = 1;
  // A circle of radius 3 units (120 pixels) about the centre, 1000 points.
  for (uint32_t k = 0; k < kMaxOutlinePoints; ++k) {
    const double angle = 2.0 * std::numbers::pi * k / kMaxOutlinePoints;
    AddOutlinePoint(*store, 400 + static_cast<int32_t>(std::lround(120 * std::cos(angle))),
                    300 + static_cast<int32_t>(std::lround(120 * std::sin(angle))));
  }
  EXPECT_EQ(store->outlineCount, kMaxOutlinePoints);
  EXPECT_EQ(store->areaSelecting, 1);
  EXPECT_EQ(store->selectedCount, 1);

  AddOutlinePoint(*store, 795, 5);  // the 1001st point is not recorded
  EXPECT_EQ(store->areaSelecting, 0);
  EXPECT_EQ(store->outlineCount, 0u);
  EXPECT_EQ(SelectedIndices(*store), (std::vector<int32_t>{0, 1}));
}

}  // namespace
}  // namespace tf
