#include "view/gl/SphereImpostorPass.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "view/DeviceStates.h"
#include "view/gl/GpuCache.h"

namespace tf {

namespace {

// Both see LIGHT_COUNT and STAGE_SAMPLING (see ShaderVariants.h).
const char* const kVertexShader = R"(
layout(location = 0) in vec2 corner;  // (+-1, +-1)
layout(location = 4) in vec4 center;
layout(location = 5) in vec3 extent;  // half width, half height, depth from the centre to the front
layout(location = 6) in vec3 toObject0;
layout(location = 7) in vec3 toObject1;
layout(location = 8) in vec3 toObject2;
layout(location = 9) in vec3 normal0;
layout(location = 10) in vec3 normal1;
layout(location = 11) in vec3 normal2;
layout(location = 12) in vec4 materialDiffuse;
layout(location = 13) in vec4 materialAmbient;
layout(location = 14) in vec4 materialEmissive;

uniform bool lighting;
uniform vec4 globalAmbient;
#if LIGHT_COUNT > 0
uniform vec4 lightAmbient[LIGHT_COUNT];
#endif

// The pixel's ray through the object-space unit sphere: its point in the
// plane through the centre across the ray, and that point's depth.
out vec3 crossing;
out float crossingDepth;
flat out vec3 rayDirection;  // object space, unit, towards greater depth
flat out float depthPerUnit;  // depth change per object-space unit along the ray
flat out float textured;
flat out vec3 world0;
flat out vec3 world1;
flat out vec3 world2;
flat out vec3 unlitColor;  // everything but the diffuse light
flat out vec4 diffuse;

void main() {
  vec2 offset = corner * extent.xy;
#if DRAW_PASS == 2
  // In front of every point of the sphere, so that the early depth test
  // drops only pixels that something nearer already covers.
  gl_Position = vec4(center.xy + offset, clamp(2.0 * (center.z - extent.z) - 1.0, -1.0, 1.0), 1.0);
#else
  // The fragment shader writes the depth; this one only has to survive clipping.
  gl_Position = vec4(center.xy + offset, 0.0, 1.0);
#endif
  vec3 origin = offset.x * toObject0 + offset.y * toObject1;
  float stepLength = length(toObject2);
  rayDirection = toObject2 / stepLength;
  depthPerUnit = 1.0 / stepLength;
  float along = dot(origin, rayDirection);
  crossing = origin - along * rayDirection;
  crossingDepth = center.z - along * depthPerUnit;
  textured = center.w;
  world0 = normal0;
  world1 = normal1;
  world2 = normal2;
  diffuse = materialDiffuse;
  vec3 color = materialEmissive.rgb + globalAmbient.rgb * materialAmbient.rgb;
#if LIGHT_COUNT > 0
  for (int i = 0; i < LIGHT_COUNT; ++i) color += lightAmbient[i].rgb * materialAmbient.rgb;
#endif
  unlitColor = lighting ? color : vec3(1.0);
}
)";

const char* const kFragmentShader = R"(
#if DRAW_PASS == 2
#extension GL_ARB_shader_image_load_store : require
layout(early_fragment_tests) in;
uniform sampler2D keptDepth;  // the depth buffer after the depth pass
#endif
in vec3 crossing;
in float crossingDepth;
flat in vec3 rayDirection;
flat in float depthPerUnit;
flat in float textured;
flat in vec3 world0;
flat in vec3 world1;
flat in vec3 world2;
flat in vec3 unlitColor;
flat in vec4 diffuse;

uniform bool lighting;
#if LIGHT_COUNT > 0
uniform vec3 lightToward[LIGHT_COUNT];
uniform vec4 lightDiffuse[LIGHT_COUNT];
#endif
#if STAGE_SAMPLING != 0
uniform sampler2D stageTexture;
uniform int colorOp;  // 0 the lit colour, 1 the texture, 2 their product
uniform int alphaOp;
#endif
out vec4 fragColor;

const float kPi = 3.14159265358979;

void main() {
  float height2 = 1.0 - dot(crossing, crossing);
  float height = sqrt(max(height2, 0.0));
  vec3 normal = crossing - height * rayDirection;  // the nearer hit, on the unit sphere
  float depth = crossingDepth - height * depthPerUnit;

#if STAGE_SAMPLING != 0 && DRAW_PASS != 1
  // u is the azimuth from +x towards +z, v the angle from +y.
  vec2 uv = vec2(fract(atan(normal.z, normal.x) * (0.5 / kPi)),
                 acos(clamp(normal.y, -1.0, 1.0)) * (1.0 / kPi));
#if STAGE_SAMPLING == 2
  // Before the discard, so that the derivatives are defined. u jumps by one
  // on the seam; the copy shifted by half a turn jumps on the opposite meridian.
  float shiftedU = fract(uv.x + 0.5);
  vec2 dx = dFdx(uv), dy = dFdy(uv);
  float shiftedDx = dFdx(shiftedU), shiftedDy = dFdy(shiftedU);
  if (abs(shiftedDx) < abs(dx.x)) dx.x = shiftedDx;
  if (abs(shiftedDy) < abs(dy.x)) dy.x = shiftedDy;
  vec4 texel = textureGrad(stageTexture, uv, dx, dy);
#else
  vec4 texel = textureLod(stageTexture, uv, 0.0);
#endif
#endif

  // The mesh is clipped at depth 0 and 1 as well.
  if (height2 < 0.0 || depth < 0.0 || depth > 1.0) discard;
  float windowDepth = gl_DepthRange.near + gl_DepthRange.diff * depth;
#if DRAW_PASS == 2
  // Only where this sphere left the depth the depth pass kept (24 bits of it).
  float kept = texelFetch(keptDepth, ivec2(gl_FragCoord.xy), 0).r;
  if (abs(windowDepth - kept) > 1.5 / 16777215.0) discard;
#else
  gl_FragDepth = windowDepth;
#endif
#if DRAW_PASS == 1
  fragColor = vec4(0.0);
#else
  vec4 color = vec4(unlitColor, 1.0);
  if (lighting) {
    vec3 lit = unlitColor;
#if LIGHT_COUNT > 0
    vec3 n = normalize(normal.x * world0 + normal.y * world1 + normal.z * world2);
    for (int i = 0; i < LIGHT_COUNT; ++i)
      lit += lightDiffuse[i].rgb * diffuse.rgb * max(dot(n, lightToward[i]), 0.0);
#endif
    color = vec4(clamp(lit, 0.0, 1.0), clamp(diffuse.a, 0.0, 1.0));
  }
#if STAGE_SAMPLING != 0 && DRAW_PASS != 1
  if (textured != 0.0) {
    if (colorOp == 1) color.rgb = texel.rgb;
    else if (colorOp == 2) color.rgb *= texel.rgb;
    if (alphaOp == 1) color.a = texel.a;
    else if (alphaOp == 2) color.a *= texel.a;
  }
#endif
  fragColor = color;
#endif
}
)";

