#pragma once
// The distance, angle or torsion of two, three or four selected atoms, in the
// order they were selected, for the view's overlay and the tool's pictures.

#include <cstdint>

#include "base/Math.h"
#include "model/Document.h"

namespace tf {

struct Measurement {
  uint32_t atomCount = 0;  // 2: distance, 3: angle, 4: torsion; 0: nothing to measure
  uint32_t atoms[kSelectionOrderCapacity] = {};  // in measuring order
  double value = 0;                              // Angstrom or degrees
};

double DistanceAngstrom(const Vector3& a, const Vector3& b);

// The angle at b between a and c, 0 to 180 degrees (0 when an arm has no length).
double AngleDegrees(const Vector3& a, const Vector3& b, const Vector3& c);

// The dihedral angle a-b-c-d, -180 to 180 degrees: positive when, looking
// along b->c, the bond b-a turns clockwise to eclipse c-d (cis 0, trans 180).
double TorsionDegrees(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d);

// The selected atoms in measuring order: the selection order when it names
// exactly the selected atoms, else ascending index. Returns their number,
// 0 unless two to four atoms are selected.
uint32_t MeasuredAtoms(const Document& document, uint32_t (&atoms)[kSelectionOrderCapacity]);

// The caller holds modelLock while a worker may run.
Measurement MeasureSelection(const Document& document);

}  // namespace tf
