#include "shaping/PairKernel.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

// Eight-lane values pass between functions local to this file only.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace tf::shaping {

namespace {

using F8 = float __attribute__((vector_size(32)));
using U8 = uint32_t __attribute__((vector_size(32)));
using I8 = int32_t __attribute__((vector_size(32)));

inline F8 SqrtLanes(F8 v) {
#if defined(__SSE2__)
  using F4 = float __attribute__((vector_size(16)));
  const F4 low = _mm_sqrt_ps(F4{v[0], v[1], v[2], v[3]});
  const F4 high = _mm_sqrt_ps(F4{v[4], v[5], v[6], v[7]});
  return F8{low[0], low[1], low[2], low[3], high[0], high[1], high[2], high[3]};
#else
  for (int k = 0; k < 8; ++k) v[k] = __builtin_sqrtf(v[k]);
  return v;
#endif
}

}  // namespace

#include "shaping/PairKernelBody.inl"

void PairKernelBaseline(const PairKernelInput& input, PairKernelSums& sums) {
  KernelEntry(input, sums);
}

bool PairKernelAvx2Available() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  static const bool available = __builtin_cpu_supports("avx2");
  return available;
#else
  return false;
#endif
}

void RunPairKernel(const PairKernelInput& input, PairKernelSums& sums) {
  if (PairKernelAvx2Available())
    PairKernelAvx2(input, sums);
  else
    PairKernelBaseline(input, sums);
}

}  // namespace tf::shaping
