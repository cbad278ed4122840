#pragma once
// The vectorised inner loop of the non-bonded sums, eight partners per step.
// Chosen once per process: an AVX2 build of the loop where the processor has
// it, otherwise the baseline build. Both perform the same IEEE operations in
// the same lane order (correctly rounded square root and division, no fused
// multiply-add), so they give identical sums.

#include <cstdint>

namespace tf::shaping {

inline constexpr uint32_t kKernelLanes = 8;
// The clamps of the scalar terms (kMinPairDistanceSquared, kMaxLennardJonesRatio6).
inline constexpr float kPairKernelMinR2 = 1.0e-3f * 1.0e-3f;
inline constexpr float kPairKernelMaxRatio = 1.0e12f;

struct PairKernelInput {
  // Per-atom columns, readable up to `end` rounded up to a multiple of eight.
  const float* x;
  const float* y;
  const float* z;
  const float* halfSigma;
  const float* rootEpsilon;
  const float* charge;
  const uint32_t* include;  // all bits set where the partner counts
  uint32_t begin, end;      // partner range
  float px[2], py[2], pz[2];
  int positionCount;  // 1 or 2
  float ownHalfSigma;
  bool lennardJones;
  bool coulomb;
  // When set (one position only): each counted partner's share of its pair
  // energy, lennardJonesShare * (rootEpsilon_j * (t^2 - t)) + coulombShare *
  // charge_j / r, is added to partnerShares[j].
  float* partnerShares = nullptr;
  float lennardJonesShare = 0.0f, coulombShare = 0.0f;
};

struct PairKernelSums {
  float lennardJones[2];  // sum of rootEpsilon_j * (t^2 - t), t = min((sigma/r)^6, cap)
  float coulomb[2];       // sum of charge_j / r
};

void RunPairKernel(const PairKernelInput& input, PairKernelSums& sums);

// The two builds; RunPairKernel picks one.
void PairKernelBaseline(const PairKernelInput& input, PairKernelSums& sums);
void PairKernelAvx2(const PairKernelInput& input, PairKernelSums& sums);
bool PairKernelAvx2Available();

}  // namespace tf::shaping
