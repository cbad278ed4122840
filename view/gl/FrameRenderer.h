#pragma once
// Replays recorded frames with OpenGL. The renderer draws a frame's back
// buffer into its own framebuffer (RGBA8 with depth and stencil) and then
// copies the frame's source rectangle to its destination rectangle on the
// target framebuffer, the way the recording device's Present would show it.
//
// Create, Replay and destroy the renderer only while the same OpenGL 3.3 core
// (or newer) context is current; destroying it frees every GL object it made.
// Replay leaves the context's state as it found it. No Qt here: the caller
// makes the context current (a QOpenGLWidget, or OffscreenContext).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "view/Frame.h"

namespace tf {

class MeshPass;
class LinePass;
class TextPass;

// Where the copy goes. Rectangles of a frame are client pixels (origin
// top-left, y down). The target framebuffer has `scale` framebuffer pixels
// per client pixel (the screen's device pixel ratio; 1 off screen) and shows
// a part of the client area: its pixel (0, 0), top-left, is framebuffer pixel
// (left, top) of the client area drawn at that scale, and it is width x
// height framebuffer pixels. So the caller passes the client position and
// size of that part multiplied by `scale`: a view at client y 30, 400 x 300
// client pixels, on a screen of ratio 2, is {left 0, top 60, width 800,
// height 600, scale 2}. The copy is a framebuffer blit, so the target must
// not be multisampled.
struct ReplayTarget {
  uint32_t framebuffer = 0;  // GL framebuffer name; 0 is the default framebuffer
  int32_t left = 0;
  int32_t top = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  float scale = 1.0f;
};

// What the last Replay did.
struct ReplayStats {
  uint32_t meshDrawCalls = 0;    // one per instanced run of mesh items
  uint32_t sphereImpostors = 0;  // mesh items drawn as ray-cast spheres
  uint32_t hiddenSpheres = 0;    // of those, left out because nearer ones hide them
  uint32_t lineDrawCalls = 0;
  uint32_t textDrawCalls = 0;
  size_t cachedGeometries = 0;  // GPU copies kept for later replays
  size_t cachedTextures = 0;
};

class FrameRenderer {
 public:
  // Null, with the reason in `error`, when the current context is missing,
  // older than OpenGL 3.3 or cannot build the shaders.
  static std::unique_ptr<FrameRenderer> Create(std::string* error);
  ~FrameRenderer();
  FrameRenderer(const FrameRenderer&) = delete;
  FrameRenderer& operator=(const FrameRenderer&) = delete;

  // Draws `frame` at the target's scale and copies it to `target`. The back
  // buffer is round(width * scale) x round(height * scale) framebuffer
  // pixels; meshes, lines, texts and clears fill it as they fill the client
  // sized one, texts rasterised at the scaled size. Items are drawn in
  // recording order; what the frame does not clear keeps the previous
  // replay's pixels, as a back buffer would. False (nothing drawn or copied)
  // when the scaled back buffer is empty or larger than the GL
  // implementation allows.
  bool Replay(const Frame& frame, const ReplayTarget& target);

  const ReplayStats& LastStats() const { return stats_; }

  // GPU copies of geometry and textures that this many replays in a row
  // have not used are freed.
  static constexpr uint64_t kUnusedReplaysKept = 30;

 private:
  FrameRenderer();
  bool EnsureBackBuffer(uint32_t width, uint32_t height);
  // `scale`: back-buffer pixels per client pixel.
  void DrawItems(const Frame& frame, double scale);
  void Clear(const ClearItem& clear, double scale);
  void CopyToTarget(const Frame& frame, const ReplayTarget& target, double scale);
  void ReleaseBackBuffer();

  std::unique_ptr<MeshPass> meshes_;
  std::unique_ptr<LinePass> lines_;
  std::unique_ptr<TextPass> texts_;
  uint32_t framebuffer_ = 0;
  uint32_t colorBuffer_ = 0;
  uint32_t depthBuffer_ = 0;
  uint32_t backBufferWidth_ = 0;
  uint32_t backBufferHeight_ = 0;
  uint32_t maxSize_ = 0;
  uint64_t replays_ = 0;
  ReplayStats stats_;
};

}  // namespace tf
