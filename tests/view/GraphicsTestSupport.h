#pragma once
// Helpers shared by the graphics-layer tests.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <tuple>

#include "base/Math.h"
#include "view/MeshGeometry.h"

namespace tf::test {

// Owns one reference to a graphics object.
struct Releaser {
  template <typename T>
  void operator()(T* object) const {
    if (object) object->Release();
  }
};
template <typename T>
using Ref = std::unique_ptr<T, Releaser>;

inline float Length(Vector3 a) {
  return std::sqrt(Vec3Dot(&a, &a));
}

// Face normal by (b - a) x (c - a).
inline Vector3 FaceNormal(const MeshGeometry& g, uint32_t face) {
  const Vector3 a = g.Position(g.indices[face * 3]);
  const Vector3 b = g.Position(g.indices[face * 3 + 1]);
  const Vector3 c = g.Position(g.indices[face * 3 + 2]);
  Vector3 ab, ac, normal;
  return *Vec3Cross(&normal, Vec3Subtract(&ab, &b, &a), Vec3Subtract(&ac, &c, &a));
}

// A closed surface with consistent winding uses every edge, taken between
// positions rather than vertex numbers, exactly once in each direction.
inline void ExpectClosedAndConsistentlyWound(const MeshGeometry& g) {
  auto key = [&](uint16_t index) {
    const Vector3 p = g.Position(index);
    return std::make_tuple(std::lround(p.x * 1e4f), std::lround(p.y * 1e4f),
                           std::lround(p.z * 1e4f));
  };
  using Key = decltype(key(0));
  std::map<std::pair<Key, Key>, int> directed;
  for (uint32_t f = 0; f < g.faceCount; ++f)
    for (int k = 0; k < 3; ++k)
      ++directed[{key(g.indices[f * 3 + k]), key(g.indices[f * 3 + (k + 1) % 3])}];
  for (const auto& [edge, count] : directed) {
    EXPECT_EQ(count, 1) << "an edge is used twice in the same direction";
    const auto reverse = directed.find({edge.second, edge.first});
    EXPECT_TRUE(reverse != directed.end() && reverse->second == 1) << "an edge has no opposite";
  }
}

}  // namespace tf::test
