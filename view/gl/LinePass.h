#pragma once
// Draws recorded screen-space polylines: each segment a quad of the line's
// width, in back-buffer (client) pixels, blended over what is there, with the
// 32-bit stipple pattern running on along the whole polyline. The antialias
// flag is not used: lines are drawn with hard edges. On a framebuffer with
// several pixels per client pixel, widths and dashes grow with it and a line
// covers the framebuffer pixels of the client pixels it covers at one to one.
// Only view/gl sources include this header.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "view/Frame.h"
#include "view/gl/GlObjects.h"

namespace tf {

class LinePass {
 public:
  // Null with the reason in `error` when the shaders cannot be built.
  static std::unique_ptr<LinePass> Create(std::string* error);

  // Draws frame.items[first, end), which must all be LineItems, as one batch
  // into the bound framebuffer, whose viewport holds the back buffer at
  // `scale` framebuffer pixels per client pixel; adds the number of draw
  // calls to `drawCalls`.
  void Draw(const Frame& frame, size_t first, size_t end, double scale, uint32_t* drawCalls);

 private:
  LinePass() = default;

  GlProgram program_;
  GlVertexArray vertexArray_;
  GlBuffer vertices_;
  GLint backBufferSize_ = -1;
};

}  // namespace tf
