// The AVX2 build of the pair kernel. Only this file is compiled for AVX2, and
// only functions local to it, so no AVX2 code can stand in for a shared
// inline function elsewhere.

#include "shaping/PairKernel.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace tf::shaping {

namespace {

using F8 = float __attribute__((vector_size(32)));
using U8 = uint32_t __attribute__((vector_size(32)));
using I8 = int32_t __attribute__((vector_size(32)));

inline F8 SqrtLanes(F8 v) {
  return _mm256_sqrt_ps(v);
}

inline F8 MaxLanes(F8 a, F8 b) {
  return _mm256_max_ps(a, b);
}

inline F8 MinLanes(F8 a, F8 b) {
  return _mm256_min_ps(a, b);
}

}  // namespace

#include "shaping/PairKernelBody.inl"

void PairKernelAvx2(const PairKernelInput& input, PairKernelSums& sums) {
  KernelEntry(input, sums);
}

}  // namespace tf::shaping

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#else

namespace tf::shaping {
void PairKernelAvx2(const PairKernelInput& input, PairKernelSums& sums) {
  PairKernelBaseline(input, sums);
}
}  // namespace tf::shaping

#endif
