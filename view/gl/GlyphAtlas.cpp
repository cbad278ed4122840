#include "view/gl/GlyphAtlas.h"

#include <algorithm>

namespace tf {

namespace {

constexpr int kPadding = 1;  // keeps linear reads and rounding from touching a neighbour

}  // namespace

GlyphAtlas::GlyphAtlas() : texture_(NewTexture()) {
  glBindTexture(GL_TEXTURE_2D, texture_.get());
  glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, kSize, kSize, 0, GL_RED, GL_UNSIGNED_BYTE, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

void GlyphAtlas::Clear() {
  glyphs_.clear();
  shelfX_ = shelfY_ = shelfHeight_ = 0;
}

const AtlasGlyph* GlyphAtlas::Find(FontFace& face, char32_t c) {
  const auto key = std::make_pair(static_cast<const FontFace*>(&face), c);
  if (auto found = glyphs_.find(key); found != glyphs_.end()) return &found->second;

  GlyphImage image;
  AtlasGlyph glyph;
  if (face.Render(c, &image)) {
    glyph.advance = image.advance;
    glyph.left = image.left;
    glyph.top = image.top;
    const bool fits = image.width + kPadding <= kSize && image.height + kPadding <= kSize;
    if (image.width > 0 && image.height > 0 && fits) {
      if (shelfX_ + image.width + kPadding > kSize) {
        shelfY_ += shelfHeight_;
        shelfX_ = 0;
        shelfHeight_ = 0;
      }
      if (shelfY_ + image.height + kPadding > kSize) return nullptr;
      glyph.x = shelfX_;
      glyph.y = shelfY_;
      glyph.width = image.width;
      glyph.height = image.height;
      shelfX_ += image.width + kPadding;
      shelfHeight_ = std::max(shelfHeight_, image.height + kPadding);
      glTexSubImage2D(GL_TEXTURE_2D, 0, glyph.x, glyph.y, glyph.width, glyph.height, GL_RED,
                      GL_UNSIGNED_BYTE, image.coverage.data());
    }
  }
  return &glyphs_.emplace(key, glyph).first->second;
}

}  // namespace tf
