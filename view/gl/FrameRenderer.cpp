#include "view/gl/FrameRenderer.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "view/GraphicsTypes.h"
#include "view/gl/GlObjects.h"
#include "view/gl/GlState.h"
#include "view/gl/LinePass.h"
#include "view/gl/MeshPass.h"
#include "view/gl/TextPass.h"

namespace tf {

namespace {

struct Rect {
  double left, top, right, bottom;
};

// Keeps blit coordinates far from GLint overflow; anything beyond lies outside every framebuffer.
GLint BlitCoordinate(double value) {
  return static_cast<GLint>(std::clamp(std::round(value), -1e9, 1e9));
}

}  // namespace

FrameRenderer::FrameRenderer() = default;

FrameRenderer::~FrameRenderer() {
  GlStateGuard guard;
  meshes_.reset();
  lines_.reset();
  texts_.reset();
  ReleaseBackBuffer();
}

std::unique_ptr<FrameRenderer> FrameRenderer::Create(std::string* error) {
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) {
    if (error) *error = "no OpenGL context is current";
    return nullptr;
  }
  if (!epoxy_is_desktop_gl() || epoxy_gl_version() < 33) {
    if (error)
      *error = std::string("desktop OpenGL 3.3 or newer is needed; the context has ") + version;
    return nullptr;
  }
  GlStateGuard guard;
  std::unique_ptr<FrameRenderer> renderer(new FrameRenderer());
  renderer->meshes_ = MeshPass::Create(error);
  if (renderer->meshes_) renderer->lines_ = LinePass::Create(error);
  if (renderer->lines_) renderer->texts_ = TextPass::Create(error);
  if (!renderer->texts_) return nullptr;
  GLint renderbufferSize = 0, viewportSize[2] = {};
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbufferSize);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewportSize);
  renderer->maxSize_ = static_cast<uint32_t>(
      std::max(0, std::min({renderbufferSize, viewportSize[0], viewportSize[1]})));
  return renderer;
}

void FrameRenderer::ReleaseBackBuffer() {
  if (framebuffer_) glDeleteFramebuffers(1, &framebuffer_);
  if (colorBuffer_) glDeleteRenderbuffers(1, &colorBuffer_);
  if (depthBuffer_) glDeleteRenderbuffers(1, &depthBuffer_);
  framebuffer_ = colorBuffer_ = depthBuffer_ = 0;
  backBufferWidth_ = backBufferHeight_ = 0;
}

bool FrameRenderer::EnsureBackBuffer(uint32_t width, uint32_t height) {
  if (framebuffer_ && width == backBufferWidth_ && height == backBufferHeight_) return true;
  ReleaseBackBuffer();
  framebuffer_ = NewFramebuffer();
  colorBuffer_ = NewRenderbuffer();
  depthBuffer_ = NewRenderbuffer();
  const auto w = static_cast<GLsizei>(width), h = static_cast<GLsizei>(height);
  glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
  glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, w, h);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                            depthBuffer_);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    ReleaseBackBuffer();
    return false;
  }
  backBufferWidth_ = width;
  backBufferHeight_ = height;
  // A new back buffer starts black, its depth far and its stencil zero.
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glStencilMask(0xFF);
  glClearColor(0, 0, 0, 1);
  glClearDepth(1);
  glClearStencil(0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  return true;
}

bool FrameRenderer::Replay(const Frame& frame, const ReplayTarget& target) {
  stats_ = ReplayStats{};
  const double scale = target.scale;
  // NaN, negative and zero scales fail the first test.
  const double scaledWidth = std::round(frame.backBufferWidth * scale);
  const double scaledHeight = std::round(frame.backBufferHeight * scale);
  if (!(scaledWidth >= 1 && scaledHeight >= 1) || scaledWidth > maxSize_ || scaledHeight > maxSize_)
    return false;
  const auto width = static_cast<uint32_t>(scaledWidth);
  const auto height = static_cast<uint32_t>(scaledHeight);
  GlStateGuard guard;
  if (!EnsureBackBuffer(width, height)) return false;
  ++replays_;
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
  DrawItems(frame, scale);
  meshes_->DropUnused(replays_, kUnusedReplaysKept);
  stats_.cachedGeometries = meshes_->CachedGeometries();
  stats_.cachedTextures = meshes_->CachedTextures();
  CopyToTarget(frame, target, scale);
  return true;
}

void FrameRenderer::DrawItems(const Frame& frame, double scale) {
  // The back buffer has no alpha of its own: it stays opaque whatever is blended in.
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  const std::vector<DrawItem>& items = frame.items;
  for (size_t first = 0; first < items.size();) {
    size_t end = first + 1;
    while (end < items.size() && items[end].index() == items[first].index() &&
           !std::holds_alternative<ClearItem>(items[first]))
      ++end;
    if (const auto* clear = std::get_if<ClearItem>(&items[first])) {
      Clear(*clear, scale);
    } else if (std::holds_alternative<MeshItem>(items[first])) {
      meshes_->Draw(frame, first, end, backBufferWidth_, backBufferHeight_, replays_,
                    &stats_.meshDrawCalls, &stats_.sphereImpostors, &stats_.hiddenSpheres);
    } else {
      // Lines and text go over the scene in recording order, blended, without depth.
      glDisable(GL_DEPTH_TEST);
      glDisable(GL_CULL_FACE);
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      glBlendEquation(GL_FUNC_ADD);
      if (std::holds_alternative<LineItem>(items[first]))
        lines_->Draw(frame, first, end, scale, &stats_.lineDrawCalls);
      else
        texts_->Draw(frame, first, end, scale, backBufferWidth_, backBufferHeight_,
                     &stats_.textDrawCalls);
    }
    first = end;
  }
}

