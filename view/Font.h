#pragma once
// Text drawer: each DrawText records the string with its layout rectangle,
// format flags and colour; a replay lays the glyphs out.

#include <cstdint>

#include "view/Camera.h"
#include "view/GraphicsTypes.h"
#include "view/RefCounted.h"

namespace tf {

class GraphicsDevice;

// Longest text DrawText takes from a zero-terminated string.
inline constexpr int kMaxDrawTextLength = 4096;

class Font : public RefCounted {
 public:
  // Draws `count` characters of `text` (-1: up to its terminating zero) in
  // `rect` with format flags (kDt*) and colour 0xAARRGGBB; no sprite is
  // supported, so `sprite` must be null. Returns the height of the text in
  // pixels (lines times the font height), or 0 when nothing could be drawn.
  // With kDtCalcRect nothing is drawn and `rect` is grown to the text's extent,
  // estimated from the font's character width.
  int DrawText(void* sprite, const char16_t* text, int count, PixelRect* rect, uint32_t format,
               uint32_t color);

  // Before and after a device Reset; between them DrawText draws nothing.
  long OnLostDevice();
  long OnResetDevice();

  const FontDescription& Description() const { return description_; }

 private:
  friend long CreateFont(GraphicsDevice*, int32_t, uint32_t, uint32_t, uint32_t, bool, uint32_t,
                         uint32_t, uint32_t, uint32_t, const char16_t*, Font**);
  Font(GraphicsDevice* device, FontDescription description);
  ~Font() override;

  GraphicsDevice* device_;
  FontDescription description_;
  bool lost_ = false;
};

long CreateFont(GraphicsDevice* device, int32_t height, uint32_t width, uint32_t weight,
                uint32_t mipLevels, bool italic, uint32_t charSet, uint32_t outputPrecision,
                uint32_t quality, uint32_t pitchAndFamily, const char16_t* faceName, Font** font);

}  // namespace tf
