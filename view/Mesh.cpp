#include "view/Mesh.h"

#include <atomic>

#include "view/CreationFailures.h"
#include "view/GraphicsDevice.h"
#include "view/GraphicsTypes.h"

namespace tf {

namespace {

std::atomic<uint64_t> nextGeometrySerial{1};

}  // namespace

Mesh::Mesh(GraphicsDevice* device, uint32_t faces, uint32_t vertices, uint32_t options,
           uint32_t fvf)
    : device_(device),
      faceCount_(faces),
      vertexCount_(vertices),
      options_(options),
      fvf_(fvf),
      layout_(DescribeVertexFormat(fvf)),
      vertices_(size_t{vertices} * layout_.stride),
      indices_(size_t{faces} * 3),
      attributes_(faces) {
  device_->AddRef();
  Publish();
}

Mesh::~Mesh() {
  device_->Release();
}

void Mesh::Publish() {
  auto geometry = std::make_shared<MeshGeometry>();
  geometry->serial = nextGeometrySerial++;
  geometry->fvf = fvf_;
  geometry->layout = layout_;
  geometry->vertexCount = vertexCount_;
  geometry->faceCount = faceCount_;
  geometry->vertices = vertices_;
  geometry->indices = indices_;
  geometry->attributes = attributes_;
  geometry_ = std::move(geometry);
}

long Mesh::Lock(LockState& lock, uint32_t flags) {
  ++lock.count;
  if ((flags & kLockReadOnly) == 0) lock.written = true;
  return kOk;
}

long Mesh::Unlock(LockState& lock) {
  if (lock.count == 0) return kErrInvalidCall;
  if (--lock.count == 0 && lock.written) {
    lock.written = false;
    Publish();
  }
  return kOk;
}

long Mesh::LockVertexBuffer(uint32_t flags, void** data) {
  if (data == nullptr) return kErrInvalidCall;
  *data = vertices_.data();
  return Lock(vertexLock_, flags);
}

long Mesh::UnlockVertexBuffer() {
  return Unlock(vertexLock_);
}

long Mesh::LockIndexBuffer(uint32_t flags, void** data) {
  if (data == nullptr) return kErrInvalidCall;
  *data = indices_.data();
  return Lock(indexLock_, flags);
}

long Mesh::UnlockIndexBuffer() {
  return Unlock(indexLock_);
}

long Mesh::LockAttributeBuffer(uint32_t flags, uint32_t** data) {
  if (data == nullptr) return kErrInvalidCall;
  *data = attributes_.data();
  return Lock(attributeLock_, flags);
}

long Mesh::UnlockAttributeBuffer() {
  return Unlock(attributeLock_);
}

long Mesh::DrawSubset(uint32_t attributeId) {
  if (vertexLock_.count || indexLock_.count || attributeLock_.count) return kErrInvalidCall;
  return device_->RecordMesh(geometry_, attributeId);
}

long CreateMeshFVF(uint32_t numFaces, uint32_t numVertices, uint32_t options, uint32_t fvf,
                   GraphicsDevice* device, Mesh** mesh) {
  if (mesh == nullptr) return kErrInvalidCall;
  *mesh = nullptr;
  if (device == nullptr || numFaces == 0 || numVertices == 0) return kErrInvalidCall;
  if (numFaces > kMaxMeshFaces || numVertices > kMaxMeshVertices) return kErrInvalidCall;
  if ((options & kMesh32Bit) || DescribeVertexFormat(fvf).stride == 0) return kErrInvalidCall;
  if (CreationFails(CreationKind::kMeshFvf)) return kErrOutOfMemory;
  *mesh = new Mesh(device, numFaces, numVertices, options, fvf);
  return kOk;
}

}  // namespace tf