constexpr GLuint kAttribCorner = 0;
constexpr GLint kKeptDepthUnit = 1;
// Comparison functions by number.
constexpr uint32_t kCompareLess = 2;
constexpr uint32_t kCompareLessEqual = 4;
// Two passes pay once the quads cover the target several times over: measured
// on llvmpipe at 700 x 600, space-filling molecules (quads covering it 8 to 22
// times) draw in half the time, while ball-and-stick and stick atoms (0.5 to
// 1.5 times) draw 10 to 25 % faster in one pass, the second pass's triangles
// costing more than the pixels it saves.
constexpr double kTwoPassCoverage = 3;
// Spheres whose quads cover the target less than this many times over, as
// ball-and-stick atoms do, hide too little of each other to pay for the search.
constexpr double kHidingCoverage = 2;

struct Rows {
  double m[3][3];
};

Rows Linear(const Matrix& matrix) {
  Rows rows;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) rows.m[r][c] = matrix.m[r][c];
  return rows;
}

bool Affine(const Matrix& m) {
  return m.m[0][3] == 0 && m.m[1][3] == 0 && m.m[2][3] == 0 && m.m[3][3] == 1;
}

double Dot(const double* a, const double* b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void Cross(const double* a, const double* b, double* out) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

// Rows of the cofactor matrix: cofactor[i] is the cross product of the other two rows.
Rows Cofactors(const Rows& a) {
  Rows out;
  Cross(a.m[1], a.m[2], out.m[0]);
  Cross(a.m[2], a.m[0], out.m[1]);
  Cross(a.m[0], a.m[1], out.m[2]);
  return out;
}

double Determinant(const Rows& a) {
  double cross[3];
  Cross(a.m[1], a.m[2], cross);
  return Dot(a.m[0], cross);
}

// A uniform positive scale times a rotation; NaN fails every comparison.
bool ScaledRotation(const Rows& w) {
  const double lengths[3] = {std::sqrt(Dot(w.m[0], w.m[0])), std::sqrt(Dot(w.m[1], w.m[1])),
                             std::sqrt(Dot(w.m[2], w.m[2]))};
  const double scale = (lengths[0] + lengths[1] + lengths[2]) / 3;
  if (!(scale > 0 && std::isfinite(scale))) return false;
  const double tolerance = kUniformScaleTolerance;
  for (double length : lengths)
    if (!(std::abs(length - scale) <= tolerance * scale)) return false;
  const double squared = scale * scale;
  if (!(std::abs(Dot(w.m[0], w.m[1])) <= tolerance * squared) ||
      !(std::abs(Dot(w.m[1], w.m[2])) <= tolerance * squared) ||
      !(std::abs(Dot(w.m[2], w.m[0])) <= tolerance * squared))
    return false;
  return Determinant(w) > 0;
}

// Finite and within float range; NaN fails.
bool FitsFloat(double value) {
  return std::abs(value) <= std::numeric_limits<float>::max();
}

bool FitsFloat(const Rows& rows) {
  for (const auto& row : rows.m)
    for (double value : row)
      if (!FitsFloat(value)) return false;
  return true;
}

}  // namespace

