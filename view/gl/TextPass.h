#pragma once
// Draws recorded texts: glyphs from the atlas as textured quads in
// framebuffer pixels, in the text's colour with its alpha, clipped to the
// layout rectangle unless kDtNoClip is set. On a framebuffer `scale` times the
// back buffer's client size, the font is rasterised at `scale` times its size
// and laid out in the scaled layout rectangle, so text stays crisp. Only
// view/gl sources include this header.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "view/Frame.h"
#include "view/gl/FontFaces.h"
#include "view/gl/GlObjects.h"
#include "view/gl/GlyphAtlas.h"

namespace tf {

class TextPass {
 public:
  // Null with the reason in `error` when the shaders cannot be built.
  static std::unique_ptr<TextPass> Create(std::string* error);

  // Draws frame.items[first, end), which must all be TextItems, as one batch
  // into the bound framebuffer, `width` x `height` pixels, `scale` of them
  // per client pixel; adds the number of draw calls to `drawCalls`.
  void Draw(const Frame& frame, size_t first, size_t end, double scale, uint32_t width,
            uint32_t height, uint32_t* drawCalls);

 private:
  struct Vertex {
    float x, y, u, v;
    uint32_t color;  // 0xAARRGGBB
  };
  TextPass() = default;
  // False when the atlas filled up before every glyph was placed.
  bool AppendText(const TextItem& item, double scale, std::vector<Vertex>& out);

  GlProgram program_;
  GlVertexArray vertexArray_;
  GlBuffer vertices_;
  GLint backBufferSize_ = -1;
  GLint atlasSampler_ = -1;
  std::unique_ptr<GlyphAtlas> atlas_;
  FontLibrary fonts_;
};

}  // namespace tf
