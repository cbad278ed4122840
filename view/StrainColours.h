#pragma once
// Colouring atoms by their share of the energy: a blue-white-red ramp from
// the lowest to the highest share of the frame.

#include <cstdint>
#include <span>

namespace tf {

// 0xRRGGBB of `value` on the ramp from `lowest` (pure blue) through the middle
// (white) to `highest` (pure red), linear in between and clamped at the ends.
// White when the range is empty or not finite, or the value is not a number.
uint32_t StrainColour(double value, double lowest, double highest);

struct StrainRange {
  double lowest = 0, highest = 0;
};

// The lowest and highest finite value; both 0 when there is none.
StrainRange StrainRangeOf(std::span<const double> values);

}  // namespace tf
