#include "app/ShapingPanel.h"

namespace tf {

ShapingChecks CreateShapingPanel(ShapingRun& run) {
  run.requestedShapingTerms = kAllTerms;
  ShapingChecks checks;
  checks.fill(true);
  return checks;
}

void ApplyShapingPanel(ShapingRun& run, const ShapingChecks& checks) {
  uint32_t terms = 0;
  for (std::size_t k = 0; k < checks.size(); ++k)
    if (checks[k]) terms |= kShapingTermBoxes[k].bit;
  run.requestedShapingTerms = terms;
}

}  // namespace tf
