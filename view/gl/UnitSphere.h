#pragma once
// Recognises the meshes a ray-cast sphere can stand in for: a closed sphere of
// radius 1 around the origin with radial normals and latitude-longitude
// texture coordinates (u the azimuth from +x towards +z over 360 degrees, v the
// angle from +y over 180 degrees), every face wound outward. Only view/gl
// sources include this header.

#include <cstdint>
#include <optional>

#include "view/MeshGeometry.h"

namespace tf {

// Tolerances of the check: vertex distance from the centre, normal from the
// position, texture coordinates from the ones the position gives.
inline constexpr double kSphereRadiusTolerance = 1e-4;
inline constexpr double kSphereNormalTolerance = 1e-3;
inline constexpr double kSphereTexCoordTolerance = 1e-3;

// The subset that holds every face when `geometry` is such a sphere; none
// when it is not (or holds faces the GPU copy leaves out).
std::optional<uint32_t> UnitSphereSubset(const MeshGeometry& geometry);

}  // namespace tf
