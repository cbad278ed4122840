#pragma once
// The vectorised inner loop of the non-bonded energy with its gradient: one
// atom against a range of partners, four partners per step, in double
// precision. Chosen once per process: an AVX2 and FMA build where the
// processor has both, otherwise the baseline build of the same body.

#include <cstdint>

namespace tf::shaping {

inline constexpr uint32_t kGradientLanes = 4;

struct PairGradientRow {
  // Per-atom columns, readable up to `end` rounded up to a multiple of four.
  const double* x;
  const double* y;
  const double* z;
  const double* halfSigma;
  const double* rootEpsilon;
  const double* charge;
  const uint64_t* include;  // all bits set where the partner counts
  uint32_t begin, end;      // partner range
  double px, py, pz;        // the atom's position
  double ownHalfSigma;
  double lennardJonesScale;  // stiffness * 4 * the atom's root well depth
  double coulombScale;       // stiffness * the atom's charge
  bool lennardJones;
  bool coulomb;
  // Partner gradients, added to.
  double* gx;
  double* gy;
  double* gz;
};

struct PairGradientSums {
  double lennardJones, coulomb;  // energies of the row's pairs
  double gx, gy, gz;             // gradient on the atom
};

void RunPairGradientKernel(const PairGradientRow& row, PairGradientSums& sums);

void PairGradientBaseline(const PairGradientRow& row, PairGradientSums& sums);
void PairGradientAvx2(const PairGradientRow& row, PairGradientSums& sums);
bool PairGradientAvx2Available();  // AVX2 and FMA

}  // namespace tf::shaping
