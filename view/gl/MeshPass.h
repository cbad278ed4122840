#pragma once
// Draws recorded mesh items with the classic fixed-function look: directional
// lights (diffuse only) over a global ambient, material or vertex colours,
// texture stage 0 modulating the lit colour, alpha blending, depth test and
// culling as the item's DrawState says. Consecutive items that share geometry,
// subset and state, and whose textures are none or one and the same, become
// one instanced draw; each instance says whether the texture applies to it.
// Unit spheres that can be ray cast go to the SphereImpostorPass instead.
// Only view/gl sources include this header.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "view/Frame.h"
#include "view/gl/FixedFunctionState.h"
#include "view/gl/GlObjects.h"
#include "view/gl/GpuCache.h"
#include "view/gl/ShaderVariants.h"
#include "view/gl/SphereImpostorPass.h"

namespace tf {

class MeshPass {
 public:
  // Null with the reason in `error` when the shaders cannot be built.
  static std::unique_ptr<MeshPass> Create(std::string* error);
  ~MeshPass();

  // Draws frame.items[first, end), which must all be MeshItems, into the bound
  // framebuffer, `width` x `height` pixels; adds the number of draw calls to
  // `drawCalls`, the number of items drawn as ray-cast spheres to
  // `impostors` and the number of those left out as hidden to `hidden`.
  void Draw(const Frame& frame, size_t first, size_t end, uint32_t width, uint32_t height,
            uint64_t replay, uint32_t* drawCalls, uint32_t* impostors, uint32_t* hidden);
  // Frees GPU copies that the last `keep` replays did not use.
  void DropUnused(uint64_t replay, uint64_t keep);

  size_t CachedGeometries() const { return geometries_.Size(); }
  size_t CachedTextures() const { return textures_.Size(); }

 private:
  MeshPass();
  struct Instance {
    float world[4][4];
    float normal[3][3];  // cofactors of the world matrix: normals stay normal under any scaling
    float diffuse[4];
    float ambient[4];
    float emissive[4];
    float textured;  // 1 when the run's texture applies
  };
  struct CachedGeometry {
    GpuGeometry gpu;
    std::optional<uint32_t> sphereSubset;  // the subset that is a whole unit sphere
  };
  // Instances [first, first + count) of one kind, drawn with one call.
  struct Batch {
    bool impostor;
    const DrawState* state;
    const GpuGeometry* geometry;
    const GpuSubset* subset;
    GLuint texture;
    bool textureOpaque;
    size_t first, count;
    SphereRun spheres;  // ray-cast spheres only: what of the batch Arrange left to draw
  };
  // Splits items_[runStart, runEnd), one run, into batches of meshes and ray-cast spheres.
  void AddBatches(const Frame& frame, size_t runStart, size_t runEnd,
                  const CachedGeometry& geometry, const GpuTexture* texture, uint32_t* impostors);
  void AddInstance(const MeshItem& item);
  const std::optional<Matrix>& ImpostorView(const Frame& frame, uint32_t stateIndex);
  struct Uniforms {
    ShadingUniforms shading;
    GLint viewProjection, hasNormal, hasVertexColor, diffuseFromVertex, ambientFromVertex,
        emissiveFromVertex;
    static Uniforms Find(GLuint program);
  };
  bool DrawMeshBatch(const Batch& batch);
  void ApplyState(const Uniforms& uniforms, const DrawState& state, const GpuGeometry& geometry,
                  const ShaderVariant& variant, GLuint texture);
  void PointInstanceAttributes(size_t firstInstance);

  ShaderVariants<Uniforms> programs_;
  GlBuffer instanceBuffer_;
  GlSampler sampler_;
  std::unique_ptr<SphereImpostorPass> impostors_;
  SerialCache<CachedGeometry> geometries_;
  SerialCache<GpuTexture> textures_;
  // Scratch space of one Draw, kept to spare the allocations.
  std::vector<const MeshItem*> items_;
  std::vector<Instance> instances_;
  std::vector<Batch> batches_;
  struct StateView {
    bool known = false;
    std::optional<Matrix> viewProjection;
  };
  std::vector<StateView> impostorViews_;  // by state index
};

}  // namespace tf
