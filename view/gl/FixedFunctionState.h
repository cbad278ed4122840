#pragma once
// The parts of a DrawState that every mesh program applies the same way: the
// lighting and texture-stage uniforms the shaders share by name, and the GL
// pipeline state (texture, sampler, blending, depth, culling). Only view/gl
// sources include this header.

#include <epoxy/gl.h>

#include "view/Frame.h"
#include "view/gl/ShaderVariants.h"

namespace tf {

// Locations of the shading uniforms a mesh program declares.
struct ShadingUniforms {
  GLint lighting, globalAmbient, lightToward, lightDiffuse, lightAmbient, colorOp, alphaOp,
      stageTexture;

  static ShadingUniforms Find(GLuint program);
};

// The program variant that draws under `state`: its directional lights (at
// most kMaxShaderLights; none while lighting is off) and, when `textured`,
// how the texture stage samples.
ShaderVariant ChooseVariant(const DrawState& state, bool textured);

// Lighting of the state's directional lights over its global ambient, and
// texture stage 0's colour and alpha operations, for a program built as `variant`.
void SetShading(const ShadingUniforms& uniforms, const DrawState& state,
                const ShaderVariant& variant);

// A material colour as the four floats (r, g, b, a) of instance data.
void CopyColor(const ColorValue& colour, float* out);

// Binds `texture` (0: none) to unit 0 with `sampler` set from the state's
// stage 0 sampler states, and sets blending, depth and, when `cull`, culling.
void ApplyPipelineState(const DrawState& state, GLuint texture, GLuint sampler, bool cull);

}  // namespace tf
