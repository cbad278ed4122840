#include "app/MouseGestures.h"

#include <gtest/gtest.h>

#include <array>

#include "app/AppFixture.h"
#include "support/TestRecords.h"

namespace tf::test {
namespace {

constexpr float kPixelsPerUnit = 40;  // zoom 2 after start-up

std::array<float, 3> PositionOf(const Records& records, uint32_t atom) {
  return {records.document.atoms[atom].x, records.document.atoms[atom].y,
          records.document.atoms[atom].z};
}

int32_t ChemicalTypeOf(const Records& records, uint32_t atom) {
  return records.tables.atomTypes[records.document.atoms[atom].atomType].chemicalType;
}

TEST_F(AppTest, LeftClickOnEmptySpaceClearsTheSelectionOnlyWithinNinePixels) {
  const uint32_t atom = AddCarbon(2, 1);
  const struct {
    int32_t dx, dy;
    bool clears;
  } cases[] = {{9, 0, true}, {-9, 9, true}, {10, 0, false}, {0, 10, false}, {-10, -3, false}};
  for (const auto& c : cases) {
    Select({atom});
    const auto before = PositionOf(*records_, atom);
    LeftDrag({100, 100}, {100 + c.dx, 100 + c.dy});
    EXPECT_EQ(IsSelected(atom), !c.clears) << c.dx << ", " << c.dy;
    EXPECT_NE(PositionOf(*records_, atom), before) << "the drag rotates " << c.dx;
  }
}

TEST_F(AppTest, PressingASelectedAtomKeepsTheSelectionSoTheDragMovesAllOfIt) {
  const uint32_t a = AddCarbon(-2, 0), b = AddCarbon(2, 0), c = AddCarbon(0, 3);
  Select({a, b});
  const Pixel p = PixelOf(a);
  LeftDrag(p, {p.x + 40, p.y});
  EXPECT_TRUE(IsSelected(a) && IsSelected(b) && !IsSelected(c));
  EXPECT_NEAR(records_->document.atoms[a].x, -1, 1e-4);
  EXPECT_NEAR(records_->document.atoms[b].x, 3, 1e-4);
  EXPECT_NEAR(records_->document.atoms[c].x, 0, 1e-4);
}

TEST_F(AppTest, ShiftClickTogglesOneAtomAndTheDragMovesTheRest) {
  const uint32_t a = AddCarbon(-2, 0), b = AddCarbon(2, 0), c = AddCarbon(0, 3);
  Select({a, b});
  const Pixel p = PixelOf(a);
  LeftDrag(p, {p.x, p.y + 40}, MK_SHIFT);
  EXPECT_FALSE(IsSelected(a));
  EXPECT_NEAR(records_->document.atoms[a].y, 0, 1e-4);
  EXPECT_NEAR(records_->document.atoms[b].y, -1, 1e-4);
  LeftDrag(PixelOf(c), PixelOf(c), MK_SHIFT);
  EXPECT_EQ(records_->document.selectedCount, 2);
  EXPECT_TRUE(IsSelected(c));
}

TEST_F(AppTest, CtrlAddsChemicalTypeZeroOverADigitAndTheLowestDigitHeldWins) {
  Select({AddCarbon(3, 3)});
  desktop_.digits = 1u << 5;
  Send(MouseMessage(WM_LBUTTONDOWN, 100, 100, MK_LBUTTON | MK_CONTROL));
  ASSERT_EQ(records_->document.atomCount, 2u);
  EXPECT_EQ(ChemicalTypeOf(*records_, 1), 0);
  EXPECT_EQ(records_->document.selectedCount, 1) << "only the new atom";
  EXPECT_TRUE(IsSelected(1) && records_->view.draggingAtoms == 1);
  Send(MouseMessage(WM_LBUTTONUP, 100, 100));

  desktop_.digits = 1u << 3 | 1u << 7;
  Send(MouseMessage(WM_LBUTTONDOWN, 600, 100, MK_LBUTTON));
  ASSERT_EQ(records_->document.atomCount, 3u);
  EXPECT_EQ(ChemicalTypeOf(*records_, 2), 3);
  desktop_.digits = 0;
  Send(MouseMessage(WM_LBUTTONDOWN, 100, 500, MK_LBUTTON));
  EXPECT_EQ(records_->document.atomCount, 3u);
}

TEST_F(AppTest, CtrlRightClickDeletesTheAtomUnderThePressWithinTenPixels) {
  const Pixel p = PixelOf(AddCarbon(0, 0));
  const auto rightClick = [&](int32_t offset, uint32_t keyState) {
    Send(MouseMessage(WM_RBUTTONDOWN, p.x, p.y, MK_RBUTTON | keyState));
    Send(MouseMessage(WM_RBUTTONUP, p.x + offset, p.y + offset, keyState));
  };
  rightClick(11, MK_CONTROL);
  EXPECT_EQ(records_->document.atomCount, 1u);
  EXPECT_EQ(desktop_.refreshes, 0) << "a moved pointer is no click";
  rightClick(0, 0);
  EXPECT_EQ(records_->document.atomCount, 1u);
  EXPECT_EQ(desktop_.refreshes, 1);
  rightClick(10, MK_CONTROL);
  EXPECT_EQ(records_->document.atomCount, 0u);
  rightClick(0, MK_CONTROL);  // no atom there
  EXPECT_EQ(records_->document.atomCount, 0u);
}

TEST_F(AppTest, RightDragPansOnlyWithoutModifiers) {
  const Vector3 start = records_->view.camera.target;
  for (const uint32_t modifier : {MK_SHIFT, MK_CONTROL, 0u}) {
    Send(MouseMessage(WM_RBUTTONDOWN, 300, 300, MK_RBUTTON | modifier));
    Send(MouseMessage(WM_MOUSEMOVE, 320, 290, MK_RBUTTON | modifier));
    // 40 pixels per unit at the default zoom: the scene follows the pointer.
    EXPECT_NEAR(records_->view.camera.target.x, modifier ? start.x : start.x - 0.5f, 1e-5)
        << modifier;
    EXPECT_NEAR(records_->view.camera.target.y, modifier ? start.y : start.y - 0.25f, 1e-5)
        << modifier;
  }
}

TEST_F(AppTest, EachWheelNotchZoomsOneStepOutwardsWhenTurnedAway) {
  const struct {
    int32_t delta;
    float zoom;
  } steps[] = {{40, 2.0f},  {40, 2.0f},  {40, 1.9f}, {960, 1.1f},
               {-80, 1.1f}, {-40, 1.2f}, {0, 1.2f},  {-120, 1.3f}};
  for (const auto& step : steps) {
    Send(WheelMessage(step.delta));
    EXPECT_NEAR(records_->view.camera.zoom, step.zoom, 1e-5) << step.delta;
  }
}

TEST_F(AppTest, TheFirstLeftDragAfterOpenDoesNotRotate) {
  const uint32_t atom = AddCarbon(2, 1);
  app_.state.skipNextDrag = 1;  // as a confirmed Open leaves it
  const auto before = PositionOf(*records_, atom);
  Send(MouseMessage(WM_MOUSEMOVE, 200, 200, MK_LBUTTON));
  EXPECT_EQ(PositionOf(*records_, atom), before);
  Send(MouseMessage(WM_MOUSEMOVE, 210, 200, MK_LBUTTON));
  EXPECT_NE(PositionOf(*records_, atom), before);
}

// Positions are signed: one pixel past the left edge is -1, not 65535.
TEST_F(AppTest, ADragPastTheLeftEdgeMovesTheAtomsBySignedPixels) {
  const Vector2 edge = ScreenToWorld(records_->view.camera, 5, 300);
  const uint32_t atom = AddCarbon(edge.x, edge.y);
  LeftDrag({5, 300}, {-1, 300});
  EXPECT_NEAR(records_->document.atoms[atom].x, edge.x - 6 / kPixelsPerUnit, 1e-4);
  EXPECT_NEAR(records_->document.atoms[atom].y, edge.y, 1e-4);
}

}  // namespace
}  // namespace tf::test
