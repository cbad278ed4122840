#pragma once
// Render, sampler and texture-stage states: their numbers, the values the
// program uses, and the tables a device keeps them in.

#include <array>
#include <cstdint>

namespace tf {

enum RenderStateType : uint32_t {
  kRsZEnable = 7,
  kRsFillMode = 8,
  kRsShadeMode = 9,
  kRsZWriteEnable = 14,
  kRsAlphaTestEnable = 15,
  kRsLastPixel = 16,
  kRsSrcBlend = 19,
  kRsDestBlend = 20,
  kRsCullMode = 22,
  kRsZFunc = 23,
  kRsAlphaRef = 24,
  kRsAlphaFunc = 25,
  kRsDitherEnable = 26,
  kRsAlphaBlendEnable = 27,
  kRsFogEnable = 28,
  kRsSpecularEnable = 29,
  kRsLighting = 137,
  kRsAmbient = 139,
  kRsColorVertex = 141,
  kRsLocalViewer = 142,
  kRsNormalizeNormals = 143,
  kRsDiffuseMaterialSource = 145,
  kRsSpecularMaterialSource = 146,
  kRsAmbientMaterialSource = 147,
  kRsEmissiveMaterialSource = 148,
  kRsBlendOp = 171,
};
inline constexpr uint32_t kRenderStateCount = 210;

enum CullMode : uint32_t { kCullNone = 1, kCullCw = 2, kCullCcw = 3 };
enum BlendFactor : uint32_t {
  kBlendZero = 1,
  kBlendOne = 2,
  kBlendSrcAlpha = 5,
  kBlendInvSrcAlpha = 6
};
enum MaterialColorSource : uint32_t { kMcsMaterial = 0, kMcsColor1 = 1, kMcsColor2 = 2 };

enum SamplerStateType : uint32_t {
  kSampAddressU = 1,
  kSampAddressV = 2,
  kSampAddressW = 3,
  kSampBorderColor = 4,
  kSampMagFilter = 5,
  kSampMinFilter = 6,
  kSampMipFilter = 7,
  kSampMaxAnisotropy = 10,
};
inline constexpr uint32_t kSamplerStateCount = 14;
inline constexpr uint32_t kMaxSamplers = 8;

enum TextureFilter : uint32_t { kTexfNone = 0, kTexfPoint = 1, kTexfLinear = 2 };
inline constexpr uint32_t kTaddressWrap = 1;

enum TextureStageStateType : uint32_t {
  kTssColorOp = 1,
  kTssColorArg1 = 2,
  kTssColorArg2 = 3,
  kTssAlphaOp = 4,
  kTssAlphaArg1 = 5,
  kTssAlphaArg2 = 6,
  kTssTexCoordIndex = 11,
};
inline constexpr uint32_t kTextureStageStateCount = 33;
inline constexpr uint32_t kMaxTextureStages = 8;

enum TextureOp : uint32_t { kTopDisable = 1, kTopSelectArg1 = 2, kTopModulate = 4 };
enum TextureArg : uint32_t { kTaDiffuse = 0, kTaCurrent = 1, kTaTexture = 2 };

inline constexpr uint32_t kMaxLights = 8;

using RenderStates = std::array<uint32_t, kRenderStateCount>;
using SamplerStates = std::array<std::array<uint32_t, kSamplerStateCount>, kMaxSamplers>;
using TextureStageStates =
    std::array<std::array<uint32_t, kTextureStageStateCount>, kMaxTextureStages>;

// The values a freshly created or reset device starts with. The depth test is
// on when the device has an automatic depth buffer.
RenderStates DefaultRenderStates(bool depthBuffer);
SamplerStates DefaultSamplerStates();
TextureStageStates DefaultTextureStageStates();

}  // namespace tf
