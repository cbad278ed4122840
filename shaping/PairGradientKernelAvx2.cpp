// The AVX2 build of the pair gradient kernel. Only this file is compiled for
// AVX2 and FMA, and only functions local to it; products and sums may fuse
// here, so its results differ from the baseline's in the last bits.

#include "shaping/PairGradientKernel.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,fma"))), apply_to = function)
#pragma clang fp contract(fast)
#else
#pragma GCC push_options
#pragma GCC target("avx2,fma")
#pragma GCC optimize("fp-contract=fast")
#endif

namespace tf::shaping {

namespace {

using D4 = double __attribute__((vector_size(32)));
using M4 = uint64_t __attribute__((vector_size(32)));

inline D4 InverseSqrtLanes(D4 v) {
  const D4 one = {1.0, 1.0, 1.0, 1.0};
  return one / _mm256_sqrt_pd(v);
}

inline D4 MaxLanes(D4 a, D4 b) {
  return _mm256_max_pd(a, b);
}

inline D4 MinLanes(D4 a, D4 b) {
  return _mm256_min_pd(a, b);
}

}  // namespace

#include "shaping/PairGradientBody.inl"

void PairGradientAvx2(const PairGradientRow& row, PairGradientSums& sums) {
  GradientEntry(row, sums);
}

}  // namespace tf::shaping

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#else

namespace tf::shaping {
void PairGradientAvx2(const PairGradientRow& row, PairGradientSums& sums) {
  PairGradientBaseline(row, sums);
}
}  // namespace tf::shaping

#endif
