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

#if defined(__SSE2__)
using F4 = float __attribute__((vector_size(16)));

struct Halves {
  F4 low, high;
};

inline Halves Split(F8 v) {
  Halves halves;
  __builtin_memcpy(&halves, &v, sizeof v);
  return halves;
}

inline F8 Join(F4 low, F4 high) {
  const Halves halves{low, high};
  F8 v;
  __builtin_memcpy(&v, &halves, sizeof v);
  return v;
}

inline F8 SqrtLanes(F8 v) {
  const Halves h = Split(v);
  return Join(_mm_sqrt_ps(h.low), _mm_sqrt_ps(h.high));
}

inline F8 MaxLanes(F8 a, F8 b) {
  const Halves x = Split(a), y = Split(b);
  return Join(_mm_max_ps(x.low, y.low), _mm_max_ps(x.high, y.high));
}

inline F8 MinLanes(F8 a, F8 b) {
  const Halves x = Split(a), y = Split(b);
  return Join(_mm_min_ps(x.low, y.low), _mm_min_ps(x.high, y.high));
}
#else
inline F8 SqrtLanes(F8 v) {
  for (int k = 0; k < 8; ++k) v[k] = __builtin_sqrtf(v[k]);
  return v;
}

inline F8 MaxLanes(F8 a, F8 b) {
  for (int k = 0; k < 8; ++k) a[k] = a[k] > b[k] ? a[k] : b[k];
  return a;
}

inline F8 MinLanes(F8 a, F8 b) {
  for (int k = 0; k < 8; ++k) a[k] = a[k] < b[k] ? a[k] : b[k];
  return a;
}
#endif

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
