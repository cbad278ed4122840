#pragma once
// Draws recorded mesh items with the classic fixed-function look: directional
// lights (diffuse only) over a global ambient, material or vertex colours,
// texture stage 0 modulating the lit colour, alpha blending, depth test and
// culling as the item's DrawState says. Consecutive items that share geometry,
// subset, texture and state become one instanced draw. Only view/gl sources
// include this header.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "view/Frame.h"
#include "view/gl/GlObjects.h"
#include "view/gl/GpuCache.h"

namespace tf {

class MeshPass {
 public:
  // Null with the reason in `error` when the shaders cannot be built.
  static std::unique_ptr<MeshPass> Create(std::string* error);

  // Draws frame.items[first, end), which must all be MeshItems, into the bound
  // framebuffer; adds the number of draw calls to `drawCalls`.
  void Draw(const Frame& frame, size_t first, size_t end, uint64_t replay, uint32_t* drawCalls);
  // Frees GPU copies that the last `keep` replays did not use.
  void DropUnused(uint64_t replay, uint64_t keep);

  size_t CachedGeometries() const { return geometries_.Size(); }
  size_t CachedTextures() const { return textures_.Size(); }

 private:
  MeshPass() = default;
  struct Instance;
  void ApplyState(const DrawState& state, const GpuGeometry& geometry, GLuint texture);
  void PointInstanceAttributes(size_t firstInstance);

  GlProgram program_;
  GlBuffer instances_;
  GlSampler sampler_;
  SerialCache<GpuGeometry> geometries_;
  SerialCache<GpuTexture> textures_;
  struct Uniforms {
    GLint viewProjection, lighting, hasNormal, hasVertexColor, diffuseFromVertex, ambientFromVertex,
        emissiveFromVertex, globalAmbient, lightCount, lightToward, lightDiffuse, lightAmbient,
        colorOp, alphaOp, stageTexture;
  } uniforms_{};
};

}  // namespace tf
