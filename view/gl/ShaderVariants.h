#pragma once
// One pair of shader sources built into a program per combination of the
// two things that shape a mesh shader's work: how many directional lights it
// loops over and how texture stage 0 is sampled. Software rasterisers run
// every branch of a shader, taken or not, and read uniform arrays by a loop
// counter lane by lane; a program that knows both at compile time does
// neither. The sources see LIGHT_COUNT (0 .. kMaxShaderLights),
// STAGE_SAMPLING (a StageSampling value) and DRAW_PASS (a DrawPass value) as
// macros and must not start with a #version line. Only view/gl sources
// include this header.

#include <array>
#include <cstdint>
#include <string>

#include "view/gl/GlObjects.h"

namespace tf {

inline constexpr int kMaxShaderLights = 8;

enum StageSampling : int {
  kSampleNothing = 0,    // no texture applies
  kSampleLevelZero = 1,  // the one level; the minifying and magnifying filters are the same
  kSampleWithGradients = 2,
};

// What one draw does: all of it at once, or for opaque ray-cast spheres
// first the depth and then the colour of the pixels that depth kept.
enum DrawPass : int { kDrawWhole = 0, kDrawDepth = 1, kDrawVisible = 2 };

struct ShaderVariant {
  int lightCount = 1;
  StageSampling sampling = kSampleNothing;
  DrawPass pass = kDrawWhole;
};

// `Uniforms` has `static Uniforms Find(GLuint program)`.
template <typename Uniforms>
class ShaderVariants {
 public:
  struct Program {
    GlProgram program;
    Uniforms uniforms{};
  };

  ShaderVariants(const char* vertexSource, const char* fragmentSource)
      : vertexSource_(vertexSource), fragmentSource_(fragmentSource) {}

  // The program for `variant`, built the first time it is asked for; null
  // when it does not build, with the reason in `error` the first time.
  const Program* Get(const ShaderVariant& variant, std::string* error) {
    const int lights = variant.lightCount < 0                  ? 0
                       : variant.lightCount > kMaxShaderLights ? kMaxShaderLights
                                                               : variant.lightCount;
    const int sampling =
        variant.sampling >= kSampleNothing && variant.sampling <= kSampleWithGradients
            ? variant.sampling
            : kSampleWithGradients;
    const int pass =
        variant.pass >= kDrawWhole && variant.pass <= kDrawVisible ? variant.pass : kDrawWhole;
    Slot& slot = slots_[static_cast<size_t>((lights * 3 + sampling) * 3 + pass)];
    if (!slot.tried) {
      slot.tried = true;
      const std::string prelude = "#version 330 core\n#define LIGHT_COUNT " +
                                  std::to_string(lights) + "\n#define STAGE_SAMPLING " +
                                  std::to_string(sampling) + "\n#define DRAW_PASS " +
                                  std::to_string(pass) + "\n";
      const GLuint program = BuildProgram((prelude + vertexSource_).c_str(),
                                          (prelude + fragmentSource_).c_str(), error);
      if (program != 0) {
        slot.program.program = GlProgram(program);
        slot.program.uniforms = Uniforms::Find(program);
      }
    }
    return slot.program.program.get() != 0 ? &slot.program : nullptr;
  }

 private:
  struct Slot {
    bool tried = false;
    Program program;
  };
  const char* vertexSource_;
  const char* fragmentSource_;
  std::array<Slot, (kMaxShaderLights + 1) * 3 * 3> slots_;
};

}  // namespace tf
