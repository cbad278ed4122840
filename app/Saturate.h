#pragma once
// Pixel arithmetic on positions and sizes the desktop reports is done in 64
// bits and brought back to the nearest 32-bit value, so nothing overflows.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tf {

inline int32_t SaturateToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace tf
