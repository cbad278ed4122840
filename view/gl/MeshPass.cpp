#include "view/gl/MeshPass.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "view/DeviceStates.h"
#include "view/GraphicsTypes.h"

namespace tf {

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec4 vertexColor;
layout(location = 3) in vec2 texCoord;
// Per instance: the world matrix by rows (row vectors are multiplied on the
// left), the rows of its normal matrix and the material colours.
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

uniform mat4 viewProjection;
uniform bool lighting;
uniform bool hasNormal;
uniform bool hasVertexColor;
uniform bool diffuseFromVertex;
uniform bool ambientFromVertex;
uniform bool emissiveFromVertex;
uniform vec4 globalAmbient;
uniform int lightCount;
uniform vec3 lightToward[8];
uniform vec4 lightDiffuse[8];
uniform vec4 lightAmbient[8];

out vec4 litColor;
out vec2 stageCoord;

void main() {
  vec4 worldPosition = position.x * world0 + position.y * world1 + position.z * world2 + world3;
  vec4 clip = viewProjection * worldPosition;
  // The projection maps visible depth to 0..1; GL clips and maps -1..1.
  clip.z = 2.0 * clip.z - clip.w;
  gl_Position = clip;
  stageCoord = texCoord;
  if (!lighting) {
    litColor = hasVertexColor ? vertexColor : vec4(1.0);
    return;
  }
  vec4 diffuse = diffuseFromVertex ? vertexColor : materialDiffuse;
  vec4 ambient = ambientFromVertex ? vertexColor : materialAmbient;
  vec4 emissive = emissiveFromVertex ? vertexColor : materialEmissive;
  vec3 n = vec3(0.0);
  if (hasNormal) {
    n = normal.x * normal0 + normal.y * normal1 + normal.z * normal2;
    float len = length(n);
    n = len > 0.0 ? n / len : vec3(0.0);
  }
  vec3 color = emissive.rgb + globalAmbient.rgb * ambient.rgb;
  for (int i = 0; i < lightCount; ++i) {
    color += lightAmbient[i].rgb * ambient.rgb;
    color += lightDiffuse[i].rgb * diffuse.rgb * max(dot(n, lightToward[i]), 0.0);
  }
  litColor = vec4(clamp(color, 0.0, 1.0), clamp(diffuse.a, 0.0, 1.0));
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 litColor;
in vec2 stageCoord;
uniform sampler2D stageTexture;
uniform int colorOp;  // 0 the lit colour, 1 the texture, 2 their product
uniform int alphaOp;
out vec4 fragColor;

void main() {
  vec4 color = litColor;
  if (colorOp != 0 || alphaOp != 0) {
    vec4 texel = texture(stageTexture, stageCoord);
    if (colorOp == 1) color.rgb = texel.rgb;
    else if (colorOp == 2) color.rgb *= texel.rgb;
    if (alphaOp == 1) color.a = texel.a;
    else if (alphaOp == 2) color.a *= texel.a;
  }
  fragColor = color;
}
)";

constexpr uint32_t kTopSelectArg2 = 3;
constexpr uint32_t kMaxShaderLights = 8;

// What a texture stage operation makes of the texture and the lit colour,
// in the fragment shader's numbering.
int StageOperation(uint32_t op, uint32_t arg1, uint32_t arg2) {
  switch (op) {
    case kTopSelectArg1:
      return arg1 == kTaTexture ? 1 : 0;
    case kTopSelectArg2:
      return arg2 == kTaTexture ? 1 : 0;
    case kTopDisable:
      return 0;
    default:  // modulate, and the operations this backend does not have
      return arg1 == kTaTexture || arg2 == kTaTexture ? 2 : 0;
  }
}

std::array<float, 4> ArgbToFloats(uint32_t argb) {
  return {static_cast<float>((argb >> 16) & 0xFF) / 255.0f,
          static_cast<float>((argb >> 8) & 0xFF) / 255.0f, static_cast<float>(argb & 0xFF) / 255.0f,
          static_cast<float>(argb >> 24) / 255.0f};
}

// Blend factors by number: 1 zero, 2 one, 3 .. 10 source and destination
// colour or alpha and their inverses, 11 saturated source alpha.
GLenum GlBlendFactor(uint32_t factor) {
  static constexpr GLenum kFactors[] = {GL_ZERO,  // no factor 0
                                        GL_ZERO,
                                        GL_ONE,
                                        GL_SRC_COLOR,
                                        GL_ONE_MINUS_SRC_COLOR,
                                        GL_SRC_ALPHA,
                                        GL_ONE_MINUS_SRC_ALPHA,
                                        GL_DST_ALPHA,
                                        GL_ONE_MINUS_DST_ALPHA,
                                        GL_DST_COLOR,
                                        GL_ONE_MINUS_DST_COLOR,
                                        GL_SRC_ALPHA_SATURATE};
  return factor < std::size(kFactors) ? kFactors[factor] : GL_ONE;
}

// Blend operations: 1 add, 2 subtract, 3 reverse subtract, 4 minimum, 5 maximum.
GLenum GlBlendEquation(uint32_t op) {
  switch (op) {
    case 2:
      return GL_FUNC_SUBTRACT;
    case 3:
      return GL_FUNC_REVERSE_SUBTRACT;
    case 4:
      return GL_MIN;
    case 5:
      return GL_MAX;
    default:
      return GL_FUNC_ADD;
  }
}

// Comparison functions are numbered never (1) .. always (8) in the same order as GL's.
GLenum DepthFunction(uint32_t function) {
  return function >= 1 && function <= 8 ? GL_NEVER + (function - 1) : GL_LEQUAL;
}

// Texture addressing: 1 wrap, 2 mirror, 3 clamp, 4 border colour, 5 mirror once.
GLint AddressMode(uint32_t mode) {
  switch (mode) {
    case 2:
      return GL_MIRRORED_REPEAT;
    case 3:
    case 5:
      return GL_CLAMP_TO_EDGE;
    case 4:
      return GL_CLAMP_TO_BORDER;
    default:
      return GL_REPEAT;
  }
}

GLint Filter(uint32_t filter) {
  return filter == kTexfLinear ? GL_LINEAR : GL_NEAREST;
}

Vector3 Row(const Matrix& m, int r) {
  return {m.m[r][0], m.m[r][1], m.m[r][2]};
}

bool SameRun(const MeshItem& a, const MeshItem& b) {
  const auto textureSerial = [](const MeshItem& item) {
    return item.texture ? item.texture->serial : 0;
  };
  return a.geometry && b.geometry && a.geometry->serial == b.geometry->serial &&
         a.subset == b.subset && textureSerial(a) == textureSerial(b) &&
         a.stateIndex == b.stateIndex;
}

}  // namespace

