#pragma once
// The 3-D view: shows the latest frame the graphics device presented, replayed
// with the OpenGL backend, and turns the mouse and keyboard events it receives
// into main-window messages in client pixels (the toolbar strip above it
// included, so a point of this widget has the toolbar height added to y).

#include <QOpenGLWidget>
#include <functional>
#include <memory>

#include "app/WindowMessages.h"

namespace tf {

class FrameRenderer;
class GraphicsDevice;

class ViewWidget : public QOpenGLWidget {
  Q_OBJECT

 public:
  using Dispatch = std::function<void(const WindowMessage&, Qt::KeyboardModifiers)>;
  ViewWidget(Dispatch dispatch, QWidget* parent);
  ~ViewWidget() override;

  // Frames presented by `device` from now on are shown; any thread may present.
  void AttachDevice(GraphicsDevice* device);
  // Stops showing frames and frees the backend's GL objects in this widget's
  // context.
  void DetachDevice();

  // Replays so far that drew a presented frame.
  uint64_t FramesShown() const { return framesShown_; }

 signals:
  // A replayed frame has reached the window (after its buffers were swapped).
  void frameShown();

 protected:
  void initializeGL() override;
  void paintGL() override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void SendMouse(uint32_t message, const QMouseEvent& event);
  void ReleaseRenderer();

  Dispatch dispatch_;
  GraphicsDevice* device_ = nullptr;
  std::unique_ptr<FrameRenderer> renderer_;
  bool rendererFailed_ = false;
  bool replayedSinceSwap_ = false;
  uint64_t framesShown_ = 0;
};

}  // namespace tf
