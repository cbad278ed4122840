#pragma once
// Draws mesh items whose geometry is a unit sphere (see UnitSphere.h) as
// ray-cast spheres: one screen-aligned quad per item covering the sphere's
// outline, each pixel finding the nearest point of the true sphere. The look
// is the mesh path's with the lighting evaluated per pixel: the same
// materials, lights, texture stage and depth mapping, texture coordinates from
// the object-space normal. Only orthographic views are ray cast, and only
// items whose world matrix is a uniform positive scale times a rotation; the
// caller draws everything else as meshes. Only view/gl sources include this
// header.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "view/Frame.h"
#include "view/gl/FixedFunctionState.h"
#include "view/gl/GlObjects.h"
#include "view/gl/ShaderVariants.h"

namespace tf {

// Relative tolerance on the world matrix rows' lengths and angles.
inline constexpr double kUniformScaleTolerance = 1e-3;

class SphereImpostorPass {
 public:
  // Null with the reason in `error` when the shaders cannot be built.
  static std::unique_ptr<SphereImpostorPass> Create(std::string* error);

  // The state's view x projection when spheres drawn under it can be ray
  // cast: affine view, orthographic projection, and culling that keeps the
  // near half of an outward-wound sphere, which is what the ray finds.
  static std::optional<Matrix> ImpostorViewProjection(const DrawState& state);

  // Forgets the instances of the previous draw.
  void Clear() { instances_.clear(); }
  // Adds `item` as the next instance when its world matrix can be ray cast
  // under `viewProjection`; false, adding nothing, when it cannot.
  // `textured` says whether the run's texture applies to it.
  bool Add(const MeshItem& item, const Matrix& viewProjection, bool textured);
  size_t InstanceCount() const { return instances_.size(); }
  // Copies the instances to the GPU; call once after the last Add.
  void Upload();
  // Draws instances [first, first + count) with `texture` (0: none) for the
  // textured ones; false when the shader for the state does not build.
  bool DrawRun(const DrawState& state, GLuint texture, size_t first, size_t count);

 private:
  SphereImpostorPass();
  // One sphere, in normalised device coordinates (depth 0 near .. 1 far).
  struct Instance {
    float center[4];       // x, y, depth of the centre; w 1 when the texture applies
    float extent[2];       // half width and half height of the outline
    float toObject[3][3];  // rows: an offset (x, y, depth) from the centre in object space
    float normal[3][3];    // rows: cofactors of the world matrix, for normals
    float diffuse[4];
    float ambient[4];
    float emissive[4];
  };
  void PointInstanceAttributes(size_t firstInstance);

  ShaderVariants<ShadingUniforms> programs_;
  GlVertexArray vertexArray_;
  GlBuffer corners_;
  GlBuffer instanceBuffer_;
  GlSampler sampler_;
  std::vector<Instance> instances_;
};

}  // namespace tf
