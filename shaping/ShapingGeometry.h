#pragma once
// Single-precision vector arithmetic of the energy terms. Square roots, arc
// cosines and cosines take a float argument, are evaluated in double and
// rounded back to float, so every platform gives the same term values.

#include <cmath>

#include "base/Math.h"

namespace tf::shaping {

inline Vector3 Sub(const Vector3& a, const Vector3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}

inline float Dot(const Vector3& a, const Vector3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vector3 Cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline float SqrtF(float value) {
  return static_cast<float>(std::sqrt(static_cast<double>(value)));
}

inline float Length(const Vector3& v) {
  return SqrtF(Dot(v, v));
}

// Unit vector along v; the zero vector when v has no length (coincident or
// collinear atoms), so the terms built on it stay finite.
inline Vector3 Normalize(const Vector3& v) {
  const float length = Length(v);
  if (!(length > 0.0f) || std::isinf(length)) return {0.0f, 0.0f, 0.0f};
  return {v.x / length, v.y / length, v.z / length};
}

// Arc cosine of a cosine clamped to [-1, 1].
inline float ClampedAcos(float cosine) {
  if (cosine > 1.0f) cosine = 1.0f;
  if (cosine < -1.0f) cosine = -1.0f;
  return static_cast<float>(std::acos(static_cast<double>(cosine)));
}

inline float CosF(float angle) {
  return static_cast<float>(std::cos(static_cast<double>(angle)));
}

}  // namespace tf::shaping
