#pragma once
// An OpenGL core-profile context with no window, no surface and no display
// server: EGL on Mesa's surfaceless platform. Rendering goes to framebuffer
// objects. Used by the command-line renderer and the pixel tests.

#include <memory>
#include <string>

namespace tf {

class OffscreenContext {
 public:
  // A context of OpenGL 3.3 or newer, current on the calling thread; null
  // with the reason in `error` when EGL or OpenGL cannot start.
  static std::unique_ptr<OffscreenContext> Create(std::string* error);
  // Leaves no context current on the calling thread.
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  bool MakeCurrent();

 private:
  OffscreenContext(void* display, void* context) : display_(display), context_(context) {}

  void* display_;  // EGLDisplay
  void* context_;  // EGLContext
};

}  // namespace tf
