#include "view/gl/GpuCache.h"

#include <algorithm>

#include "view/GraphicsTypes.h"

namespace tf {

const GpuSubset* GpuGeometry::Find(uint32_t subset) const {
  for (const GpuSubset& entry : subsets)
    if (entry.subset == subset) return &entry;
  return nullptr;
}

GpuGeometry UploadGeometry(const MeshGeometry& geometry) {
  GpuGeometry gpu;
  const uint32_t stride = geometry.layout.stride;
  if (stride == 0) return gpu;
  const auto vertexCount = static_cast<uint32_t>(
      std::min<size_t>(geometry.vertexCount, geometry.vertices.size() / stride));
  const size_t faceCount = std::min<size_t>(
      {geometry.faceCount, geometry.indices.size() / 3, geometry.attributes.size()});

  std::vector<uint32_t> faces;
  faces.reserve(faceCount);
  for (uint32_t f = 0; f < faceCount; ++f) {
    const uint16_t* corner = &geometry.indices[size_t{f} * 3];
    if (corner[0] < vertexCount && corner[1] < vertexCount && corner[2] < vertexCount)
      faces.push_back(f);
  }
  if (faces.empty()) return gpu;
  std::stable_sort(faces.begin(), faces.end(), [&](uint32_t a, uint32_t b) {
    return geometry.attributes[a] < geometry.attributes[b];
  });
  std::vector<uint16_t> indices;
  indices.reserve(faces.size() * 3);
  for (uint32_t f : faces) {
    const uint32_t subset = geometry.attributes[f];
    if (gpu.subsets.empty() || gpu.subsets.back().subset != subset)
      gpu.subsets.push_back({subset, static_cast<GLint>(indices.size()), 0});
    indices.insert(indices.end(), &geometry.indices[size_t{f} * 3],
                   &geometry.indices[size_t{f} * 3] + 3);
    gpu.subsets.back().indexCount += 3;
  }

  const VertexLayout& layout = geometry.layout;
  gpu.hasNormal = layout.normalOffset >= 0;
  gpu.hasColor = layout.diffuseOffset >= 0;
  gpu.hasTexCoords = layout.texCoordOffset >= 0;
  gpu.vertexArray = GlVertexArray(NewVertexArray());
  gpu.vertices = GlBuffer(NewBuffer());
  gpu.indices = GlBuffer(NewBuffer());
  glBindVertexArray(gpu.vertexArray.get());
  glBindBuffer(GL_ARRAY_BUFFER, gpu.vertices.get());
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(size_t{vertexCount} * stride),
               geometry.vertices.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.indices.get());
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(uint16_t)),
               indices.data(), GL_STATIC_DRAW);

  const auto glStride = static_cast<GLsizei>(stride);
  auto offset = [](int32_t bytes) { return reinterpret_cast<const void*>(intptr_t{bytes}); };
  glEnableVertexAttribArray(kAttribPosition);
  glVertexAttribPointer(kAttribPosition, 3, GL_FLOAT, GL_FALSE, glStride, offset(0));
  if (gpu.hasNormal) {
    glEnableVertexAttribArray(kAttribNormal);
    glVertexAttribPointer(kAttribNormal, 3, GL_FLOAT, GL_FALSE, glStride,
                          offset(layout.normalOffset));
  }
  if (gpu.hasColor) {
    // 0xAARRGGBB in memory is B, G, R, A: the BGRA order GL swizzles for us.
    glEnableVertexAttribArray(kAttribColor);
    glVertexAttribPointer(kAttribColor, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, glStride,
                          offset(layout.diffuseOffset));
  }
  if (gpu.hasTexCoords) {
    glEnableVertexAttribArray(kAttribTexCoord);
    glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, glStride,
                          offset(layout.texCoordOffset));
  }
  return gpu;
}

GpuTexture UploadTexture(const TextureImage& image) {
  GpuTexture gpu;
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  const uint64_t texels = uint64_t{image.width} * image.height;
  if (image.width == 0 || image.height == 0 || image.width > static_cast<uint32_t>(maxSize) ||
      image.height > static_cast<uint32_t>(maxSize) || image.pixels.size() < texels)
    return gpu;
  gpu.texture = GlTexture(NewTexture());
  glBindTexture(GL_TEXTURE_2D, gpu.texture.get());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  // 0xAARRGGBB words are B, G, R, A bytes on any machine read this way.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(image.width),
               static_cast<GLsizei>(image.height), 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
               image.pixels.data());
  if (image.format == kFormatX8R8G8B8) glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
  gpu.opaque =
      image.format == kFormatX8R8G8B8 ||
      std::all_of(image.pixels.begin(), image.pixels.begin() + static_cast<ptrdiff_t>(texels),
                  [](uint32_t argb) { return argb >> 24 == 0xFF; });
  return gpu;
}

}  // namespace tf
