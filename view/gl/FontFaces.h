#pragma once
// Font faces for recorded text: fontconfig finds the file for a face name
// (an Arial request gets its metric twin Liberation Sans; anything else
// missing gets a sans face) and FreeType renders it at the size a
// FontDescription asks for, measured like a Windows font: the height is the
// character cell (ascent plus descent) and the width the average character
// width. Only view/gl sources include this header.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "view/GraphicsTypes.h"

namespace tf {

// A rendered glyph: coverage rows from the top, placed relative to the pen
// position on the baseline.
struct GlyphImage {
  int width = 0;
  int height = 0;
  int left = 0;  // pen to the bitmap's left edge
  int top = 0;   // baseline up to the bitmap's top edge
  int advance = 0;
  std::vector<uint8_t> coverage;
};

class FontFace {
 public:
  FontFace(FT_Face face, int cellHeight, int ascent);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  int CellHeight() const { return cellHeight_; }
  int Ascent() const { return ascent_; }
  // The glyph for `c` (the face's missing-glyph box when it has none); false
  // when FreeType cannot render it.
  bool Render(char32_t c, GlyphImage* image);

 private:
  FT_Face face_;
  int cellHeight_;
  int ascent_;
};

class FontLibrary {
 public:
  FontLibrary();
  ~FontLibrary();
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;

  // The face for `description` with its height and width `scale` times the
  // pixels it asks for (framebuffer pixels per client pixel), opened on first
  // use; null when no usable font is installed.
  FontFace* Face(const FontDescription& description, double scale);

 private:
  using Key = std::tuple<std::u16string, int32_t, uint32_t, uint32_t, bool, double>;
  std::unique_ptr<FontFace> Open(const FontDescription& description, double scale);

  FT_Library library_ = nullptr;
  bool fontconfigReady_ = false;
  std::map<Key, std::unique_ptr<FontFace>> faces_;  // null entries remember failures
};

}  // namespace tf
