#pragma once
// Keeps a replay from leaking OpenGL state into the host's drawing: the guard
// records every piece of state the backend changes when it is made and puts it
// back when it goes, and sets the state the backend assumes but never changes
// itself (fill mode, no stencil test, tightly packed pixel transfers, ...).
// Only view/gl sources include this header.

#include <epoxy/gl.h>

#include <array>

namespace tf {

class GlStateGuard {
 public:
  GlStateGuard();
  ~GlStateGuard();
  GlStateGuard(const GlStateGuard&) = delete;
  GlStateGuard& operator=(const GlStateGuard&) = delete;

 private:
  // Switches that are saved, turned off for the replay and restored.
  static constexpr std::array<GLenum, 12> kCapabilities = {GL_BLEND,
                                                           GL_DEPTH_TEST,
                                                           GL_CULL_FACE,
                                                           GL_SCISSOR_TEST,
                                                           GL_STENCIL_TEST,
                                                           GL_POLYGON_OFFSET_FILL,
                                                           GL_DITHER,
                                                           GL_SAMPLE_ALPHA_TO_COVERAGE,
                                                           GL_RASTERIZER_DISCARD,
                                                           GL_FRAMEBUFFER_SRGB,
                                                           GL_PRIMITIVE_RESTART,
                                                           GL_COLOR_LOGIC_OP};
  // Integer pixel-store parameters, with the value a replay uses.
  struct PixelStore {
    GLenum name;
    GLint replayValue;
  };
  static constexpr std::array<PixelStore, 10> kPixelStores = {{{GL_UNPACK_ALIGNMENT, 1},
                                                               {GL_UNPACK_ROW_LENGTH, 0},
                                                               {GL_UNPACK_SKIP_ROWS, 0},
                                                               {GL_UNPACK_SKIP_PIXELS, 0},
                                                               {GL_UNPACK_IMAGE_HEIGHT, 0},
                                                               {GL_PACK_ALIGNMENT, 1},
                                                               {GL_PACK_ROW_LENGTH, 0},
                                                               {GL_PACK_SKIP_ROWS, 0},
                                                               {GL_PACK_SKIP_PIXELS, 0},
                                                               {GL_UNPACK_SWAP_BYTES, 0}}};

  std::array<GLboolean, kCapabilities.size()> capabilities_{};
  std::array<GLint, kPixelStores.size()> pixelStores_{};
  GLint drawFramebuffer_ = 0, readFramebuffer_ = 0, renderbuffer_ = 0;
  GLint viewport_[4] = {}, scissorBox_[4] = {};
  GLint program_ = 0, vertexArray_ = 0, arrayBuffer_ = 0;
  GLint pixelUnpackBuffer_ = 0, pixelPackBuffer_ = 0;
  GLint activeTexture_ = 0, texture2d_ = 0, sampler_ = 0;
  GLint texture2dUnit1_ = 0, samplerUnit1_ = 0;
  GLint blendSrcRgb_ = 0, blendDstRgb_ = 0, blendSrcAlpha_ = 0, blendDstAlpha_ = 0;
  GLint blendEquationRgb_ = 0, blendEquationAlpha_ = 0;
  GLint depthFunc_ = 0, cullFaceMode_ = 0, frontFace_ = 0, polygonMode_[2] = {};
  GLboolean depthWriteMask_ = GL_TRUE;
  GLboolean colorWriteMask_[4] = {};
  GLfloat colorClearValue_[4] = {};
  GLfloat depthClearValue_ = 1;
  GLint stencilClearValue_ = 0, stencilWriteMask_ = 0, stencilBackWriteMask_ = 0;
};

}  // namespace tf
