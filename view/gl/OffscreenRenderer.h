#pragma once
// Renders recorded frames to images with no window: an offscreen context, a
// FrameRenderer and a target framebuffer the size of what the frame presents.

#include <memory>
#include <string>

#include "view/Frame.h"
#include "view/gl/FrameRenderer.h"
#include "view/gl/OffscreenContext.h"
#include "view/gl/RgbaImage.h"

namespace tf {

class OffscreenRenderer {
 public:
  // Null with the reason in `error` when EGL or OpenGL cannot start. The
  // context is current on the calling thread afterwards; use the renderer
  // from that thread only.
  static std::unique_ptr<OffscreenRenderer> Create(std::string* error);
  ~OffscreenRenderer();
  OffscreenRenderer(const OffscreenRenderer&) = delete;
  OffscreenRenderer& operator=(const OffscreenRenderer&) = delete;

  // Replays `frame` into an image the size of its destination rectangle (the
  // back buffer's when it has none), as the window would show it there.
  // False with the reason in `error` when the frame presents nothing or the
  // image cannot be made.
  bool Render(const Frame& frame, RgbaImage* image, std::string* error);

  FrameRenderer& Renderer() { return *renderer_; }
  OffscreenContext& Context() { return *context_; }

 private:
  OffscreenRenderer() = default;
  bool EnsureTarget(uint32_t width, uint32_t height);
  void ReleaseTarget();

  std::unique_ptr<OffscreenContext> context_;
  std::unique_ptr<FrameRenderer> renderer_;
  uint32_t framebuffer_ = 0;
  uint32_t colorBuffer_ = 0;
  uint32_t width_ = 0;
  uint32_t height_ = 0;
};

}  // namespace tf
