#include "model/ModelStyle.h"

#include "model/TableLookup.h"

namespace tf {

StyleRadii RadiiOfStyle(int32_t style) {
  switch (style) {
    case kWireframe:
      return {0.0f, 0.0f, 0.3f};
    case kSpacefill:
      return {kAtomOwnRadius, 0.0f, 0.0f};
    case kSticks:
      return {0.3f, 0.3f, 0.0f};
    case kBallStick:
      return {0.4f, 0.1f, 0.0f};
    default:
      return {0.0f, 0.0f, 0.0f};
  }
}

float DrawnAtomRadius(const ForceFieldTables& tables, const Atom& atom, int32_t style) {
  const float sphere = RadiiOfStyle(style).sphere;
  if (sphere != kAtomOwnRadius) return sphere;
  const ChemicalType* chemical = ChemicalTypeOfAtomType(tables, atom.atomType);
  return chemical == nullptr ? 0.0f : chemical->radius;
}

float PickRadius(const ForceFieldTables& tables, const Atom& atom, int32_t style) {
  const float drawn = DrawnAtomRadius(tables, atom, style);
  return drawn > 0.0f ? drawn : RadiiOfStyle(style).pick;
}

}  // namespace tf
