#pragma once
// Double-precision 3-vectors: the arithmetic of energy gradients and of
// measurements, where single precision would lose the small differences.

#include <cmath>

#include "base/Math.h"

namespace tf {

struct D3 {
  double x, y, z;
};

inline D3 ToD3(const Vector3& v) {
  return {v.x, v.y, v.z};
}
inline D3 operator+(const D3& a, const D3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline D3 operator-(const D3& a, const D3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline D3 operator*(double s, const D3& a) {
  return {s * a.x, s * a.y, s * a.z};
}
inline double Dot(const D3& a, const D3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline D3 Cross(const D3& a, const D3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(const D3& a) {
  return std::sqrt(Dot(a, a));
}

}  // namespace tf
