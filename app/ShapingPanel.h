#pragma once
// The Shaping panel's logic: six boxes, one per energy term, whose states
// become requestedShapingTerms only when "Apply" is pressed. A running
// shaping keeps the terms it started with.

#include <array>
#include <cstdint>

#include "shaping/ShapingRun.h"

namespace tf {

struct ShapingTermBox {
  int32_t id;
  const char16_t* label;
  uint32_t bit;
};

// In the panel's order.
inline constexpr std::array<ShapingTermBox, 6> kShapingTermBoxes{{
    {1013, u"Interatomic distances", kTermDistances},
    {1014, u"Angles", kTermAngles},
    {1015, u"Out-of-plane", kTermOutOfPlane},
    {1016, u"Torsions", kTermTorsions},
    {1017, u"Van der Waals", kTermVanDerWaals},
    {1018, u"Coulomb", kTermCoulomb},
}};

using ShapingChecks = std::array<bool, kShapingTermBoxes.size()>;

// The panel is made: every box checked, every term requested.
ShapingChecks CreateShapingPanel(ShapingRun& run);

// "Apply": requestedShapingTerms holds the bits of the checked boxes.
void ApplyShapingPanel(ShapingRun& run, const ShapingChecks& checks);

}  // namespace tf
