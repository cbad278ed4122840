#include "view/gl/MeshPass.h"

#include <algorithm>
#include <cstddef>

#include "view/DeviceStates.h"
#include "view/GraphicsTypes.h"
#include "view/gl/SphereImpostorPass.h"
#include "view/gl/UnitSphere.h"

namespace tf {

namespace {

// Both see LIGHT_COUNT and STAGE_SAMPLING (see ShaderVariants.h).
const char* const kVertexShader = R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec4 vertexColor;
layout(location = 3) in vec2 texCoord;
// Per instance: the world matrix by rows (row vectors are multiplied on the
// left), the rows of its normal matrix, the material colours and whether the
// texture applies.
layout(location = 4) in vec4 world0;
layout(location = 5) in vec4 world1;
layout(location = 6) in vec4 world2;
layout(location = 7) in vec4 world3;
layout(location = 8) in vec3 normal0;
layout(location = 9) in vec3 normal1;
layout(location = 10) in vec3 normal2;
layout(location = 11) in vec4 materialDiffuse;
layout(location = 12) in vec4 materialAmbient;
layout(location = 13) in vec4 materialEmissive;
layout(location = 14) in float instanceTextured;

uniform mat4 viewProjection;
uniform bool lighting;
uniform bool hasNormal;
uniform bool hasVertexColor;
uniform bool diffuseFromVertex;
uniform bool ambientFromVertex;
uniform bool emissiveFromVertex;
uniform vec4 globalAmbient;
#if LIGHT_COUNT > 0
uniform vec3 lightToward[LIGHT_COUNT];
uniform vec4 lightDiffuse[LIGHT_COUNT];
uniform vec4 lightAmbient[LIGHT_COUNT];
#endif

out vec4 litColor;
#if STAGE_SAMPLING != 0
out vec2 stageCoord;
flat out float textured;
#endif

void main() {
  vec4 worldPosition = position.x * world0 + position.y * world1 + position.z * world2 + world3;
  vec4 clip = viewProjection * worldPosition;
  // The projection maps visible depth to 0..1; GL clips and maps -1..1.
  clip.z = 2.0 * clip.z - clip.w;
  gl_Position = clip;
#if STAGE_SAMPLING != 0
  stageCoord = texCoord;
  textured = instanceTextured;
#endif
  if (!lighting) {
    litColor = hasVertexColor ? vertexColor : vec4(1.0);
    return;
  }
  vec4 diffuse = diffuseFromVertex ? vertexColor : materialDiffuse;
  vec4 ambient = ambientFromVertex ? vertexColor : materialAmbient;
  vec4 emissive = emissiveFromVertex ? vertexColor : materialEmissive;
  vec3 color = emissive.rgb + globalAmbient.rgb * ambient.rgb;
#if LIGHT_COUNT > 0
  vec3 n = vec3(0.0);
  if (hasNormal) {
    n = normal.x * normal0 + normal.y * normal1 + normal.z * normal2;
    float len = length(n);
    n = len > 0.0 ? n / len : vec3(0.0);
  }
  for (int i = 0; i < LIGHT_COUNT; ++i) {
    color += lightAmbient[i].rgb * ambient.rgb;
    color += lightDiffuse[i].rgb * diffuse.rgb * max(dot(n, lightToward[i]), 0.0);
  }
#endif
  litColor = vec4(clamp(color, 0.0, 1.0), clamp(diffuse.a, 0.0, 1.0));
}
)";

const char* const kFragmentShader = R"(
in vec4 litColor;
#if STAGE_SAMPLING != 0
in vec2 stageCoord;
flat in float textured;
uniform sampler2D stageTexture;
uniform int colorOp;  // 0 the lit colour, 1 the texture, 2 their product
uniform int alphaOp;
#endif
out vec4 fragColor;

void main() {
  vec4 color = litColor;
#if STAGE_SAMPLING != 0
#if STAGE_SAMPLING == 2
  vec4 texel = texture(stageTexture, stageCoord);
#else
  vec4 texel = textureLod(stageTexture, stageCoord, 0.0);
#endif
  if (textured != 0.0) {
    if (colorOp == 1) color.rgb = texel.rgb;
    else if (colorOp == 2) color.rgb *= texel.rgb;
    if (alphaOp == 1) color.a = texel.a;
    else if (alphaOp == 2) color.a *= texel.a;
  }
#endif
  fragColor = color;
}
)";

Vector3 Row(const Matrix& m, int r) {
  return {m.m[r][0], m.m[r][1], m.m[r][2]};
}

uint64_t TextureSerial(const MeshItem& item) {
  return item.texture ? item.texture->serial : 0;
}

// `item` can join a run that began with `head` and whose texture so far is
// `runTexture` (0: none yet): untextured items never break a run.
bool JoinsRun(const MeshItem& head, uint64_t runTexture, const MeshItem& item) {
  const uint64_t texture = TextureSerial(item);
  return item.geometry->serial == head.geometry->serial && item.subset == head.subset &&
         item.stateIndex == head.stateIndex &&
         (texture == 0 || runTexture == 0 || texture == runTexture);
}

}  // namespace