void FrameRenderer::Clear(const ClearItem& clear, double scale) {
  GLbitfield mask = 0;
  if (clear.flags & kClearTarget) mask |= GL_COLOR_BUFFER_BIT;
  if (clear.flags & kClearZBuffer) mask |= GL_DEPTH_BUFFER_BIT;
  if (clear.flags & kClearStencil) mask |= GL_STENCIL_BUFFER_BIT;
  if (mask == 0) return;
  const uint32_t c = clear.color;
  glClearColor(static_cast<float>((c >> 16) & 0xFF) / 255.0f,
               static_cast<float>((c >> 8) & 0xFF) / 255.0f, static_cast<float>(c & 0xFF) / 255.0f,
               1.0f);
  glClearDepth(std::clamp(static_cast<double>(clear.z), 0.0, 1.0));
  glClearStencil(static_cast<GLint>(clear.stencil & 0xFF));
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glStencilMask(0xFF);
  if (clear.rects.empty()) {
    glClear(mask);
  } else {
    glEnable(GL_SCISSOR_TEST);
    const int64_t width = backBufferWidth_, height = backBufferHeight_;
    // Client pixels times the scale stay far inside int64 for any back buffer that fits.
    const auto scaled = [scale](int32_t value) { return std::llround(value * scale); };
    for (const PixelRect& rect : clear.rects) {
      const int64_t left = std::clamp<int64_t>(scaled(rect.left), 0, width);
      const int64_t right = std::clamp<int64_t>(scaled(rect.right), 0, width);
      const int64_t top = std::clamp<int64_t>(scaled(rect.top), 0, height);
      const int64_t bottom = std::clamp<int64_t>(scaled(rect.bottom), 0, height);
      if (right <= left || bottom <= top) continue;
      glScissor(static_cast<GLint>(left), static_cast<GLint>(height - bottom),
                static_cast<GLsizei>(right - left), static_cast<GLsizei>(bottom - top));
      glClear(mask);
    }
    glDisable(GL_SCISSOR_TEST);
  }
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

void FrameRenderer::CopyToTarget(const Frame& frame, const ReplayTarget& target, double scale) {
  // Everything from here on is in framebuffer pixels: the frame's client
  // rectangles scaled, the target's as the caller gave them.
  const double width = backBufferWidth_, height = backBufferHeight_;
  const auto scaled = [scale](const PixelRect& r) {
    return Rect{r.left * scale, r.top * scale, r.right * scale, r.bottom * scale};
  };
  Rect source{0, 0, width, height};
  if (frame.sourceRect) source = scaled(*frame.sourceRect);
  Rect dest{static_cast<double>(target.left), static_cast<double>(target.top),
            static_cast<double>(target.left) + target.width,
            static_cast<double>(target.top) + target.height};
  if (frame.destRect) dest = scaled(*frame.destRect);
  if (source.right <= source.left || source.bottom <= source.top || dest.right <= dest.left ||
      dest.bottom <= dest.top || target.width == 0 || target.height == 0)
    return;

  // Trim the source to the back buffer and the destination with it, keeping the scale.
  const double scaleX = (dest.right - dest.left) / (source.right - source.left);
  const double scaleY = (dest.bottom - dest.top) / (source.bottom - source.top);
  if (source.left < 0) {
    dest.left -= source.left * scaleX;
    source.left = 0;
  }
  if (source.top < 0) {
    dest.top -= source.top * scaleY;
    source.top = 0;
  }
  if (source.right > width) {
    dest.right -= (source.right - width) * scaleX;
    source.right = width;
  }
  if (source.bottom > height) {
    dest.bottom -= (source.bottom - height) * scaleY;
    source.bottom = height;
  }
  if (source.right <= source.left || source.bottom <= source.top) return;

  // Both framebuffers count rows from the bottom.
  const double targetHeight = target.height;
  const double destLeft = dest.left - target.left, destRight = dest.right - target.left;
  const double destTop = dest.top - target.top, destBottom = dest.bottom - target.top;
  const bool sameSize = scaleX == 1.0 && scaleY == 1.0;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.framebuffer);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glBlitFramebuffer(BlitCoordinate(source.left), BlitCoordinate(height - source.bottom),
                    BlitCoordinate(source.right), BlitCoordinate(height - source.top),
                    BlitCoordinate(destLeft), BlitCoordinate(targetHeight - destBottom),
                    BlitCoordinate(destRight), BlitCoordinate(targetHeight - destTop),
                    GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
}

}  // namespace tf
