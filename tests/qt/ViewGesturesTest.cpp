// Moving the view with the mouse in the real window: wheel and touchpad zoom,
// panning with the right button, and an outline drawn past its capacity.

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <numbers>

#include "app/DocumentFiles.h"
#include "base/FixedText.h"
#include "qt/RunningApp.h"
#include "view/Camera.h"
#include "view/CameraOperations.h"

namespace tf::test {
namespace {

using ViewGesturesTest = RunningApp;

void Wheel(QWidget& view, int angleDelta) {
  const QPointF at(100, 100);
  QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, angleDelta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&view, &event);
}

TEST_F(ViewGesturesTest, SmallWheelDeltasAddUpToOneZoomStepPerNotch) {
  const float start = records_->view.camera.zoom;
  Wheel(View(), -40);
  Wheel(View(), -40);
  EXPECT_EQ(records_->view.camera.zoom, start);
  Wheel(View(), -40);
  EXPECT_NEAR(records_->view.camera.zoom, start + 0.1f, 1e-6f);
  Wheel(View(), 120);
  EXPECT_NEAR(records_->view.camera.zoom, start, 1e-6f) << "a classic notch is one step";
}

TEST_F(ViewGesturesTest, ARightDragKeepsThePointUnderThePointerAtEveryZoom) {
  for (const int32_t zoomSteps : {0, 25}) {
    Zoom(records_->view, records_->resources, zoomSteps);
    const QPoint from(250, 250), to(330, 190);
    const Vector2 grabbed = ScreenToWorld(records_->view.camera, from.x(), from.y());
    Drag(Qt::RightButton, from, to);
    const Vector2 now = ScreenToWorld(records_->view.camera, to.x(), to.y());
    EXPECT_NEAR(now.x, grabbed.x, 1e-3f) << "zoom " << records_->view.camera.zoom;
    EXPECT_NEAR(now.y, grabbed.y, 1e-3f) << "zoom " << records_->view.camera.zoom;
  }
}

TEST_F(ViewGesturesTest, AFullOutlineSelectsAndTheRestOfTheDragDoesNotRotate) {
  OpenDocumentFile(*app_, FromUtf8(CopySample("benzene")));
  const float x = records_->document.atoms[0].x, y = records_->document.atoms[0].y;
  Key(Qt::Key_F3);
  // Two laps of a circle around the molecule, centred in the view, 1500 points in all.
  const Vector2 middle = WorldToScreen(records_->view.camera, 0, 0);
  const QPoint centre(static_cast<int>(middle.x), static_cast<int>(middle.y));
  auto onCircle = [&](int k) {
    const double angle = 2 * std::numbers::pi * k / 750;
    return centre +
           QPoint(static_cast<int>(240 * std::cos(angle)), static_cast<int>(240 * std::sin(angle)));
  };
  MoveTo(onCircle(0), Qt::NoButton);
  Press(Qt::LeftButton, onCircle(0));
  for (int k = 1; k <= 1500; ++k) MoveTo(onCircle(k), Qt::LeftButton);
  Release(Qt::LeftButton, onCircle(1500) + QPoint(0, 30));
  EXPECT_EQ(records_->document.selectedCount, 12);
  EXPECT_EQ(records_->document.atoms[0].x, x);
  EXPECT_EQ(records_->document.atoms[0].y, y);
}

}  // namespace
}  // namespace tf::test
