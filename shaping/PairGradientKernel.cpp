#include "shaping/PairGradientKernel.h"

// Four-lane values pass between functions local to this file only.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace tf::shaping {

namespace {

using D4 = double __attribute__((vector_size(32)));
using M4 = uint64_t __attribute__((vector_size(32)));

inline D4 InverseSqrtLanes(D4 v) {
  for (int k = 0; k < 4; ++k) v[k] = 1.0 / __builtin_sqrt(v[k]);
  return v;
}

inline D4 MaxLanes(D4 a, D4 b) {
  return a > b ? a : b;
}

inline D4 MinLanes(D4 a, D4 b) {
  return a < b ? a : b;
}

}  // namespace

#include "shaping/PairGradientBody.inl"

void PairGradientBaseline(const PairGradientRow& row, PairGradientSums& sums) {
  GradientEntry(row, sums);
}

bool PairGradientAvx2Available() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  static const bool available = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
  return available;
#else
  return false;
#endif
}

void RunPairGradientKernel(const PairGradientRow& row, PairGradientSums& sums) {
  if (PairGradientAvx2Available())
    PairGradientAvx2(row, sums);
  else
    PairGradientBaseline(row, sums);
}

}  // namespace tf::shaping
