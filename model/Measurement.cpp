#include "model/Measurement.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/VectorDouble.h"

namespace tf {

namespace {

double Degrees(double radians) {
  return radians * 180.0 / std::numbers::pi;
}

Vector3 PositionOf(const Atom& atom) {
  return {atom.x, atom.y, atom.z};
}

}  // namespace

double DistanceAngstrom(const Vector3& a, const Vector3& b) {
  return Length(ToD3(a) - ToD3(b));
}

double AngleDegrees(const Vector3& a, const Vector3& b, const Vector3& c) {
  const D3 u = ToD3(a) - ToD3(b);
  const D3 v = ToD3(c) - ToD3(b);
  // atan2 keeps its precision near 0 and 180 degrees, where acos loses it.
  return Degrees(std::atan2(Length(Cross(u, v)), Dot(u, v)));
}

double TorsionDegrees(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d) {
  const D3 b1 = ToD3(b) - ToD3(a);
  const D3 b2 = ToD3(c) - ToD3(b);
  const D3 b3 = ToD3(d) - ToD3(c);
  const D3 n1 = Cross(b1, b2), n2 = Cross(b2, b3);
  const double y = Length(b2) * Dot(b1, n2);
  const double x = Dot(n1, n2);
  return Degrees(std::atan2(y, x));
}

uint32_t MeasuredAtoms(const Document& document, uint32_t (&atoms)[kSelectionOrderCapacity]) {
  if (document.selectedCount < 2 || document.selectedCount > 4) return 0;
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  uint32_t byIndex[kSelectionOrderCapacity];
  uint32_t found = 0;
  for (uint32_t i = 0; i < count; ++i) {
    if (document.atoms[i].selected == 0) continue;
    if (found == kSelectionOrderCapacity) return 0;
    byIndex[found++] = i;
  }
  if (found < 2) return 0;
  // As many distinct selected atoms as there are selected ones are the selection.
  const uint32_t* order = document.selectionOrder;
  bool ordered = document.selectionOrderCount == found;
  for (uint32_t k = 0; ordered && k < found; ++k)
    ordered = order[k] < count && document.atoms[order[k]].selected != 0 &&
              std::find(order, order + k, order[k]) == order + k;
  std::copy_n(ordered ? order : byIndex, found, atoms);
  return found;
}

Measurement MeasureSelection(const Document& document) {
  Measurement measurement;
  measurement.atomCount = MeasuredAtoms(document, measurement.atoms);
  Vector3 p[kSelectionOrderCapacity];
  for (uint32_t k = 0; k < measurement.atomCount; ++k)
    p[k] = PositionOf(document.atoms[measurement.atoms[k]]);
  switch (measurement.atomCount) {
    case 2:
      measurement.value = DistanceAngstrom(p[0], p[1]);
      break;
    case 3:
      measurement.value = AngleDegrees(p[0], p[1], p[2]);
      break;
    case 4:
      measurement.value = TorsionDegrees(p[0], p[1], p[2], p[3]);
      break;
    default:
      break;
  }
  return measurement;
}

}  // namespace tf
