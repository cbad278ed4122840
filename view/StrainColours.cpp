#include "view/StrainColours.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tf {

uint32_t StrainColour(double value, double lowest, double highest) {
  constexpr uint32_t kWhite = 0xFFFFFFu;
  const double range = highest - lowest;
  if (!(range > 0) || !std::isfinite(range) || std::isnan(value)) return kWhite;
  const double t = std::clamp((value - lowest) / range, 0.0, 1.0);
  // The channels that fade: red and green towards blue below the middle,
  // green and blue towards red above it.
  const auto fade = [](double share) {
    return static_cast<uint32_t>(std::lround(255.0 * std::clamp(share, 0.0, 1.0)));
  };
  if (t < 0.5) {
    const uint32_t c = fade(2.0 * t);
    return c << 16 | c << 8 | 0xFFu;
  }
  const uint32_t c = fade(2.0 * (1.0 - t));
  return 0xFF0000u | c << 8 | c;
}

StrainRange StrainRangeOf(std::span<const double> values) {
  double lowest = std::numeric_limits<double>::infinity();
  double highest = -lowest;
  for (double value : values) {
    if (!std::isfinite(value)) continue;
    lowest = std::min(lowest, value);
    highest = std::max(highest, value);
  }
  if (lowest > highest) return {};
  return {lowest, highest};
}

}  // namespace tf
