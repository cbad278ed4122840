#pragma once
// Meshes from .x text: the embedded sphere, or any buffer holding such text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "view/GraphicsTypes.h"

namespace tf {

class GraphicsDevice;
class Mesh;

// A material as the file gives it, with the name of its texture file if any.
struct MeshMaterial {
  Material material;  // diffuse = the face colour; ambient stays zero
  std::string textureFilename;
};

// Builds a mesh from .x text. Polygons become triangle fans; a position used
// with different normals becomes one vertex per normal. The vertex format is
// position, plus normal and texture coordinates when the file has them; each
// face's subset is its material. `materials` may be null. Returns kOk,
// kErrInvalidCall for null arguments, kErrInvalidData (with the reason in
// `error`) for text it cannot use, or the failure of mesh creation.
long LoadMeshFromXMemory(const void* data, size_t size, uint32_t options, GraphicsDevice* device,
                         std::vector<MeshMaterial>* materials, Mesh** mesh,
                         std::string* error = nullptr);

// The same for an embedded resource; kErrNotFound when there is none.
long LoadMeshFromXResource(std::string_view name, std::string_view type, uint32_t options,
                           GraphicsDevice* device, std::vector<MeshMaterial>* materials,
                           Mesh** mesh);

}  // namespace tf
