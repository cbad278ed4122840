// Body of the pair gradient kernel, included by each build of it after it has
// defined D4 (four doubles), M4 (four 64-bit masks), SqrtLanes(D4),
// MaxLanes(D4, D4) and MinLanes(D4, D4). Uses no library templates, so nothing
// compiled here for one instruction set is shared with code compiled for
// another.

namespace {

template <typename V, typename T>
inline V LoadLanes(const T* from) {
  V v;
  __builtin_memcpy(&v, from, sizeof(V));
  return v;
}

template <typename V, typename T>
inline void StoreLanes(T* to, V v) {
  __builtin_memcpy(to, &v, sizeof(V));
}

inline D4 Broadcast(double value) {
  return D4{value, value, value, value};
}

inline D4 Masked(D4 v, M4 mask) {
  return reinterpret_cast<D4>(reinterpret_cast<M4>(v) & mask);
}

inline double LaneSum(D4 v) {
  return (v[0] + v[1]) + (v[2] + v[3]);
}

// Distances below this count as it, and (sigma / r)^6 is capped, as in the
// energy of shaping; there the pair energy is flat and its gradient zero.
constexpr double kMinR2 = 1.0e-3 * 1.0e-3;
constexpr double kMaxRatio = 1.0e12;

template <bool kLennardJones, bool kCoulomb, bool kShares>
void GradientLoop(const PairGradientRow& in, PairGradientSums& sums) {
  const D4 px = Broadcast(in.px), py = Broadcast(in.py), pz = Broadcast(in.pz);
  const D4 minR2 = Broadcast(kMinR2);
  const D4 maxRatio = Broadcast(kMaxRatio);
  const D4 ownHalfSigma = Broadcast(in.ownHalfSigma);
  const D4 ljScale = Broadcast(in.lennardJonesScale);
  const D4 coulombScale = Broadcast(in.coulombScale);
  const D4 one = Broadcast(1.0), half = Broadcast(0.5);
  const D4 six = Broadcast(6.0), two = Broadcast(2.0);
  const M4 lane = {0, 1, 2, 3};
  D4 ljAcc = {}, coulombAcc = {}, gxAcc = {}, gyAcc = {}, gzAcc = {};

  for (uint32_t j = in.begin & ~3u; j < in.end; j += 4) {
    M4 mask = LoadLanes<M4>(in.include + j);
    if (j < in.begin || j + 4 > in.end) {
      const M4 index = lane + j;
      mask &= reinterpret_cast<M4>(index >= in.begin) & reinterpret_cast<M4>(index < in.end);
    }
    const D4 dx = LoadLanes<D4>(in.x + j) - px;
    const D4 dy = LoadLanes<D4>(in.y + j) - py;
    const D4 dz = LoadLanes<D4>(in.z + j) - pz;
    const D4 rawR2 = dx * dx + dy * dy + dz * dz;
    const D4 r2 = MaxLanes(rawR2, minR2);
    const M4 unclamped = reinterpret_cast<M4>(rawR2 >= minR2);
    const D4 inverseR2 = one / r2;
    D4 energy = {}, slope = {};  // slope: (dE/dr) / r
    if (kLennardJones) {
      const D4 sigma = ownHalfSigma + LoadLanes<D4>(in.halfSigma + j);
      const D4 s2 = sigma * sigma * inverseR2;
      const D4 raw = s2 * (s2 * s2);
      const M4 uncapped = reinterpret_cast<M4>(raw < maxRatio);
      const D4 t = MinLanes(raw, maxRatio);
      const D4 depth = ljScale * LoadLanes<D4>(in.rootEpsilon + j);
      const D4 lj = Masked(depth * (t * t - t), mask);
      ljAcc += lj;
      energy += lj;
      slope -= Masked(six * depth * (two * t * t - t) * inverseR2, uncapped);
    }
    if (kCoulomb) {
      const D4 coulomb =
          Masked(coulombScale * LoadLanes<D4>(in.charge + j) * SqrtLanes(inverseR2), mask);
      coulombAcc += coulomb;
      energy += coulomb;
      slope -= coulomb * inverseR2;
    }
    slope = Masked(slope, mask & unclamped);
    const D4 fx = slope * dx, fy = slope * dy, fz = slope * dz;
    gxAcc -= fx;
    gyAcc -= fy;
    gzAcc -= fz;
    StoreLanes(in.gx + j, LoadLanes<D4>(in.gx + j) + fx);
    StoreLanes(in.gy + j, LoadLanes<D4>(in.gy + j) + fy);
    StoreLanes(in.gz + j, LoadLanes<D4>(in.gz + j) + fz);
    if (kShares)
      StoreLanes(in.partnerEnergy + j, LoadLanes<D4>(in.partnerEnergy + j) + half * energy);
  }
  sums.lennardJones = LaneSum(ljAcc);
  sums.coulomb = LaneSum(coulombAcc);
  sums.gx = LaneSum(gxAcc);
  sums.gy = LaneSum(gyAcc);
  sums.gz = LaneSum(gzAcc);
  sums.ownEnergy = 0.5 * (sums.lennardJones + sums.coulomb);
}

template <bool kShares>
void GradientForTerms(const PairGradientRow& in, PairGradientSums& sums) {
  if (in.lennardJones && in.coulomb) return GradientLoop<true, true, kShares>(in, sums);
  if (in.lennardJones) return GradientLoop<true, false, kShares>(in, sums);
  if (in.coulomb) return GradientLoop<false, true, kShares>(in, sums);
}

inline void GradientEntry(const PairGradientRow& in, PairGradientSums& sums) {
  sums = PairGradientSums{};
  if (in.begin >= in.end) return;
  if (in.partnerEnergy) return GradientForTerms<true>(in, sums);
  GradientForTerms<false>(in, sums);
}

}  // namespace
