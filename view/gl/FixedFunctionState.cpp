#include "view/gl/FixedFunctionState.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "base/Math.h"
#include "view/DeviceStates.h"
#include "view/GraphicsTypes.h"

namespace tf {

namespace {

constexpr uint32_t kTopSelectArg2 = 3;

// What a texture stage operation makes of the texture and the lit colour,
// in the fragment shaders' numbering: 0 the lit colour, 1 the texture, 2 their product.
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

}  // namespace

ShadingUniforms ShadingUniforms::Find(GLuint program) {
  const auto at = [program](const char* name) { return glGetUniformLocation(program, name); };
  return {at("lighting"),     at("globalAmbient"), at("lightToward"), at("lightDiffuse"),
          at("lightAmbient"), at("colorOp"),       at("alphaOp"),     at("stageTexture")};
}

ShaderVariant ChooseVariant(const DrawState& state, bool textured) {
  ShaderVariant variant;
  variant.lightCount = 0;
  if (state.renderStates[kRsLighting] != 0)
    for (const Light& light : state.lights)
      if (light.type == kLightDirectional && variant.lightCount < kMaxShaderLights)
        ++variant.lightCount;
  const auto& stage = state.textureStageStates[0];
  const bool used =
      stage[kTssColorOp] != kTopDisable &&
      (StageOperation(stage[kTssColorOp], stage[kTssColorArg1], stage[kTssColorArg2]) != 0 ||
       StageOperation(stage[kTssAlphaOp], stage[kTssAlphaArg1], stage[kTssAlphaArg2]) != 0);
  const auto& sampler = state.samplerStates[0];
  if (textured && used)
    variant.sampling = Filter(sampler[kSampMinFilter]) == Filter(sampler[kSampMagFilter])
                           ? kSampleLevelZero
                           : kSampleWithGradients;
  return variant;
}

void SetShading(const ShadingUniforms& uniforms, const DrawState& state,
                const ShaderVariant& variant) {
  const RenderStates& rs = state.renderStates;
  glUniform1i(uniforms.lighting, rs[kRsLighting] != 0);
  glUniform4fv(uniforms.globalAmbient, 1, ArgbToFloats(rs[kRsAmbient]).data());

  float toward[kMaxShaderLights][3] = {};
  float diffuse[kMaxShaderLights][4] = {};
  float ambient[kMaxShaderLights][4] = {};
  GLsizei count = 0;
  for (const Light& light : state.lights) {
    if (light.type != kLightDirectional || count >= variant.lightCount) continue;
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
  if (count > 0) {
    glUniform3fv(uniforms.lightToward, count, &toward[0][0]);
    glUniform4fv(uniforms.lightDiffuse, count, &diffuse[0][0]);
    glUniform4fv(uniforms.lightAmbient, count, &ambient[0][0]);
  }

  const auto& stage = state.textureStageStates[0];
  int colorOp = 0, alphaOp = 0;
  if (variant.sampling != kSampleNothing) {
    colorOp = StageOperation(stage[kTssColorOp], stage[kTssColorArg1], stage[kTssColorArg2]);
    alphaOp = StageOperation(stage[kTssAlphaOp], stage[kTssAlphaArg1], stage[kTssAlphaArg2]);
  }
  glUniform1i(uniforms.colorOp, colorOp);
  glUniform1i(uniforms.alphaOp, alphaOp);
  glUniform1i(uniforms.stageTexture, 0);
}

void ApplyPipelineState(const DrawState& state, GLuint texture, GLuint sampler, bool cull) {
  const RenderStates& rs = state.renderStates;
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  glBindSampler(0, sampler);
  const auto& stage = state.samplerStates[0];
  glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, Filter(stage[kSampMinFilter]));
  glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, Filter(stage[kSampMagFilter]));
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, AddressMode(stage[kSampAddressU]));
  glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, AddressMode(stage[kSampAddressV]));
  glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR,
                       ArgbToFloats(stage[kSampBorderColor]).data());

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
  if (cull && rs[kRsCullMode] == kCullCw) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
  } else if (cull && rs[kRsCullMode] == kCullCcw) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
  } else {
    glDisable(GL_CULL_FACE);
  }
}

void CopyColor(const ColorValue& colour, float* out) {
  out[0] = colour.r;
  out[1] = colour.g;
  out[2] = colour.b;
  out[3] = colour.a;
}

}  // namespace tf
