#include "view/MeshGeometry.h"

#include <cstring>

#include "view/GraphicsTypes.h"

namespace tf {

VertexLayout DescribeVertexFormat(uint32_t fvf) {
  const uint32_t known = kFvfXyz | kFvfNormal | kFvfDiffuse | kFvfTex1;
  VertexLayout layout;
  if ((fvf & kFvfXyz) == 0 || (fvf & ~known) != 0) return layout;
  int32_t offset = 12;
  if (fvf & kFvfNormal) {
    layout.normalOffset = offset;
    offset += 12;
  }
  if (fvf & kFvfDiffuse) {
    layout.diffuseOffset = offset;
    offset += 4;
  }
  if (fvf & kFvfTex1) {
    layout.texCoordOffset = offset;
    offset += 8;
  }
  layout.stride = static_cast<uint32_t>(offset);
  return layout;
}

namespace {

template <typename T>
T ReadAt(const std::vector<uint8_t>& bytes, size_t offset) {
  T value{};
  if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

}  // namespace

Vector3 MeshGeometry::Position(uint32_t i) const {
  return ReadAt<Vector3>(vertices, size_t{i} * layout.stride);
}

Vector3 MeshGeometry::Normal(uint32_t i) const {
  if (layout.normalOffset < 0) return {};
  return ReadAt<Vector3>(vertices, size_t{i} * layout.stride + layout.normalOffset);
}

uint32_t MeshGeometry::Diffuse(uint32_t i) const {
  if (layout.diffuseOffset < 0) return 0;
  return ReadAt<uint32_t>(vertices, size_t{i} * layout.stride + layout.diffuseOffset);
}

TexCoord MeshGeometry::TexCoords(uint32_t i) const {
  if (layout.texCoordOffset < 0) return {};
  return ReadAt<TexCoord>(vertices, size_t{i} * layout.stride + layout.texCoordOffset);
}

}  // namespace tf
