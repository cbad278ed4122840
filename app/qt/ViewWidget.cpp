#include "app/qt/ViewWidget.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <cmath>
#include <cstdio>

#include "app/qt/KeyTranslation.h"
#include "view/GraphicsDevice.h"
#include "view/gl/FrameRenderer.h"

namespace tf {

ViewWidget::ViewWidget(Dispatch dispatch, QWidget* parent)
    : QOpenGLWidget(parent), dispatch_(std::move(dispatch)) {
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);  // plain moves keep the last mouse position current
  connect(this, &QOpenGLWidget::frameSwapped, this, [this] {
    if (!replayedSinceSwap_) return;
    replayedSinceSwap_ = false;
    ++framesShown_;
    emit frameShown();
  });
}

ViewWidget::~ViewWidget() {
  DetachDevice();
}

void ViewWidget::AttachDevice(GraphicsDevice* device) {
  DetachDevice();
  device_ = device;
  if (device_ == nullptr) return;
  device_->AddRef();  // the view may outlive the graphics objects' release
  // Presenting happens on the drawing thread; the repaint is queued to this one.
  device_->SetPresentCallback([this] {
    QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
  });
  update();
}

void ViewWidget::DetachDevice() {
  if (device_ != nullptr) {
    device_->SetPresentCallback(nullptr);
    device_->Release();
  }
  device_ = nullptr;
  ReleaseRenderer();
}

void ViewWidget::ReleaseRenderer() {
  if (!renderer_) return;
  makeCurrent();
  renderer_.reset();
  doneCurrent();
}

// The backend's objects are made at the first replay and freed by
// DetachDevice; the view never moves to another window, so its context stays.
void ViewWidget::initializeGL() {}

void ViewWidget::paintGL() {
  std::shared_ptr<const Frame> frame = device_ ? device_->LatestFrame() : nullptr;
  if (frame && !renderer_ && !rendererFailed_) {
    std::string error;
    renderer_ = FrameRenderer::Create(&error);
    if (!renderer_) {
      rendererFailed_ = true;
      std::fprintf(stderr, "tessaform: the 3-D view cannot draw: %s\n", error.c_str());
    }
  }
  if (!frame || !renderer_) {
    QOpenGLFunctions* gl = context()->functions();
    gl->glClearColor(32 / 255.0f, 32 / 255.0f, 32 / 255.0f, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    return;
  }
  // The frame is in client pixels; the framebuffer has `ratio` device pixels to each.
  const qreal ratio = devicePixelRatioF();
  const ReplayTarget target{defaultFramebufferObject(),
                            0,
                            static_cast<int32_t>(std::lround(y() * ratio)),
                            static_cast<uint32_t>(std::lround(width() * ratio)),
                            static_cast<uint32_t>(std::lround(height() * ratio)),
                            static_cast<float>(ratio)};
  if (renderer_->Replay(*frame, target)) replayedSinceSwap_ = true;
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
  const uint32_t key = VirtualKeyOf(*event);
  if (key == 0) return QOpenGLWidget::keyPressEvent(event);
  dispatch_(KeyDownMessage(key), event->modifiers());
}

void ViewWidget::SendMouse(uint32_t message, const QMouseEvent& event) {
  const QPoint point = event.position().toPoint();
  dispatch_(MouseMessage(message, point.x(), point.y() + y(),
                         MouseKeyState(event.buttons(), event.modifiers())),
            event.modifiers());
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) SendMouse(WM_LBUTTONDOWN, *event);
  if (event->button() == Qt::RightButton) SendMouse(WM_RBUTTONDOWN, *event);
}

// The window takes a second click as another press, not as a double click.
void ViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) SendMouse(WM_LBUTTONUP, *event);
  if (event->button() == Qt::RightButton) SendMouse(WM_RBUTTONUP, *event);
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
  SendMouse(WM_MOUSEMOVE, *event);
}

void ViewWidget::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;  // a sideways scroll is no zoom step
  dispatch_(WheelMessage(delta), event->modifiers());
}

}  // namespace tf
