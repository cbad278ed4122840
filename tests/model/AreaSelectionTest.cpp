#include "model/AreaSelection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "model/Document.h"
#include "support/TestRecords.h"
#include "view/AreaGesture.h"

namespace tf {
namespace {

using test::MakeTestRecords;
using test::PutAtom;
using test::Records;

// The test view maps world (x, y) to pixel (400 + 40 x, 300 - 40 y).

std::vector<int32_t> SelectedIndices(const Records& records) {
  std::vector<int32_t> selected;
  for (uint32_t i = 0; i < records.document.atomCount; ++i)
    if (records.document.atoms[i].selected) selected.push_back(static_cast<int32_t>(i));
  return selected;
}

// The press and moves of a rectangle gesture, then the release's apply.
void DragRectangle(Records& records, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  records.view.selectionTool = kRectangularTool;
  records.view.areaSelecting = 1;
  records.view.rectStart = PointF{static_cast<float>(x0), static_cast<float>(y0)};
  AddOutlinePoint(records.view, records.resources, records.document, x0, y0);
  AddOutlinePoint(records.view, records.resources, records.document, (x0 + x1) / 2, y0);
  AddOutlinePoint(records.view, records.resources, records.document, x1, y1);
  records.view.areaSelecting = 0;
  ApplyAreaSelection(records.view, records.resources, records.document);
}

// The press (recorded twice), the moves, then the release's apply.
void DrawOutline(Records& records, const std::vector<std::pair<int32_t, int32_t>>& points) {
  records.view.selectionTool = kFreeformTool;
  records.view.areaSelecting = 1;
  AddOutlinePoint(records.view, records.resources, records.document, points[0].first,
                  points[0].second);
  for (const auto& [px, py] : points)
    AddOutlinePoint(records.view, records.resources, records.document, px, py);
  records.view.areaSelecting = 0;
  ApplyAreaSelection(records.view, records.resources, records.document);
}

TEST(AreaSelection, RectangleSelectsTheSameAtomsInEitherDragDirection) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, 0.0f);
  PutAtom(records->document, 1.5f, -1.0f, -50.0f);  // hidden far behind: still selected
  PutAtom(records->document, 3.0f, 0.0f, 0.0f);     // right of the rectangle
  PutAtom(records->document, 0.0f, 2.5f, 0.0f);     // above it
  DragRectangle(*records, 360, 260, 480, 360);      // world (-1, 1) to (2, -1.5)
  const std::vector<int32_t> forward = SelectedIndices(*records);
  EXPECT_EQ(forward, (std::vector<int32_t>{0, 1}));

  for (auto corners :
       {std::vector<int32_t>{480, 360, 360, 260}, {360, 360, 480, 260}, {480, 260, 360, 360}}) {
    ClearSelection(records->document);
    DragRectangle(*records, corners[0], corners[1], corners[2], corners[3]);
    EXPECT_EQ(SelectedIndices(*records), forward) << corners[0] << "," << corners[1];
  }
}

TEST(AreaSelection, RectangleEdgesAreExcluded) {
  auto records = MakeTestRecords();
  const Vector2 low = ScreenToWorld(records->view.camera, 300, 400);
  const Vector2 high = ScreenToWorld(records->view.camera, 500, 200);
  const float inX = 0.0f, inY = 0.0f;
  PutAtom(records->document, low.x, inY, 0.0f);   // on the left edge
  PutAtom(records->document, high.x, inY, 0.0f);  // on the right edge
  PutAtom(records->document, inX, low.y, 0.0f);   // on the bottom edge
  PutAtom(records->document, inX, high.y, 0.0f);  // on the top edge
  PutAtom(records->document, std::nextafter(low.x, inX), std::nextafter(high.y, inY),
          0.0f);  // just inside
  DragRectangle(*records, 300, 400, 500, 200);
  EXPECT_EQ(SelectedIndices(*records), (std::vector<int32_t>{4}));
}

