#include "view/gl/TextLayout.h"

#include "base/FixedText.h"
#include "view/GraphicsTypes.h"

namespace tf {

std::vector<std::u32string> TextLines(const std::u16string& text, uint32_t format) {
  std::vector<std::u32string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t c = DecodeUtf16(text, i);
    if (c == U'\r') continue;
    if (c == U'\n' && !(format & kDtSingleLine)) {
      lines.emplace_back();
      continue;
    }
    lines.back().push_back(c);
  }
  return lines;
}

LinePlacement PlaceLine(const PixelRect& rect, uint32_t format, int64_t width, size_t index,
                        size_t count, int lineHeight) {
  const int64_t left = rect.left, right = rect.right, top = rect.top, bottom = rect.bottom;
  LinePlacement placement{left, top};
  if (format & kDtRight)
    placement.left = right - width;
  else if (format & kDtCenter)
    placement.left = left + (right - left - width) / 2;
  const int64_t blockHeight = static_cast<int64_t>(count) * lineHeight;
  if (format & kDtBottom)
    placement.top = bottom - blockHeight;
  else if (format & kDtVCenter)
    placement.top = top + (bottom - top - blockHeight) / 2;
  placement.top += static_cast<int64_t>(index) * lineHeight;
  return placement;
}

}  // namespace tf
