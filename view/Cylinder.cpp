#include "view/Cylinder.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "view/CreationFailures.h"
#include "view/GraphicsTypes.h"
#include "view/Mesh.h"

namespace tf {

namespace {

struct PositionNormal {
  Vector3 position;
  Vector3 normal;
};

}  // namespace

long CreateCylinder(GraphicsDevice* device, float radius1, float radius2, float length,
                    uint32_t slices, uint32_t stacks, Mesh** mesh) {
  if (mesh == nullptr) return kErrInvalidCall;
  *mesh = nullptr;
  if (device == nullptr || !(radius1 >= 0) || !(radius2 >= 0) || !(length >= 0) || slices < 2 ||
      stacks < 1)
    return kErrInvalidCall;
  const uint64_t vertexCount = 2 + uint64_t{slices} * (3 + uint64_t{stacks});
  const uint64_t faceCount = 2 * uint64_t{slices} * (1 + uint64_t{stacks});
  if (vertexCount > kMaxMeshVertices || faceCount > kMaxMeshFaces) return kErrInvalidCall;
  if (CreationFails(CreationKind::kCylinder)) return kErrOutOfMemory;

  Mesh* built = nullptr;
  if (long result =
          CreateMeshFVF(static_cast<uint32_t>(faceCount), static_cast<uint32_t>(vertexCount),
                        kMeshManaged, kFvfXyz | kFvfNormal, device, &built);
      result != kOk)
    return result;

  std::vector<float> cosines(slices), sines(slices);
  for (uint32_t s = 0; s < slices; ++s) {
    const double angle = std::numbers::pi / 2 - 2 * std::numbers::pi * s / slices;
    cosines[s] = static_cast<float>(std::cos(angle));
    sines[s] = static_cast<float>(std::sin(angle));
  }
  // The side normal leans along z when the radius changes.
  float zNormal = length > 0 ? (radius1 - radius2) / length : 0.0f;
  if (!std::isfinite(zNormal)) zNormal = 0;
  const float half = length / 2;

  std::vector<PositionNormal> vertices;
  vertices.reserve(vertexCount);
  auto ring = [&](float radius, float z, bool side, float capNormal) {
    for (uint32_t s = 0; s < slices; ++s) {
      Vector3 normal{0, 0, capNormal};
      if (side) {
        const Vector3 slanted{cosines[s], sines[s], zNormal};
        Vec3Normalize(&normal, &slanted);
      }
      vertices.push_back({{radius * cosines[s], radius * sines[s], z}, normal});
    }
  };
  vertices.push_back({{0, 0, -half}, {0, 0, -1}});
  ring(radius1, -half, false, -1);
  for (uint32_t stack = 0; stack <= stacks; ++stack) {
    const float t = static_cast<float>(stack) / static_cast<float>(stacks);
    ring(radius1 + (radius2 - radius1) * t, -half + length * t, true, 0);
  }
  ring(radius2, half, false, 1);
  vertices.push_back({{0, 0, half}, {0, 0, 1}});

  std::vector<uint16_t> indices;
  indices.reserve(faceCount * 3);
  auto face = [&](uint32_t a, uint32_t b, uint32_t c) {
    indices.insert(indices.end(),
                   {static_cast<uint16_t>(a), static_cast<uint16_t>(b), static_cast<uint16_t>(c)});
  };
  // Ring r (0: bottom cap, 1 .. stacks + 1: sides, stacks + 2: top cap) starts at 1 + r * slices.
  auto at = [&](uint32_t ringIndex, uint32_t s) { return 1 + ringIndex * slices + s % slices; };
  for (uint32_t s = 0; s < slices; ++s) face(0, at(0, s), at(0, s + 1));
  for (uint32_t r = 1; r <= stacks; ++r) {
    for (uint32_t s = 0; s < slices; ++s) {
      face(at(r, s), at(r + 1, s), at(r, s + 1));
      face(at(r, s + 1), at(r + 1, s), at(r + 1, s + 1));
    }
  }
  const auto top = static_cast<uint32_t>(vertexCount - 1);
  for (uint32_t s = 0; s < slices; ++s) face(at(stacks + 2, s), top, at(stacks + 2, s + 1));

  void* vertexData = nullptr;
  void* indexData = nullptr;
  built->LockVertexBuffer(kLockDiscard, &vertexData);
  built->LockIndexBuffer(kLockDiscard, &indexData);
  std::memcpy(vertexData, vertices.data(), vertices.size() * sizeof(PositionNormal));
  std::memcpy(indexData, indices.data(), indices.size() * sizeof(uint16_t));
  built->UnlockIndexBuffer();
  built->UnlockVertexBuffer();
  *mesh = built;
  return kOk;
}

}  // namespace tf