SphereImpostorPass::Uniforms SphereImpostorPass::Uniforms::Find(GLuint program) {
  return {ShadingUniforms::Find(program), glGetUniformLocation(program, "keptDepth")};
}

SphereImpostorPass::SphereImpostorPass() : programs_(kVertexShader, kFragmentShader) {}

void SphereImpostorPass::Begin(uint32_t width, uint32_t height) {
  instances_.clear();
  targetWidth_ = width;
  targetHeight_ = height;
}

std::unique_ptr<SphereImpostorPass> SphereImpostorPass::Create(std::string* error) {
  std::unique_ptr<SphereImpostorPass> pass(new SphereImpostorPass());
  // The usual variant now, so that a shader fault shows at once; others on demand.
  if (pass->programs_.Get(ShaderVariant{}, error) == nullptr) return nullptr;
  pass->sampler_ = GlSampler(NewSampler());
  pass->instanceBuffer_ = GlBuffer(NewBuffer());
  pass->corners_ = GlBuffer(NewBuffer());
  pass->vertexArray_ = GlVertexArray(NewVertexArray());
  static constexpr float kCorners[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  glBindVertexArray(pass->vertexArray_.get());
  glBindBuffer(GL_ARRAY_BUFFER, pass->corners_.get());
  glBufferData(GL_ARRAY_BUFFER, sizeof kCorners, kCorners, GL_STATIC_DRAW);
  glEnableVertexAttribArray(kAttribCorner);
  glVertexAttribPointer(kAttribCorner, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
  return pass;
}

std::optional<Matrix> SphereImpostorPass::ImpostorViewProjection(const DrawState& state) {
  if (!Affine(state.view) || !Affine(state.projection)) return std::nullopt;
  Matrix viewProjection;
  MatrixMultiply(&viewProjection, &state.view, &state.projection);
  const double determinant = Determinant(Linear(viewProjection));
  // The outward faces of the near half face the viewer counter-clockwise
  // exactly when the view and projection turn space inside out.
  const uint32_t cull = state.renderStates[kRsCullMode];
  if ((cull == kCullCw && determinant < 0) || (cull == kCullCcw && determinant > 0))
    return viewProjection;
  return std::nullopt;
}

bool SphereImpostorPass::Add(const MeshItem& item, const Matrix& viewProjection, bool textured) {
  const Matrix& world = item.world;
  const Rows w = Linear(world);
  if (!Affine(world) || !ScaledRotation(w)) return false;

  // Object space to device coordinates: rows a, translation t.
  const Rows vp = Linear(viewProjection);
  Rows a;
  double t[3];
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 3; ++r) {
      a.m[r][c] = 0;
      for (int k = 0; k < 3; ++k) a.m[r][c] += w.m[r][k] * vp.m[k][c];
    }
    t[c] = viewProjection.m[3][c];
    for (int k = 0; k < 3; ++k) t[c] += world.m[3][k] * vp.m[k][c];
  }
  // The inverse's rows are the cofactor columns over the determinant.
  const double determinant = Determinant(a);
  if (!(std::abs(determinant) > 0) || !FitsFloat(determinant)) return false;
  Rows inverse;
  const Rows cofactors = Cofactors(a);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) inverse.m[r][c] = cofactors.m[c][r] / determinant;
  const Rows normal = Cofactors(w);
  // How far the unit sphere reaches in each device coordinate.
  double extent[3];
  for (int c = 0; c < 3; ++c) {
    extent[c] = std::sqrt(a.m[0][c] * a.m[0][c] + a.m[1][c] * a.m[1][c] + a.m[2][c] * a.m[2][c]);
    if (!FitsFloat(t[c]) || !FitsFloat(extent[c])) return false;
  }
  if (!FitsFloat(inverse) || !FitsFloat(normal)) return false;

  Instance instance;
  for (int c = 0; c < 3; ++c) instance.center[c] = static_cast<float>(t[c]);
  instance.center[3] = textured ? 1.0f : 0.0f;
  for (int c = 0; c < 3; ++c) instance.extent[c] = static_cast<float>(extent[c]);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      instance.toObject[r][c] = static_cast<float>(inverse.m[r][c]);
      instance.normal[r][c] = static_cast<float>(normal.m[r][c]);
    }
  CopyColor(item.material.diffuse, instance.diffuse);
  CopyColor(item.material.ambient, instance.ambient);
  CopyColor(item.material.emissive, instance.emissive);
  instances_.push_back(instance);
  return true;
}

