#include "shaping/PairGradientKernel.h"

#include "shaping/PairKernel.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

// Four-lane values pass between functions local to this file only.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace tf::shaping {

namespace {

using D4 = double __attribute__((vector_size(32)));
using M4 = uint64_t __attribute__((vector_size(32)));

inline D4 SqrtLanes(D4 v) {
  for (int k = 0; k < 4; ++k) v[k] = __builtin_sqrt(v[k]);
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

void RunPairGradientKernel(const PairGradientRow& row, PairGradientSums& sums) {
  if (PairKernelAvx2Available())
    PairGradientAvx2(row, sums);
  else
    PairGradientBaseline(row, sums);
}

}  // namespace tf::shaping
