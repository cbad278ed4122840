// Body of the pair gradient kernel, included by each build of it after it has
// defined D4 (four doubles), M4 (four 64-bit masks), InverseSqrtLanes(D4),
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

template <bool kLennardJones, bool kCoulomb>
void GradientLoop(const PairGradientRow& in, PairGradientSums& sums) {
  const D4 px = Broadcast(in.px), py = Broadcast(in.py), pz = Broadcast(in.pz);
  const D4 minR2 = Broadcast(kMinR2);
  const D4 maxRatio = Broadcast(kMaxRatio);
  const D4 ownHalfSigma = Broadcast(in.ownHalfSigma);
  const D4 ljScale = Broadcast(in.lennardJonesScale);
  const D4 coulombScale = Broadcast(in.coulombScale);
  const D4 six = Broadcast(6.0), two = Broadcast(2.0);
  const M4 lane = {0, 1, 2, 3};
  D4 ljAcc = {}, coulombAcc = {}, gxAcc = {}, gyAcc = {}, gzAcc = {};
  // Locals, so the stores into the partner gradients cannot be taken to
  // change the columns or the row and force reloads.
  const double* __restrict xs = in.x;
  const double* __restrict ys = in.y;
  const double* __restrict zs = in.z;
  const double* __restrict halfSigmas = in.halfSigma;
  const double* __restrict rootEpsilons = in.rootEpsilon;
  const double* __restrict charges = in.charge;
  const uint64_t* __restrict include = in.include;
  double* __restrict gxs = in.gx;
  double* __restrict gys = in.gy;
  double* __restrict gzs = in.gz;
  const uint32_t begin = in.begin, end = in.end;

  for (uint32_t j = begin & ~3u; j < end; j += 4) {
    M4 mask = LoadLanes<M4>(include + j);
    if (j < begin || j + 4 > end) {
      const M4 index = lane + j;
      mask &= reinterpret_cast<M4>(index >= begin) & reinterpret_cast<M4>(index < end);
    }
    const D4 dx = LoadLanes<D4>(xs + j) - px;
    const D4 dy = LoadLanes<D4>(ys + j) - py;
    const D4 dz = LoadLanes<D4>(zs + j) - pz;
    const D4 rawR2 = dx * dx + dy * dy + dz * dz;
    const D4 r2 = MaxLanes(rawR2, minR2);
    const M4 unclamped = reinterpret_cast<M4>(rawR2 >= minR2);
    const D4 inverseR = InverseSqrtLanes(r2);
    const D4 inverseR2 = inverseR * inverseR;
    D4 slope = {};  // (dE/dr) / r
    if (kLennardJones) {
      const D4 sigma = ownHalfSigma + LoadLanes<D4>(halfSigmas + j);
      const D4 s2 = sigma * sigma * inverseR2;
      const D4 raw = s2 * (s2 * s2);
      const M4 uncapped = reinterpret_cast<M4>(raw < maxRatio);
      const D4 t = MinLanes(raw, maxRatio);
      const D4 depth = ljScale * LoadLanes<D4>(rootEpsilons + j);
      const D4 lj = Masked(depth * (t * t - t), mask);
      ljAcc += lj;
      slope -= Masked(six * depth * (two * t * t - t) * inverseR2, uncapped);
    }
    if (kCoulomb) {
      const D4 coulomb = Masked(coulombScale * LoadLanes<D4>(charges + j) * inverseR, mask);
      coulombAcc += coulomb;
      slope -= coulomb * inverseR2;
    }
    slope = Masked(slope, mask & unclamped);
    const D4 fx = slope * dx, fy = slope * dy, fz = slope * dz;
    gxAcc -= fx;
    gyAcc -= fy;
    gzAcc -= fz;
    StoreLanes(gxs + j, LoadLanes<D4>(gxs + j) + fx);
    StoreLanes(gys + j, LoadLanes<D4>(gys + j) + fy);
    StoreLanes(gzs + j, LoadLanes<D4>(gzs + j) + fz);
  }
  sums.lennardJones = LaneSum(ljAcc);
  sums.coulomb = LaneSum(coulombAcc);
  sums.gx = LaneSum(gxAcc);
  sums.gy = LaneSum(gyAcc);
  sums.gz = LaneSum(gzAcc);
}

inline void GradientEntry(const PairGradientRow& in, PairGradientSums& sums) {
  sums = PairGradientSums{};
  if (in.begin >= in.end) return;
  if (in.lennardJones && in.coulomb) return GradientLoop<true, true>(in, sums);
  if (in.lennardJones) return GradientLoop<true, false>(in, sums);
  if (in.coulomb) return GradientLoop<false, true>(in, sums);
}

}  // namespace