void SphereImpostorPass::Upload() {
  if (instances_.empty()) return;
  glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_.get());
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(instances_.size() * sizeof(Instance)),
               instances_.data(), GL_STREAM_DRAW);
}

SphereRun SphereImpostorPass::Arrange(const DrawState& state, bool textured, bool textureOpaque,
                                      size_t first, size_t count) {
  if (count == 0 || first + count > instances_.size()) return {first, count, 0, 0};
  SphereRun run{first, count, 0, Coverage(first, count)};
  if (!Opaque(state, ChooseVariant(state, textured), textureOpaque, first, count)) return run;
  if (run.coverage > kHidingCoverage) run.count = DropHidden(first, count);
  if (textured) {
    const auto begin = instances_.begin() + static_cast<ptrdiff_t>(first);
    const auto middle = std::stable_partition(begin, begin + static_cast<ptrdiff_t>(run.count),
                                              [](const Instance& i) { return i.center[3] == 0; });
    run.untextured = static_cast<size_t>(middle - begin);
  }
  return run;
}

size_t SphereImpostorPass::DropHidden(size_t first, size_t count) {
  outlines_.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const Instance& instance = instances_[first + i];
    SphereOutline& outline = outlines_[i];
    std::copy_n(instance.center, 3, outline.center);
    std::copy_n(instance.extent, 3, outline.extent);
    std::copy_n(&instance.toObject[0][0], 9, &outline.toObject[0][0]);
  }
  occlusion_.FindHidden(outlines_, targetWidth_, targetHeight_, &hidden_);
  size_t kept = 0;
  for (size_t i = 0; i < count; ++i)
    if (!hidden_[i]) instances_[first + kept++] = instances_[first + i];
  return kept;
}

