#pragma once
// One single-channel texture holding the rendered glyphs of every font face,
// packed in shelves and uploaded as they are first needed. When it fills up
// the text pass clears it and places the glyphs of the batch again. Only
// view/gl sources include this header.

#include <cstdint>
#include <map>
#include <utility>

#include "view/gl/FontFaces.h"
#include "view/gl/GlObjects.h"

namespace tf {

struct AtlasGlyph {
  int x = 0, y = 0;  // texel of the bitmap's top-left in the atlas
  int width = 0, height = 0;
  int left = 0, top = 0;  // as in GlyphImage
  int advance = 0;
};

class GlyphAtlas {
 public:
  static constexpr int kSize = 1024;

  // Creates the texture; the context must be current.
  GlyphAtlas();

  // The glyph of `c` in `face`, rendered and uploaded on first use (the atlas
  // texture must be bound to GL_TEXTURE_2D). Null when it no longer fits;
  // glyphs that cannot be rendered or are larger than the atlas come back
  // empty, with their advance.
  const AtlasGlyph* Find(FontFace& face, char32_t c);
  void Clear();
  GLuint Texture() const { return texture_.get(); }

 private:
  GlTexture texture_;
  std::map<std::pair<const FontFace*, char32_t>, AtlasGlyph> glyphs_;
  int shelfX_ = 0, shelfY_ = 0, shelfHeight_ = 0;
};

}  // namespace tf
