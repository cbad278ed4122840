#include "view/gl/UnitSphere.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tf {

namespace {

struct Point {
  double x, y, z;
};

Point ToPoint(const Vector3& v) {
  return {v.x, v.y, v.z};
}
double Dot(const Point& a, const Point& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Length(const Point& a) {
  return std::sqrt(Dot(a, a));
}
Point Cross(const Point& a, const Point& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool VertexOnSphere(const MeshGeometry& geometry, uint32_t i) {
  const Point p = ToPoint(geometry.Position(i));
  const Point n = ToPoint(geometry.Normal(i));
  // Written so that NaN fails every comparison.
  if (!(std::abs(Length(p) - 1) <= kSphereRadiusTolerance)) return false;
  if (!(Length({n.x - p.x, n.y - p.y, n.z - p.z}) <= kSphereNormalTolerance)) return false;

  const TexCoord uv = geometry.TexCoords(i);
  const double tolerance = kSphereTexCoordTolerance;
  const double polar = std::acos(std::clamp(p.y / Length(p), -1.0, 1.0));
  if (!(std::abs(uv.v - polar / std::numbers::pi) <= tolerance)) return false;
  if (!(uv.u >= -tolerance && uv.u <= 1 + tolerance)) return false;
  // At a pole every u is right; on the seam both 0 and 1 are.
  if (std::hypot(p.x, p.z) <= tolerance) return true;
  double azimuth = std::atan2(p.z, p.x) / (2 * std::numbers::pi);
  if (azimuth < 0) azimuth += 1;
  const double offset = uv.u - azimuth;
  return std::abs(offset - std::round(offset)) <= tolerance;
}

// The solid angle the triangle subtends at the origin, negative when it is
// wound inward (Van Oosterom and Strackee).
double SolidAngle(const Point& a, const Point& b, const Point& c) {
  const double la = Length(a), lb = Length(b), lc = Length(c);
  const double denominator = la * lb * lc + Dot(a, b) * lc + Dot(a, c) * lb + Dot(b, c) * la;
  return 2 * std::atan2(Dot(a, Cross(b, c)), denominator);
}

}  // namespace

std::optional<uint32_t> UnitSphereSubset(const MeshGeometry& geometry) {
  const VertexLayout& layout = geometry.layout;
  if (layout.stride == 0 || layout.normalOffset < 0 || layout.texCoordOffset < 0 ||
      layout.diffuseOffset >= 0)
    return std::nullopt;
  const auto vertexCount = static_cast<uint32_t>(
      std::min<size_t>(geometry.vertexCount, geometry.vertices.size() / layout.stride));
  const size_t faceCount = std::min<size_t>(
      {geometry.faceCount, geometry.indices.size() / 3, geometry.attributes.size()});
  if (vertexCount < 4 || faceCount < 4) return std::nullopt;
  for (uint32_t i = 0; i < vertexCount; ++i)
    if (!VertexOnSphere(geometry, i)) return std::nullopt;

  const uint32_t subset = geometry.attributes[0];
  double coverage = 0;
  for (size_t f = 0; f < faceCount; ++f) {
    const uint16_t* corner = &geometry.indices[f * 3];
    if (geometry.attributes[f] != subset || corner[0] >= vertexCount || corner[1] >= vertexCount ||
        corner[2] >= vertexCount)
      return std::nullopt;
    const double angle =
        SolidAngle(ToPoint(geometry.Position(corner[0])), ToPoint(geometry.Position(corner[1])),
                   ToPoint(geometry.Position(corner[2])));
    if (angle < 0) return std::nullopt;
    coverage += angle;
  }
  // Outward faces that wrap the centre exactly once: closed, without holes or overlaps.
  if (!(std::abs(coverage / (4 * std::numbers::pi) - 1) <= 1e-3)) return std::nullopt;
  return subset;
}

}  // namespace tf