bool SphereImpostorPass::DrawRun(const DrawState& state, GLuint texture, bool textureOpaque,
                                 const SphereRun& run) {
  const size_t first = run.first, count = run.count, untextured = run.untextured;
  if (count == 0 || first + count > instances_.size()) return false;
  // Sampling costs every pixel of every quad of a draw, the untextured ones
  // too, so those Arrange moved ahead are drawn without the texture.
  struct Part {
    GLuint texture;
    size_t first, count;
    ShaderVariant variant;
    const Program* program;
  };
  Part parts[2];
  size_t partCount = 0;
  if (untextured > 0 && untextured < count) {
    parts[partCount++] = {0, first, untextured, {}, nullptr};
    parts[partCount++] = {texture, first + untextured, count - untextured, {}, nullptr};
  } else {
    parts[partCount++] = {texture, first, count, {}, nullptr};
  }
  const bool twoPasses =
      run.coverage > kTwoPassCoverage &&
      Opaque(state, ChooseVariant(state, texture != 0), textureOpaque, first, count) &&
      programs_.Get({0, kSampleNothing, kDrawDepth}, nullptr) != nullptr && EnsureDepthCopy();
  for (size_t i = 0; i < partCount; ++i) {
    Part& part = parts[i];
    part.variant = ChooseVariant(state, part.texture != 0);
    part.variant.pass = twoPasses ? kDrawVisible : kDrawWhole;
    part.program = programs_.Get(part.variant, nullptr);
    if (part.program == nullptr) return false;
  }

  glBindVertexArray(vertexArray_.get());
  // A quad has no back to cull: the choice of surface is the ray's.
  ApplyPipelineState(state, texture, sampler_.get(), false);
  if (twoPasses) DrawDepth(state, first, count);
  for (size_t i = 0; i < partCount; ++i) {
    const Part& part = parts[i];
    PointInstanceAttributes(part.first);
    glUseProgram(part.program->program.get());
    SetShading(part.program->uniforms.shading, state, part.variant);
    if (twoPasses) {
      DrawVisible(*part.program, part.count);
    } else {
      glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, static_cast<GLsizei>(part.count));
    }
  }
  if (twoPasses) {
    glDepthMask(GL_TRUE);
    glActiveTexture(GL_TEXTURE0 + kKeptDepthUnit);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
  }
  return true;
}

// How many times over the quads would cover the whole target.
double SphereImpostorPass::Coverage(size_t first, size_t count) const {
  double coverage = 0;  // device coordinates span 2 x 2
  for (size_t i = first; i < first + count; ++i)
    coverage += static_cast<double>(instances_[i].extent[0]) * instances_[i].extent[1];
  return coverage;
}

// Whether each pixel ends up the colour of the nearest sphere alone, so that
// shading only the pixels the spheres' depth keeps changes nothing.
bool SphereImpostorPass::Opaque(const DrawState& state, const ShaderVariant& variant,
                                bool textureOpaque, size_t first, size_t count) const {
  const RenderStates& rs = state.renderStates;
  const uint32_t depthFunction = rs[kRsZFunc];
  if (!rs[kRsZEnable] || !rs[kRsZWriteEnable] ||
      (depthFunction != kCompareLess && depthFunction != kCompareLessEqual))
    return false;
  if (!rs[kRsAlphaBlendEnable]) return true;
  if (rs[kRsBlendOp] >= 2 && rs[kRsBlendOp] <= 5) return false;  // anything but adding
  if (rs[kRsSrcBlend] == kBlendOne && rs[kRsDestBlend] == kBlendZero) return true;
  if (rs[kRsSrcBlend] != kBlendSrcAlpha || rs[kRsDestBlend] != kBlendInvSrcAlpha) return false;
  // Blending by source alpha: opaque when every alpha is 1.
  if (variant.sampling != kSampleNothing && !textureOpaque) return false;
  if (!rs[kRsLighting]) return true;
  for (size_t i = first; i < first + count; ++i)
    if (!(instances_[i].diffuse[3] >= 1)) return false;
  return true;
}