MeshPass::Uniforms MeshPass::Uniforms::Find(GLuint program) {
  const auto at = [program](const char* name) { return glGetUniformLocation(program, name); };
  return {ShadingUniforms::Find(program), at("viewProjection"),    at("hasNormal"),
          at("hasVertexColor"),           at("diffuseFromVertex"), at("ambientFromVertex"),
          at("emissiveFromVertex")};
}

MeshPass::MeshPass() : programs_(kVertexShader, kFragmentShader) {}
MeshPass::~MeshPass() = default;

std::unique_ptr<MeshPass> MeshPass::Create(std::string* error) {
  std::unique_ptr<MeshPass> pass(new MeshPass());
  // The usual variant now, so that a shader fault shows at once; others on demand.
  if (pass->programs_.Get(ShaderVariant{}, error) == nullptr) return nullptr;
  pass->impostors_ = SphereImpostorPass::Create(error);
  if (!pass->impostors_) return nullptr;
  pass->instanceBuffer_ = GlBuffer(NewBuffer());
  pass->sampler_ = GlSampler(NewSampler());
  return pass;
}

void MeshPass::DropUnused(uint64_t replay, uint64_t keep) {
  geometries_.DropUnused(replay, keep);
  textures_.DropUnused(replay, keep);
}

void MeshPass::AddInstance(const MeshItem& item) {
  Instance& instance = instances_.emplace_back();
  std::copy(&item.world.m[0][0], &item.world.m[0][0] + 16, &instance.world[0][0]);
  const Vector3 rows[3] = {Row(item.world, 0), Row(item.world, 1), Row(item.world, 2)};
  Vector3 cofactor[3];
  Vec3Cross(&cofactor[0], &rows[1], &rows[2]);
  Vec3Cross(&cofactor[1], &rows[2], &rows[0]);
  Vec3Cross(&cofactor[2], &rows[0], &rows[1]);
  // A mirroring world matrix would turn the normals inward.
  const float sign = Vec3Dot(&rows[0], &cofactor[0]) < 0 ? -1.0f : 1.0f;
  for (int r = 0; r < 3; ++r) {
    instance.normal[r][0] = sign * cofactor[r].x;
    instance.normal[r][1] = sign * cofactor[r].y;
    instance.normal[r][2] = sign * cofactor[r].z;
  }
  CopyColor(item.material.diffuse, instance.diffuse);
  CopyColor(item.material.ambient, instance.ambient);
  CopyColor(item.material.emissive, instance.emissive);
  instance.textured = item.texture ? 1.0f : 0.0f;
}

const std::optional<Matrix>& MeshPass::ImpostorView(const Frame& frame, uint32_t stateIndex) {
  StateView& view = impostorViews_[stateIndex];
  if (!view.known) {
    view.viewProjection = SphereImpostorPass::ImpostorViewProjection(frame.states[stateIndex]);
    view.known = true;
  }
  return view.viewProjection;
}

void MeshPass::AddBatches(const Frame& frame, size_t runStart, size_t runEnd,
                          const CachedGeometry& geometry, const GpuTexture* texture,
                          uint32_t* impostors) {
  const MeshItem& head = *items_[runStart];
  const GpuSubset* subset = geometry.gpu.Find(head.subset);
  if (subset == nullptr) return;
  const std::optional<Matrix>* view =
      geometry.sphereSubset == head.subset ? &ImpostorView(frame, head.stateIndex) : nullptr;
  const size_t firstBatch = batches_.size();
  for (size_t i = runStart; i < runEnd; ++i) {
    const MeshItem& item = *items_[i];
    const bool impostor =
        view && view->has_value() && impostors_->Add(item, **view, item.texture != nullptr);
    if (!impostor) AddInstance(item);
    if (batches_.size() == firstBatch || batches_.back().impostor != impostor) {
      const size_t at = impostor ? impostors_->InstanceCount() - 1 : instances_.size() - 1;
      batches_.push_back({impostor,
                          &frame.states[head.stateIndex],
                          &geometry.gpu,
                          subset,
                          texture ? texture->texture.get() : 0,
                          texture && texture->opaque,
                          at,
                          0,
                          {}});
    }
    ++batches_.back().count;
    if (impostor) ++*impostors;
  }
}

