#pragma once
// Where the lines of a recorded text go inside its layout rectangle: lines
// split at '\n', each one font cell high, placed by the format flags (left,
// centre or right for each line; top, vertical centre or bottom for the whole
// block). Only view/gl sources include this header.

#include <cstdint>
#include <string>
#include <vector>

#include "view/Camera.h"

namespace tf {

// The code points of each line. Carriage returns are dropped, and a '\n'
// splits lines unless kDtSingleLine is set; unpaired surrogates read as U+FFFD.
std::vector<std::u32string> TextLines(const std::u16string& text, uint32_t format);

struct LinePlacement {
  int64_t left;  // pen start
  int64_t top;   // top of the line's cell
};

// Placement of line `index` of `count`, `width` pixels wide, in `rect`.
LinePlacement PlaceLine(const PixelRect& rect, uint32_t format, int64_t width, size_t index,
                        size_t count, int lineHeight);

}  // namespace tf
