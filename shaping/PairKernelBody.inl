// Body of the pair kernel, included by each build of it after it has defined
// F8, U8, I8 (eight-lane vector types), SqrtLanes(F8), and MaxLanes(F8, F8)
// and MinLanes(F8, F8), which return the second operand in a lane where the
// first is NaN. Uses no library
// templates, so nothing compiled here for one instruction set can be shared
// with code compiled for another.

namespace {

template <typename V, typename T>
inline V LoadLanes(const T* from) {
  V v;
  __builtin_memcpy(&v, from, sizeof(V));
  return v;
}

inline F8 Broadcast(float value) {
  return F8{value, value, value, value, value, value, value, value};
}

inline F8 Masked(F8 v, U8 mask) {
  return reinterpret_cast<F8>(reinterpret_cast<U8>(v) & mask);
}

inline float LaneSum(F8 v) {
  return ((v[0] + v[1]) + (v[2] + v[3])) + ((v[4] + v[5]) + (v[6] + v[7]));
}

template <int kPositions, bool kLennardJones, bool kCoulomb, bool kShares = false>
void KernelLoop(const PairKernelInput& in, PairKernelSums& sums) {
  F8 px[kPositions], py[kPositions], pz[kPositions];
  for (int k = 0; k < kPositions; ++k) {
    px[k] = Broadcast(in.px[k]);
    py[k] = Broadcast(in.py[k]);
    pz[k] = Broadcast(in.pz[k]);
  }
  const F8 minR2 = Broadcast(kPairKernelMinR2);
  const F8 maxRatio = Broadcast(kPairKernelMaxRatio);
  const F8 ownHalfSigma = Broadcast(in.ownHalfSigma);
  const F8 one = Broadcast(1.0f);
  const U8 lane = {0, 1, 2, 3, 4, 5, 6, 7};
  F8 ljAcc[kPositions] = {}, coulombAcc[kPositions] = {};
  const F8 ljShare = Broadcast(in.lennardJonesShare);
  const F8 coulombShare = Broadcast(in.coulombShare);
  // Locals, so the stores into the shares cannot be taken to change the
  // columns or the input and force reloads.
  const float* __restrict xs = in.x;
  const float* __restrict ys = in.y;
  const float* __restrict zs = in.z;
  const float* __restrict halfSigmas = in.halfSigma;
  const float* __restrict rootEpsilons = in.rootEpsilon;
  const float* __restrict charges = in.charge;
  const uint32_t* __restrict include = in.include;
  float* __restrict shares = in.partnerShares;
  const uint32_t begin = in.begin, end = in.end;

  for (uint32_t j = begin & ~7u; j < end; j += 8) {
    U8 mask = LoadLanes<U8>(include + j);
    if (j < begin || j + 8 > end) {
      const U8 index = lane + j;
      mask &= reinterpret_cast<U8>(index >= begin) & reinterpret_cast<U8>(index < end);
    }
    const F8 xj = LoadLanes<F8>(xs + j);
    const F8 yj = LoadLanes<F8>(ys + j);
    const F8 zj = LoadLanes<F8>(zs + j);
    const F8 sigma = ownHalfSigma + LoadLanes<F8>(halfSigmas + j);
    const F8 rootEps = LoadLanes<F8>(rootEpsilons + j);
    const F8 charge = LoadLanes<F8>(charges + j);
    for (int k = 0; k < kPositions; ++k) {
      const F8 dx = xj - px[k];
      const F8 dy = yj - py[k];
      const F8 dz = zj - pz[k];
      const F8 r2 = MaxLanes(dx * dx + dy * dy + dz * dz, minR2);
      const F8 inverseR = one / SqrtLanes(r2);
      F8 share = {};
      if (kLennardJones) {
        const F8 s = sigma * inverseR;
        const F8 s2 = s * s;
        const F8 t = MinLanes(s2 * (s2 * s2), maxRatio);
        const F8 lj = Masked(rootEps * (t * t - t), mask);
        ljAcc[k] += lj;
        if (kShares) share += ljShare * lj;
      }
      if (kCoulomb) {
        const F8 coulomb = Masked(charge * inverseR, mask);
        coulombAcc[k] += coulomb;
        if (kShares) share += coulombShare * coulomb;
      }
      if (kShares) {
        const F8 before = LoadLanes<F8>(shares + j);
        const F8 after = before + share;
        __builtin_memcpy(shares + j, &after, sizeof after);
      }
    }
  }
  for (int k = 0; k < kPositions; ++k) {
    sums.lennardJones[k] = LaneSum(ljAcc[k]);
    sums.coulomb[k] = LaneSum(coulombAcc[k]);
  }
}

void KernelWithShares(const PairKernelInput& in, PairKernelSums& sums) {
  if (in.lennardJones && in.coulomb) return KernelLoop<1, true, true, true>(in, sums);
  if (in.lennardJones) return KernelLoop<1, true, false, true>(in, sums);
  if (in.coulomb) return KernelLoop<1, false, true, true>(in, sums);
}

template <int kPositions>
void KernelForTerms(const PairKernelInput& in, PairKernelSums& sums) {
  if (in.lennardJones && in.coulomb) return KernelLoop<kPositions, true, true>(in, sums);
  if (in.lennardJones) return KernelLoop<kPositions, true, false>(in, sums);
  if (in.coulomb) return KernelLoop<kPositions, false, true>(in, sums);
}

inline void KernelEntry(const PairKernelInput& in, PairKernelSums& sums) {
  sums = PairKernelSums{};
  if (in.begin >= in.end) return;
  if (in.partnerShares && in.positionCount == 1) return KernelWithShares(in, sums);
  if (in.positionCount >= 2) return KernelForTerms<2>(in, sums);
  if (in.positionCount == 1) return KernelForTerms<1>(in, sums);
}

}  // namespace
