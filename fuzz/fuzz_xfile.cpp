// Feeds arbitrary bytes to the .x mesh loader: it must fail cleanly or build
// a mesh whose every index addresses a vertex.

#include <cstddef>
#include <cstdint>

#include "view/GraphicsDevice.h"
#include "view/Mesh.h"
#include "view/XMeshLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tf::GraphicsDevice device;
  tf::Mesh* mesh = nullptr;
  std::vector<tf::MeshMaterial> materials;
  if (tf::LoadMeshFromXMemory(data, size, tf::kMeshManaged, &device, &materials, &mesh) != tf::kOk)
    return 0;
  const auto geometry = mesh->Geometry();
  for (uint16_t index : geometry->indices)
    if (index >= geometry->vertexCount) __builtin_trap();
  for (uint32_t subset : geometry->attributes)
    if (!materials.empty() && subset >= materials.size()) __builtin_trap();
  mesh->Release();
  return 0;
}
