#pragma once
// Meshes with 16-bit indices: vertex, index and attribute (subset per face)
// buffers that are written through locks. Ending a write lock publishes a new
// immutable geometry; DrawSubset records the current one with the device state.

#include <cstdint>
#include <memory>
#include <vector>

#include "view/MeshGeometry.h"
#include "view/RefCounted.h"

namespace tf {

class GraphicsDevice;

// Limits of one mesh: 16-bit indices address at most 65535 vertices.
inline constexpr uint32_t kMaxMeshVertices = 65535;
inline constexpr uint32_t kMaxMeshFaces = 1u << 20;

class Mesh : public RefCounted {
 public:
  // Records subset `attributeId` with the device's current world transform,
  // material, stage-0 texture and state. kErrInvalidCall while a buffer is locked.
  long DrawSubset(uint32_t attributeId);

  // Each lock hands out the mesh's buffer (vertices as laid out by the vertex
  // format, indices as uint16_t, attributes as uint32_t). Locks nest; when the
  // last one ends after a lock without kLockReadOnly, the new contents are
  // published. Unlocking a buffer that is not locked fails with kErrInvalidCall.
  long LockVertexBuffer(uint32_t flags, void** data);
  long UnlockVertexBuffer();
  long LockIndexBuffer(uint32_t flags, void** data);
  long UnlockIndexBuffer();
  long LockAttributeBuffer(uint32_t flags, uint32_t** data);
  long UnlockAttributeBuffer();

  uint32_t GetNumFaces() const { return faceCount_; }
  uint32_t GetNumVertices() const { return vertexCount_; }
  uint32_t GetFVF() const { return fvf_; }
  uint32_t GetNumBytesPerVertex() const { return layout_.stride; }
  uint32_t GetOptions() const { return options_; }
  // The geometry as last published.
  std::shared_ptr<const MeshGeometry> Geometry() const { return geometry_; }

 private:
  friend long CreateMeshFVF(uint32_t, uint32_t, uint32_t, uint32_t, GraphicsDevice*, Mesh**);
  Mesh(GraphicsDevice* device, uint32_t faces, uint32_t vertices, uint32_t options, uint32_t fvf);
  ~Mesh() override;

  // A buffer's lock count and whether a lock since the last publish could write.
  struct LockState {
    int count = 0;
    bool written = false;
  };
  long Lock(LockState& lock, uint32_t flags);
  long Unlock(LockState& lock);
  void Publish();

  GraphicsDevice* device_;
  uint32_t faceCount_;
  uint32_t vertexCount_;
  uint32_t options_;
  uint32_t fvf_;
  VertexLayout layout_;
  std::vector<uint8_t> vertices_;
  std::vector<uint16_t> indices_;
  std::vector<uint32_t> attributes_;
  LockState vertexLock_, indexLock_, attributeLock_;
  std::shared_ptr<const MeshGeometry> geometry_;
};

// An empty mesh (zeroed buffers) of `numFaces` triangles over `numVertices`
// vertices. Fails with kErrInvalidCall for zero or too large counts, 32-bit
// indices or an unsupported vertex format; `*mesh` is null on failure.
long CreateMeshFVF(uint32_t numFaces, uint32_t numVertices, uint32_t options, uint32_t fvf,
                   GraphicsDevice* device, Mesh** mesh);

}  // namespace tf
