#pragma once
// Makes chosen kinds of graphics object creation fail, so tests can drive
// start-up through its failure paths. Process-wide; safe from any thread.

#include <cstdint>

namespace tf {

enum class CreationKind : uint32_t {
  kDirect3D,  // Direct3DCreate9 returns null
  kDevice,    // CreateDevice
  kFont,
  kLine,
  kTexture,
  kXMesh,     // LoadMeshFromXResource / LoadMeshFromXMemory
  kCylinder,  // CreateCylinder
  kMeshFvf,   // CreateMeshFVF, and so every mesh built on it
};

void SetCreationFailing(CreationKind kind, bool failing);
bool CreationFails(CreationKind kind);

// Fails one kind of creation for the lifetime of the object.
class ScopedCreationFailure {
 public:
  explicit ScopedCreationFailure(CreationKind kind) : kind_(kind) {
    SetCreationFailing(kind_, true);
  }
  ~ScopedCreationFailure() { SetCreationFailing(kind_, false); }
  ScopedCreationFailure(const ScopedCreationFailure&) = delete;
  ScopedCreationFailure& operator=(const ScopedCreationFailure&) = delete;

 private:
  CreationKind kind_;
};

}  // namespace tf
