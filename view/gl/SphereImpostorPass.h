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
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "view/Frame.h"
#include "view/gl/FixedFunctionState.h"
#include "view/gl/GlObjects.h"
#include "view/gl/ShaderVariants.h"
#include "view/gl/SphereOcclusion.h"

namespace tf {

// Relative tolerance on the world matrix rows' lengths and angles.
inline constexpr double kUniformScaleTolerance = 1e-3;

// A run of spheres as Arrange leaves it to draw.
struct SphereRun {
  size_t first = 0, count = 0;  // the instances to draw
  size_t untextured = 0;        // how many of those lead without the texture
  // How many times over the quads of the run as recorded, hidden spheres
  // and all, cover the target: what decides how the run is drawn, so that
  // leaving spheres out never changes the way the rest are drawn.
  double coverage = 0;
};

class SphereImpostorPass {
 public:
  // Null with the reason in `error` when the shaders cannot be built.
  static std::unique_ptr<SphereImpostorPass> Create(std::string* error);

  // The state's view x projection when spheres drawn under it can be ray
  // cast: affine view, orthographic projection, and culling that keeps the
  // near half of an outward-wound sphere, which is what the ray finds.
  static std::optional<Matrix> ImpostorViewProjection(const DrawState& state);

  // Forgets the instances of the previous draw. The spheres go into the
  // bound framebuffer, `width` x `height` pixels with a 24-bit depth and
  // 8-bit stencil buffer.
  void Begin(uint32_t width, uint32_t height);
  // Adds `item` as the next instance when its world matrix can be ray cast
  // under `viewProjection`; false, adding nothing, when it cannot.
  // `textured` says whether the run's texture applies to it.
  bool Add(const MeshItem& item, const Matrix& viewProjection, bool textured);
  size_t InstanceCount() const { return instances_.size(); }
  // Copies the instances to the GPU; call once after the last Add.
  void Upload();
  // Readies instances [first, first + count), one run, for DrawRun; call
  // before Upload. When the order of the spheres cannot show (opaque, behind
  // a depth test that keeps the nearer), leaves out the spheres that nearer
  // ones of the run hide at every pixel (see SphereOcclusion.h) and, for a
  // textured run, moves the untextured ones ahead of the textured ones,
  // keeping the order within each. Otherwise the run stays as it is.
  SphereRun Arrange(const DrawState& state, bool textured, bool textureOpaque, size_t first,
                    size_t count);
  // Draws the run with `texture` (0: none) for the textured spheres, the
  // leading untextured ones without it; false when the shader for the state
  // does not build. `textureOpaque`: every texel of the texture has alpha 1.
  bool DrawRun(const DrawState& state, GLuint texture, bool textureOpaque, const SphereRun& run);

 private:
  SphereImpostorPass();
  // One sphere, in normalised device coordinates (depth 0 near .. 1 far).
  struct Instance {
    float center[4];       // x, y, depth of the centre; w 1 when the texture applies
    float extent[3];       // half width, half height and half depth of the sphere
    float toObject[3][3];  // rows: an offset (x, y, depth) from the centre in object space
    float normal[3][3];    // rows: cofactors of the world matrix, for normals
    float diffuse[4];
    float ambient[4];
    float emissive[4];
  };
  struct Uniforms {
    ShadingUniforms shading;
    GLint keptDepth;
    static Uniforms Find(GLuint program);
  };
  using Program = ShaderVariants<Uniforms>::Program;
  double Coverage(size_t first, size_t count) const;
  // Moves the instances of [first, first + count) that stay visible to its
  // front, keeping their order; returns how many there are.
  size_t DropHidden(size_t first, size_t count);
  bool Opaque(const DrawState& state, const ShaderVariant& variant, bool textureOpaque,
              size_t first, size_t count) const;
  bool EnsureDepthCopy();
  // The depth pass of [first, first + count); leaves the depth test set for the colour passes.
  void DrawDepth(const DrawState& state, size_t first, size_t count);
  void DrawVisible(const Program& program, size_t count);
  void PointInstanceAttributes(size_t firstInstance);

  ShaderVariants<Uniforms> programs_;
  GlVertexArray vertexArray_;
  GlBuffer corners_;
  GlBuffer instanceBuffer_;
  GlSampler sampler_;
  std::vector<Instance> instances_;
  SphereOcclusion occlusion_;
  std::vector<SphereOutline> outlines_;  // scratch space of DropHidden
  std::vector<uint8_t> hidden_;
  uint32_t targetWidth_ = 0, targetHeight_ = 0;
  // The depth buffer as the depth pass left it, for the colour pass to compare with.
  GlTexture depthCopy_;
  GlFramebuffer depthCopyFramebuffer_;
  uint32_t depthCopyWidth_ = 0, depthCopyHeight_ = 0;
};

}  // namespace tf