void MeshPass::Draw(const Frame& frame, size_t first, size_t end, uint32_t width, uint32_t height,
                    uint64_t replay, uint32_t* drawCalls, uint32_t* impostors, uint32_t* hidden) {
  items_.clear();
  for (size_t i = first; i < end; ++i) {
    const auto* item = std::get_if<MeshItem>(&frame.items[i]);
    if (item && item->geometry && item->stateIndex < frame.states.size()) items_.push_back(item);
  }
  if (items_.empty()) return;
  instances_.clear();
  batches_.clear();
  impostors_->Begin(width, height);
  impostorViews_.assign(frame.states.size(), StateView{});

  for (size_t runStart = 0; runStart < items_.size();) {
    const MeshItem& head = *items_[runStart];
    const MeshItem* textured = nullptr;  // the first item with a texture
    size_t runEnd = runStart;
    for (; runEnd < items_.size(); ++runEnd) {
      const MeshItem& item = *items_[runEnd];
      if (!JoinsRun(head, textured ? TextureSerial(*textured) : 0, item)) break;
      if (!textured && item.texture) textured = &item;
    }

    const CachedGeometry& geometry = geometries_.Use(head.geometry->serial, replay, [&] {
      return CachedGeometry{UploadGeometry(*head.geometry), UnitSphereSubset(*head.geometry)};
    });
    const GpuTexture* texture = nullptr;
    if (textured) {
      texture = &textures_.Use(textured->texture->serial, replay,
                               [&] { return UploadTexture(*textured->texture); });
    }
    AddBatches(frame, runStart, runEnd, geometry, texture, impostors);
    runStart = runEnd;
  }

  if (!instances_.empty()) {
    glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_.get());
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(instances_.size() * sizeof(Instance)),
                 instances_.data(), GL_STREAM_DRAW);
  }
  for (Batch& batch : batches_) {
    if (!batch.impostor) continue;
    batch.spheres = impostors_->Arrange(*batch.state, batch.texture != 0, batch.textureOpaque,
                                        batch.first, batch.count);
    *hidden += static_cast<uint32_t>(batch.count - batch.spheres.count);
  }
  impostors_->Upload();
  for (const Batch& batch : batches_) {
    if (batch.impostor && batch.spheres.count == 0) continue;  // every sphere hidden
    const bool drawn = batch.impostor ? impostors_->DrawRun(*batch.state, batch.texture,
                                                            batch.textureOpaque, batch.spheres)
                                      : DrawMeshBatch(batch);
    if (drawn) ++*drawCalls;
  }
}

bool MeshPass::DrawMeshBatch(const Batch& batch) {
  const ShaderVariant variant = ChooseVariant(*batch.state, batch.texture != 0);
  const auto* program = programs_.Get(variant, nullptr);
  if (program == nullptr) return false;
  glUseProgram(program->program.get());
  glBindVertexArray(batch.geometry->vertexArray.get());
  PointInstanceAttributes(batch.first);
  ApplyState(program->uniforms, *batch.state, *batch.geometry, variant, batch.texture);
  glDrawElementsInstanced(
      GL_TRIANGLES, batch.subset->indexCount, GL_UNSIGNED_SHORT,
      reinterpret_cast<const void*>(static_cast<intptr_t>(batch.subset->firstIndex) * 2),
      static_cast<GLsizei>(batch.count));
  return true;
}

void MeshPass::PointInstanceAttributes(size_t firstInstance) {
  glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_.get());
  const auto stride = static_cast<GLsizei>(sizeof(Instance));
  const size_t base = firstInstance * sizeof(Instance);
  auto point = [&](GLuint location, GLint size, size_t offset) {
    PointInstanceAttribute(location, size, stride, base + offset);
  };
  for (GLuint r = 0; r < 4; ++r)
    point(kAttribFirstInstance + r, 4, offsetof(Instance, world) + r * sizeof(float[4]));
  for (GLuint r = 0; r < 3; ++r)
    point(kAttribFirstInstance + 4 + r, 3, offsetof(Instance, normal) + r * sizeof(float[3]));
  point(kAttribFirstInstance + 7, 4, offsetof(Instance, diffuse));
  point(kAttribFirstInstance + 8, 4, offsetof(Instance, ambient));
  point(kAttribFirstInstance + 9, 4, offsetof(Instance, emissive));
  point(kAttribFirstInstance + 10, 1, offsetof(Instance, textured));
}

void MeshPass::ApplyState(const Uniforms& uniforms, const DrawState& state,
                          const GpuGeometry& geometry, const ShaderVariant& variant,
                          GLuint texture) {
  const RenderStates& rs = state.renderStates;
  Matrix viewProjection;
  MatrixMultiply(&viewProjection, &state.view, &state.projection);
  // Row-major rows read as GL's columns give the same product for column vectors.
  glUniformMatrix4fv(uniforms.viewProjection, 1, GL_FALSE, &viewProjection.m[0][0]);

  const bool colorVertex = rs[kRsColorVertex] != 0 && geometry.hasColor;
  glUniform1i(uniforms.hasNormal, geometry.hasNormal);
  glUniform1i(uniforms.hasVertexColor, geometry.hasColor);
  glUniform1i(uniforms.diffuseFromVertex,
              colorVertex && rs[kRsDiffuseMaterialSource] == kMcsColor1);
  glUniform1i(uniforms.ambientFromVertex,
              colorVertex && rs[kRsAmbientMaterialSource] == kMcsColor1);
  glUniform1i(uniforms.emissiveFromVertex,
              colorVertex && rs[kRsEmissiveMaterialSource] == kMcsColor1);
  SetShading(uniforms.shading, state, variant);
  ApplyPipelineState(state, texture, sampler_.get(), true);
}

}  // namespace tf
