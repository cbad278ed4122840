#include "view/gl/OffscreenRenderer.h"

#include <epoxy/gl.h>

#include <cstring>

#include "view/gl/GlObjects.h"
#include "view/gl/GlState.h"

namespace tf {

namespace {

constexpr uint32_t kMaxImageSide = 16384;

}  // namespace

std::unique_ptr<OffscreenRenderer> OffscreenRenderer::Create(std::string* error) {
  std::unique_ptr<OffscreenRenderer> offscreen(new OffscreenRenderer());
  offscreen->context_ = OffscreenContext::Create(error);
  if (!offscreen->context_) return nullptr;
  offscreen->renderer_ = FrameRenderer::Create(error);
  if (!offscreen->renderer_) return nullptr;
  return offscreen;
}

OffscreenRenderer::~OffscreenRenderer() {
  if (context_ && context_->MakeCurrent()) {
    renderer_.reset();
    ReleaseTarget();
  }
}

void OffscreenRenderer::ReleaseTarget() {
  if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
  if (colorBuffer_) glDeleteRenderbuffers(1, &colorBuffer_);
  framebuffer_ = colorBuffer_ = 0;
  width_ = height_ = 0;
}

bool OffscreenRenderer::EnsureTarget(uint32_t width, uint32_t height) {
  if (framebuffer_ && width == width_ && height == height_) return true;
  ReleaseTarget();
  framebuffer_ = NewFramebuffer();
  colorBuffer_ = NewRenderbuffer();
  glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, static_cast<GLsizei>(width),
                        static_cast<GLsizei>(height));
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    ReleaseTarget();
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

bool OffscreenRenderer::Render(const Frame& frame, RgbaImage* image, std::string* error) {
  auto fail = [error](const char* reason) {
    if (error) *error = reason;
    return false;
  };
  if (image == nullptr) return fail("no image to render into");
  if (!context_->MakeCurrent()) return fail("the offscreen OpenGL context cannot be made current");
  int64_t left = 0, top = 0;
  int64_t width = frame.backBufferWidth, height = frame.backBufferHeight;
  if (frame.destRect) {
    left = frame.destRect->left;
    top = frame.destRect->top;
    width = int64_t{frame.destRect->right} - left;
    height = int64_t{frame.destRect->bottom} - top;
  }
  if (width <= 0 || height <= 0) return fail("the frame presents an empty rectangle");
  if (width > kMaxImageSide || height > kMaxImageSide)
    return fail("the frame presents a rectangle too large to render");
  const auto w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);

  {
    GlStateGuard guard;
    if (!EnsureTarget(w, h)) return fail("no framebuffer of the frame's size");
    // What the copy does not reach shows black, like an undrawn window.
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  const ReplayTarget target{framebuffer_, static_cast<int32_t>(left), static_cast<int32_t>(top), w,
                            h};
  if (!renderer_->Replay(frame, target)) return fail("the frame's back buffer cannot be drawn");

  GlStateGuard guard;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  std::vector<uint8_t> bottomUp(size_t{w} * h * 4);
  glReadPixels(0, 0, static_cast<GLsizei>(w), static_cast<GLsizei>(h), GL_RGBA, GL_UNSIGNED_BYTE,
               bottomUp.data());
  image->width = w;
  image->height = h;
  image->pixels.resize(bottomUp.size());
  const size_t rowBytes = size_t{w} * 4;
  for (uint32_t y = 0; y < h; ++y)
    std::memcpy(&image->pixels[y * rowBytes], &bottomUp[(h - 1 - y) * rowBytes], rowBytes);
  return true;
}

}  // namespace tf