struct MeshPass::Instance {
  float world[4][4];
  float normal[3][3];  // cofactors of the world matrix: normals stay normal under any scaling
  float diffuse[4];
  float ambient[4];
  float emissive[4];
};

std::unique_ptr<MeshPass> MeshPass::Create(std::string* error) {
  GLuint program = BuildProgram(kVertexShader, kFragmentShader, error);
  if (program == 0) return nullptr;
  std::unique_ptr<MeshPass> pass(new MeshPass());
  pass->program_ = GlProgram(program);
  pass->instances_ = GlBuffer(NewBuffer());
  pass->sampler_ = GlSampler(NewSampler());
  Uniforms& u = pass->uniforms_;
  const auto at = [program](const char* name) { return glGetUniformLocation(program, name); };
  u.viewProjection = at("viewProjection");
  u.lighting = at("lighting");
  u.hasNormal = at("hasNormal");
  u.hasVertexColor = at("hasVertexColor");
  u.diffuseFromVertex = at("diffuseFromVertex");
  u.ambientFromVertex = at("ambientFromVertex");
  u.emissiveFromVertex = at("emissiveFromVertex");
  u.globalAmbient = at("globalAmbient");
  u.lightCount = at("lightCount");
  u.lightToward = at("lightToward");
  u.lightDiffuse = at("lightDiffuse");
  u.lightAmbient = at("lightAmbient");
  u.colorOp = at("colorOp");
  u.alphaOp = at("alphaOp");
  u.stageTexture = at("stageTexture");
  return pass;
}

void MeshPass::DropUnused(uint64_t replay, uint64_t keep) {
  geometries_.DropUnused(replay, keep);
  textures_.DropUnused(replay, keep);
}

