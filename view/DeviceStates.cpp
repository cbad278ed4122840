#include "view/DeviceStates.h"

namespace tf {

RenderStates DefaultRenderStates(bool depthBuffer) {
  RenderStates states{};
  states[kRsZEnable] = depthBuffer ? 1 : 0;
  states[kRsFillMode] = 3;   // solid
  states[kRsShadeMode] = 2;  // Gouraud
  states[kRsZWriteEnable] = 1;
  states[kRsLastPixel] = 1;
  states[kRsSrcBlend] = kBlendOne;
  states[kRsDestBlend] = kBlendZero;
  states[kRsCullMode] = kCullCcw;
  states[kRsZFunc] = 4;      // less or equal
  states[kRsAlphaFunc] = 8;  // always
  states[kRsLighting] = 1;
  states[kRsColorVertex] = 1;
  states[kRsLocalViewer] = 1;
  states[kRsDiffuseMaterialSource] = kMcsColor1;
  states[kRsSpecularMaterialSource] = kMcsColor2;
  states[kRsAmbientMaterialSource] = kMcsMaterial;
  states[kRsEmissiveMaterialSource] = kMcsMaterial;
  states[kRsBlendOp] = 1;  // add
  return states;
}

SamplerStates DefaultSamplerStates() {
  SamplerStates samplers{};
  for (auto& sampler : samplers) {
    sampler[kSampAddressU] = kTaddressWrap;
    sampler[kSampAddressV] = kTaddressWrap;
    sampler[kSampAddressW] = kTaddressWrap;
    sampler[kSampMagFilter] = kTexfPoint;
    sampler[kSampMinFilter] = kTexfPoint;
    sampler[kSampMipFilter] = kTexfNone;
    sampler[kSampMaxAnisotropy] = 1;
  }
  return samplers;
}

TextureStageStates DefaultTextureStageStates() {
  TextureStageStates stages{};
  for (uint32_t stage = 0; stage < kMaxTextureStages; ++stage) {
    auto& s = stages[stage];
    // Stage 0 modulates the texture with the lit colour and takes alpha from
    // the texture; later stages are off.
    s[kTssColorOp] = stage == 0 ? kTopModulate : kTopDisable;
    s[kTssColorArg1] = kTaTexture;
    s[kTssColorArg2] = kTaCurrent;
    s[kTssAlphaOp] = stage == 0 ? kTopSelectArg1 : kTopDisable;
    s[kTssAlphaArg1] = kTaTexture;
    s[kTssAlphaArg2] = kTaCurrent;
    s[kTssTexCoordIndex] = stage;
  }
  return stages;
}

}  // namespace tf