TEST(AreaSelection, RectangleAddsToTheSelection) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, 0.0f);
  PutAtom(records->document, 6.0f, 6.0f, 0.0f);
  SelectAtom(records->document, 1);
  records->view.outlineCount = 7;
  DragRectangle(*records, 380, 280, 420, 320);
  EXPECT_EQ(SelectedIndices(*records), (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(records->document.selectedCount, 2);
  EXPECT_EQ(records->view.outlineCount, 7u);  // a rectangle leaves the free-form outline alone

  // A click without a drag: the empty rectangle selects nothing.
  ClearSelection(records->document);
  DragRectangle(*records, 400, 300, 400, 300);
  EXPECT_EQ(records->document.selectedCount, 0);
}

TEST(AreaSelection, OutlineIsClosedBackToItsFirstPoint) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 1.5f, 0.5f, 0.0f);   // under the triangle's diagonal
  PutAtom(records->document, 0.5f, 1.5f, 0.0f);   // above it: inside the bounding box only
  PutAtom(records->document, 1.0f, -1.0f, 9.0f);  // below the triangle
  // Triangle world (0, 0) -> (2, 0) -> (2, 2); the closing edge runs back
  // along the diagonal.
  DrawOutline(*records, {{400, 300}, {480, 300}, {480, 220}});
  EXPECT_EQ(SelectedIndices(*records), (std::vector<int32_t>{0}));
  EXPECT_EQ(records->view.outlineCount, 0u);
}

TEST(AreaSelection, OutlineUsesTheEvenOddRule) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, 0.0f);
  // A square from world (-1, -1) to (1, 1) traced twice covers its inside twice.
  const std::vector<std::pair<int32_t, int32_t>> square = {
      {360, 260}, {440, 260}, {440, 340}, {360, 340}};
  std::vector<std::pair<int32_t, int32_t>> twice = square;
  twice.insert(twice.end(), square.begin(), square.end());
  DrawOutline(*records, twice);
  EXPECT_EQ(records->document.selectedCount, 0);
  DrawOutline(*records, square);
  EXPECT_EQ(records->document.selectedCount, 1);

  // A bow tie crossing itself at the origin: each lobe is covered once.
  auto bowTie = MakeTestRecords();
  PutAtom(bowTie->document, -1.0f, 0.0f, 0.0f);  // left lobe
  PutAtom(bowTie->document, 1.0f, 0.0f, 0.0f);   // right lobe
  PutAtom(bowTie->document, 0.0f, 1.0f, 0.0f);   // between the lobes, above the crossing
  DrawOutline(*bowTie, {{320, 220}, {480, 380}, {480, 220}, {320, 380}});
  EXPECT_EQ(SelectedIndices(*bowTie), (std::vector<int32_t>{0, 1}));
}

TEST(AreaSelection, PressAndReleaseWithoutMovementSelectsNothing) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, 0.0f);
  records->view.selectionTool = kFreeformTool;
  AddOutlinePoint(records->view, records->resources, records->document, 400, 300);
  AddOutlinePoint(records->view, records->resources, records->document, 400, 300);
  EXPECT_EQ(records->view.outlineCount, 2u);
  ApplyAreaSelection(records->view, records->resources, records->document);
  EXPECT_EQ(records->document.selectedCount, 0);
  EXPECT_EQ(records->view.outlineCount, 0u);
}

TEST(AreaSelection, FullOutlineIsAppliedAtOnceWithoutClearing) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0.0f, 0.0f, 0.0f);  // inside the circle
  PutAtom(records->document, 8.0f, 5.0f, 0.0f);  // outside, already selected
  PutAtom(records->document, 7.0f, 0.0f, 0.0f);  // outside
  SelectAtom(records->document, 1);
  records->view.selectionTool = kFreeformTool;
  records->view.areaSelecting = 1;
  // A circle of radius 3 units (120 pixels) about the centre, 1000 points.
  for (uint32_t k = 0; k < kMaxOutlinePoints; ++k) {
    const double angle = 2.0 * std::numbers::pi * k / kMaxOutlinePoints;
    AddOutlinePoint(records->view, records->resources, records->document,
                    400 + static_cast<int32_t>(std::lround(120 * std::cos(angle))),
                    300 + static_cast<int32_t>(std::lround(120 * std::sin(angle))));
  }
  EXPECT_EQ(records->view.outlineCount, kMaxOutlinePoints);
  EXPECT_EQ(records->view.areaSelecting, 1);
  EXPECT_EQ(records->document.selectedCount, 1);

  AddOutlinePoint(records->view, records->resources, records->document, 795,
                  5);  // the 1001st point is not recorded
  EXPECT_EQ(records->view.areaSelecting, 0);
  EXPECT_EQ(records->view.outlineCount, 0u);
  EXPECT_EQ(SelectedIndices(*records), (std::vector<int32_t>{0, 1}));
}

}  // namespace
}  // namespace tf