void MeshPass::Draw(const Frame& frame, size_t first, size_t end, uint64_t replay,
                    uint32_t* drawCalls) {
  std::vector<const MeshItem*> items;
  items.reserve(end - first);
  for (size_t i = first; i < end; ++i) {
    const auto* item = std::get_if<MeshItem>(&frame.items[i]);
    if (item && item->geometry && item->stateIndex < frame.states.size()) items.push_back(item);
  }
  if (items.empty()) return;

  std::vector<Instance> instances(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const MeshItem& item = *items[i];
    Instance& instance = instances[i];
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
    const auto copy = [](const ColorValue& c, float* out) {
      out[0] = c.r;
      out[1] = c.g;
      out[2] = c.b;
      out[3] = c.a;
    };
    copy(item.material.diffuse, instance.diffuse);
    copy(item.material.ambient, instance.ambient);
    copy(item.material.emissive, instance.emissive);
  }

  glUseProgram(program_.get());
  glUniform1i(uniforms_.stageTexture, 0);
  glActiveTexture(GL_TEXTURE0);
  glBindSampler(0, sampler_.get());
  glBindBuffer(GL_ARRAY_BUFFER, instances_.get());
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(instances.size() * sizeof(Instance)),
               instances.data(), GL_STREAM_DRAW);

  for (size_t runStart = 0; runStart < items.size();) {
    size_t runEnd = runStart + 1;
    while (runEnd < items.size() && SameRun(*items[runStart], *items[runEnd])) ++runEnd;
    const MeshItem& item = *items[runStart];
    const GpuGeometry& geometry = geometries_.Use(item.geometry->serial, replay,
                                                  [&] { return UploadGeometry(*item.geometry); });
    GLuint texture = 0;
    if (item.texture) {
      texture =
          textures_.Use(item.texture->serial, replay, [&] { return UploadTexture(*item.texture); })
              .texture.get();
    }
    const GpuSubset* subset = geometry.Find(item.subset);
    if (subset != nullptr) {
      glBindVertexArray(geometry.vertexArray.get());
      glBindBuffer(GL_ARRAY_BUFFER, instances_.get());
      PointInstanceAttributes(runStart);
      ApplyState(frame.states[item.stateIndex], geometry, texture);
      glDrawElementsInstanced(
          GL_TRIANGLES, subset->indexCount, GL_UNSIGNED_SHORT,
          reinterpret_cast<const void*>(static_cast<intptr_t>(subset->firstIndex) * 2),
          static_cast<GLsizei>(runEnd - runStart));
      ++*drawCalls;
    }
    runStart = runEnd;
  }
}

void MeshPass::PointInstanceAttributes(size_t firstInstance) {
  const auto stride = static_cast<GLsizei>(sizeof(Instance));
  const size_t base = firstInstance * sizeof(Instance);
  auto point = [&](GLuint location, GLint size, size_t offset) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(base + offset));
    glVertexAttribDivisor(location, 1);
  };
  for (GLuint r = 0; r < 4; ++r)
    point(kAttribFirstInstance + r, 4, offsetof(Instance, world) + r * sizeof(float[4]));
  for (GLuint r = 0; r < 3; ++r)
    point(kAttribFirstInstance + 4 + r, 3, offsetof(Instance, normal) + r * sizeof(float[3]));
  point(kAttribFirstInstance + 7, 4, offsetof(Instance, diffuse));
  point(kAttribFirstInstance + 8, 4, offsetof(Instance, ambient));
  point(kAttribFirstInstance + 9, 4, offsetof(Instance, emissive));
}

