#pragma once
// GPU copies of mesh geometry and texture images, found by the serial of the
// data they copy. Meshes publish a new geometry whenever they are rewritten
// (the grid on every zoom), so entries that recent replays have not used are
// dropped. Only view/gl sources include this header.

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "view/MeshGeometry.h"
#include "view/TextureImage.h"
#include "view/gl/GlObjects.h"

namespace tf {

// Vertex attribute locations shared by the mesh shader and the geometry upload.
enum MeshAttribute : GLuint {
  kAttribPosition = 0,
  kAttribNormal = 1,
  kAttribColor = 2,
  kAttribTexCoord = 3,
  kAttribFirstInstance = 4,  // per-instance attributes follow
};

// The faces of one subset, as a range of the geometry's index buffer.
struct GpuSubset {
  uint32_t subset;
  GLint firstIndex;
  GLsizei indexCount;
};

struct GpuGeometry {
  GlVertexArray vertexArray;
  GlBuffer vertices;
  GlBuffer indices;
  std::vector<GpuSubset> subsets;  // only subsets with faces
  bool hasNormal = false;
  bool hasColor = false;
  bool hasTexCoords = false;

  const GpuSubset* Find(uint32_t subset) const;
};

struct GpuTexture {
  GlTexture texture;    // 0 when the image cannot be used; it then draws as no texture
  bool opaque = false;  // every texel's alpha is 1
};

// Copies the geometry to the GPU, faces grouped by subset. Faces that name a
// vertex the geometry does not have, or that have no subset entry, are left
// out. Leaves the new vertex array bound.
GpuGeometry UploadGeometry(const MeshGeometry& geometry);
// Copies the image as RGBA8 (rows from the top, so texture coordinate v = 0 is
// its top row); opaque formats read alpha as 1.
GpuTexture UploadTexture(const TextureImage& image);

// Entries by serial, each stamped with the last replay that used it.
template <typename Entry>
class SerialCache {
 public:
  // The entry for `serial`, made by `make()` when there is none yet.
  template <typename Make>
  Entry& Use(uint64_t serial, uint64_t replay, Make make) {
    auto found = slots_.find(serial);
    if (found == slots_.end()) found = slots_.emplace(serial, Slot{make(), replay}).first;
    found->second.lastUsed = replay;
    return found->second.entry;
  }
  // Drops entries last used more than `keep` replays before `replay`.
  void DropUnused(uint64_t replay, uint64_t keep) {
    std::erase_if(slots_, [&](const auto& slot) { return replay - slot.second.lastUsed > keep; });
  }
  size_t Size() const { return slots_.size(); }

 private:
  struct Slot {
    Entry entry;
    uint64_t lastUsed;
  };
  std::unordered_map<uint64_t, Slot> slots_;
};

}  // namespace tf
