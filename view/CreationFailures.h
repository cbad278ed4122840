#pragma once
// The kinds of graphics object whose creation can fail, and the one question
// every creation function asks before it makes one.

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

// Whether creating an object of this kind is to fail. The program never
// fails one on purpose: its definition answers false. Tests link their own
// answer (tests/support/FailureSwitches) to drive start-up through its
// failure paths.
bool CreationFails(CreationKind kind);

}  // namespace tf