void MeshPass::ApplyState(const DrawState& state, const GpuGeometry& geometry, GLuint texture) {
  const RenderStates& rs = state.renderStates;
  Matrix viewProjection;
  MatrixMultiply(&viewProjection, &state.view, &state.projection);
  // Row-major rows read as GL's columns give the same product for column vectors.
  glUniformMatrix4fv(uniforms_.viewProjection, 1, GL_FALSE, &viewProjection.m[0][0]);

  const bool colorVertex = rs[kRsColorVertex] != 0 && geometry.hasColor;
  glUniform1i(uniforms_.lighting, rs[kRsLighting] != 0);
  glUniform1i(uniforms_.hasNormal, geometry.hasNormal);
  glUniform1i(uniforms_.hasVertexColor, geometry.hasColor);
  glUniform1i(uniforms_.diffuseFromVertex,
              colorVertex && rs[kRsDiffuseMaterialSource] == kMcsColor1);
  glUniform1i(uniforms_.ambientFromVertex,
              colorVertex && rs[kRsAmbientMaterialSource] == kMcsColor1);
  glUniform1i(uniforms_.emissiveFromVertex,
              colorVertex && rs[kRsEmissiveMaterialSource] == kMcsColor1);
  glUniform4fv(uniforms_.globalAmbient, 1, ArgbToFloats(rs[kRsAmbient]).data());

  float toward[kMaxShaderLights][3] = {};
  float diffuse[kMaxShaderLights][4] = {};
  float ambient[kMaxShaderLights][4] = {};
  GLint count = 0;
  for (const Light& light : state.lights) {
    if (light.type != kLightDirectional || count == static_cast<GLint>(kMaxShaderLights)) continue;
    Vector3 direction;
    Vec3Normalize(&direction, &light.direction);
    toward[count][0] = -direction.x;
    toward[count][1] = -direction.y;
    toward[count][2] = -direction.z;
    const ColorValue& d = light.diffuse;
    const ColorValue& a = light.ambient;
    std::copy_n(std::array{d.r, d.g, d.b, d.a}.data(), 4, diffuse[count]);
    std::copy_n(std::array{a.r, a.g, a.b, a.a}.data(), 4, ambient[count]);
    ++count;
  }
  glUniform1i(uniforms_.lightCount, count);
  glUniform3fv(uniforms_.lightToward, kMaxShaderLights, &toward[0][0]);
  glUniform4fv(uniforms_.lightDiffuse, kMaxShaderLights, &diffuse[0][0]);
  glUniform4fv(uniforms_.lightAmbient, kMaxShaderLights, &ambient[0][0]);

  const auto& stage = state.textureStageStates[0];
  int colorOp = 0, alphaOp = 0;
  if (texture != 0 && stage[kTssColorOp] != kTopDisable) {
    colorOp = StageOperation(stage[kTssColorOp], stage[kTssColorArg1], stage[kTssColorArg2]);
    alphaOp = StageOperation(stage[kTssAlphaOp], stage[kTssAlphaArg1], stage[kTssAlphaArg2]);
  }
  glUniform1i(uniforms_.colorOp, colorOp);
  glUniform1i(uniforms_.alphaOp, alphaOp);
  glBindTexture(GL_TEXTURE_2D, texture);
  const auto& sampler = state.samplerStates[0];
  glSamplerParameteri(sampler_.get(), GL_TEXTURE_MIN_FILTER, Filter(sampler[kSampMinFilter]));
  glSamplerParameteri(sampler_.get(), GL_TEXTURE_MAG_FILTER, Filter(sampler[kSampMagFilter]));
  glSamplerParameteri(sampler_.get(), GL_TEXTURE_WRAP_S, AddressMode(sampler[kSampAddressU]));
  glSamplerParameteri(sampler_.get(), GL_TEXTURE_WRAP_T, AddressMode(sampler[kSampAddressV]));
  glSamplerParameterfv(sampler_.get(), GL_TEXTURE_BORDER_COLOR,
                       ArgbToFloats(sampler[kSampBorderColor]).data());

  if (rs[kRsAlphaBlendEnable]) {
    glEnable(GL_BLEND);
    glBlendFunc(GlBlendFactor(rs[kRsSrcBlend]), GlBlendFactor(rs[kRsDestBlend]));
    glBlendEquation(GlBlendEquation(rs[kRsBlendOp]));
  } else {
    glDisable(GL_BLEND);
  }
  if (rs[kRsZEnable]) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(DepthFunction(rs[kRsZFunc]));
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  glDepthMask(rs[kRsZWriteEnable] ? GL_TRUE : GL_FALSE);
  // Projected counter-clockwise faces are the front ones; clockwise culling keeps them.
  glFrontFace(GL_CCW);
  if (rs[kRsCullMode] == kCullCw) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
  } else if (rs[kRsCullMode] == kCullCcw) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
  } else {
    glDisable(GL_CULL_FACE);
  }
}

}  // namespace tf
