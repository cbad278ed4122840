#pragma once
// Immutable mesh data as a frame sees it: a mesh publishes a new geometry
// each time a write lock on one of its buffers ends, so a recorded frame keeps
// the exact vertices it drew even if the mesh is rewritten afterwards.

#include <cstdint>
#include <vector>

#include "base/Math.h"

namespace tf {

// Byte offsets of the components of one vertex; -1 marks an absent component.
struct VertexLayout {
  uint32_t stride = 0;  // 0: a vertex format this layer does not support
  int32_t normalOffset = -1;
  int32_t diffuseOffset = -1;
  int32_t texCoordOffset = -1;
};

// Supported formats hold a position and any of normal, diffuse colour and one
// texture-coordinate pair.
VertexLayout DescribeVertexFormat(uint32_t fvf);

struct TexCoord {
  float u, v;
};

struct MeshGeometry {
  uint64_t serial = 0;  // unique for every published version
  uint32_t fvf = 0;
  VertexLayout layout;
  uint32_t vertexCount = 0;
  uint32_t faceCount = 0;
  std::vector<uint8_t> vertices;     // vertexCount * layout.stride bytes
  std::vector<uint16_t> indices;     // three per face
  std::vector<uint32_t> attributes;  // subset id per face

  // Components of vertex `i` (< vertexCount); absent ones read as zero.
  Vector3 Position(uint32_t i) const;
  Vector3 Normal(uint32_t i) const;
  uint32_t Diffuse(uint32_t i) const;
  TexCoord TexCoords(uint32_t i) const;
};

}  // namespace tf