bool SphereImpostorPass::EnsureDepthCopy() {
  if (targetWidth_ == 0 || targetHeight_ == 0) return false;
  if (depthCopy_.get() != 0 && depthCopyWidth_ == targetWidth_ && depthCopyHeight_ == targetHeight_)
    return true;
  depthCopyFramebuffer_.Reset();
  depthCopy_ = GlTexture(NewTexture());
  // Unit 1, so that the run's texture on unit 0 stays bound.
  glActiveTexture(GL_TEXTURE0 + kKeptDepthUnit);
  glBindTexture(GL_TEXTURE_2D, depthCopy_.get());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_NONE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH24_STENCIL8, static_cast<GLsizei>(targetWidth_),
               static_cast<GLsizei>(targetHeight_), 0, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8,
               nullptr);
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE0);

  GLint target = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &target);
  depthCopyFramebuffer_ = GlFramebuffer(NewFramebuffer());
  glBindFramebuffer(GL_FRAMEBUFFER, depthCopyFramebuffer_.get());
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D,
                         depthCopy_.get(), 0);
  glDrawBuffer(GL_NONE);
  glReadBuffer(GL_NONE);
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(target));
  if (!complete) {
    depthCopyFramebuffer_.Reset();
    depthCopy_.Reset();
    return false;
  }
  depthCopyWidth_ = targetWidth_;
  depthCopyHeight_ = targetHeight_;
  return true;
}

// The fragment shader writes the depth, so every covered pixel of every quad
// runs it to the end; a software rasteriser has no early depth test then.
// The depth pass runs only the ray's few instructions and leaves a copy of
// the depth buffer; the colour passes then draw each quad in front of its
// sphere, so that the early depth test drops what nearer spheres cover, and
// shade only where the sphere's depth is the one kept.
void SphereImpostorPass::DrawDepth(const DrawState& state, size_t first, size_t count) {
  const Program& program = *programs_.Get({0, kSampleNothing, kDrawDepth}, nullptr);
  PointInstanceAttributes(first);
  glUseProgram(program.program.get());
  SetShading(program.uniforms.shading, state, {0, kSampleNothing, kDrawDepth});
  GLboolean colorMask[4] = {};
  glGetBooleanv(GL_COLOR_WRITEMASK, colorMask);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, static_cast<GLsizei>(count));
  glColorMask(colorMask[0], colorMask[1], colorMask[2], colorMask[3]);

  GLint target = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &target);
  const auto width = static_cast<GLint>(targetWidth_), height = static_cast<GLint>(targetHeight_);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(target));
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, depthCopyFramebuffer_.get());
  glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(target));

  glActiveTexture(GL_TEXTURE0 + kKeptDepthUnit);
  glBindTexture(GL_TEXTURE_2D, depthCopy_.get());
  glBindSampler(kKeptDepthUnit, 0);
  glActiveTexture(GL_TEXTURE0);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_FALSE);
}

void SphereImpostorPass::DrawVisible(const Program& program, size_t count) {
  glUniform1i(program.uniforms.keptDepth, kKeptDepthUnit);
  glDrawArraysInstanced(GL_TRIANGLE_STRIP, 0, 4, static_cast<GLsizei>(count));
}

void SphereImpostorPass::PointInstanceAttributes(size_t firstInstance) {
  glBindBuffer(GL_ARRAY_BUFFER, instanceBuffer_.get());
  const auto stride = static_cast<GLsizei>(sizeof(Instance));
  const size_t base = firstInstance * sizeof(Instance);
  auto point = [&](GLuint location, GLint size, size_t offset) {
    PointInstanceAttribute(location, size, stride, base + offset);
  };
  GLuint location = kAttribFirstInstance;
  point(location++, 4, offsetof(Instance, center));
  point(location++, 3, offsetof(Instance, extent));
  for (int r = 0; r < 3; ++r)
    point(location++, 3, offsetof(Instance, toObject) + r * sizeof(float[3]));
  for (int r = 0; r < 3; ++r)
    point(location++, 3, offsetof(Instance, normal) + r * sizeof(float[3]));
  point(location++, 4, offsetof(Instance, diffuse));
  point(location++, 4, offsetof(Instance, ambient));
  point(location++, 4, offsetof(Instance, emissive));
}

}  // namespace tf
