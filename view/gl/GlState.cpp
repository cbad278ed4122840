#include "view/gl/GlState.h"

namespace tf {

GlStateGuard::GlStateGuard() {
  for (size_t i = 0; i < kCapabilities.size(); ++i) {
    capabilities_[i] = glIsEnabled(kCapabilities[i]);
    glDisable(kCapabilities[i]);
  }
  for (size_t i = 0; i < kPixelStores.size(); ++i) {
    glGetIntegerv(kPixelStores[i].name, &pixelStores_[i]);
    glPixelStorei(kPixelStores[i].name, kPixelStores[i].replayValue);
  }
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer_);
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer_);
  glGetIntegerv(GL_RENDERBUFFER_BINDING, &renderbuffer_);
  glGetIntegerv(GL_VIEWPORT, viewport_);
  glGetIntegerv(GL_SCISSOR_BOX, scissorBox_);
  glGetIntegerv(GL_CURRENT_PROGRAM, &program_);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &vertexArray_);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer_);
  glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &pixelUnpackBuffer_);
  glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &pixelPackBuffer_);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &activeTexture_);
  glActiveTexture(GL_TEXTURE1);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture2dUnit1_);
  glGetIntegerv(GL_SAMPLER_BINDING, &samplerUnit1_);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture2d_);
  glGetIntegerv(GL_SAMPLER_BINDING, &sampler_);
  glGetIntegerv(GL_BLEND_SRC_RGB, &blendSrcRgb_);
  glGetIntegerv(GL_BLEND_DST_RGB, &blendDstRgb_);
  glGetIntegerv(GL_BLEND_SRC_ALPHA, &blendSrcAlpha_);
  glGetIntegerv(GL_BLEND_DST_ALPHA, &blendDstAlpha_);
  glGetIntegerv(GL_BLEND_EQUATION_RGB, &blendEquationRgb_);
  glGetIntegerv(GL_BLEND_EQUATION_ALPHA, &blendEquationAlpha_);
  glGetIntegerv(GL_DEPTH_FUNC, &depthFunc_);
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWriteMask_);
  glGetIntegerv(GL_CULL_FACE_MODE, &cullFaceMode_);
  glGetIntegerv(GL_FRONT_FACE, &frontFace_);
  // A core context reports one mode for both sides; some drivers write two values.
  polygonMode_[0] = polygonMode_[1] = GL_FILL;
  glGetIntegerv(GL_POLYGON_MODE, polygonMode_);
  glGetBooleanv(GL_COLOR_WRITEMASK, colorWriteMask_);
  glGetFloatv(GL_COLOR_CLEAR_VALUE, colorClearValue_);
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depthClearValue_);
  glGetIntegerv(GL_STENCIL_CLEAR_VALUE, &stencilClearValue_);
  glGetIntegerv(GL_STENCIL_WRITEMASK, &stencilWriteMask_);
  glGetIntegerv(GL_STENCIL_BACK_WRITEMASK, &stencilBackWriteMask_);

  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

GlStateGuard::~GlStateGuard() {
  for (size_t i = 0; i < kCapabilities.size(); ++i) {
    if (capabilities_[i])
      glEnable(kCapabilities[i]);
    else
      glDisable(kCapabilities[i]);
  }
  for (size_t i = 0; i < kPixelStores.size(); ++i)
    glPixelStorei(kPixelStores[i].name, pixelStores_[i]);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer_));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer_));
  glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(renderbuffer_));
  glViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
  glScissor(scissorBox_[0], scissorBox_[1], scissorBox_[2], scissorBox_[3]);
  glUseProgram(static_cast<GLuint>(program_));
  glBindVertexArray(static_cast<GLuint>(vertexArray_));
  glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(arrayBuffer_));
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(pixelUnpackBuffer_));
  glBindBuffer(GL_PIXEL_PACK_BUFFER, static_cast<GLuint>(pixelPackBuffer_));
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture2dUnit1_));
  glBindSampler(1, static_cast<GLuint>(samplerUnit1_));
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture2d_));
  glBindSampler(0, static_cast<GLuint>(sampler_));
  glActiveTexture(static_cast<GLenum>(activeTexture_));
  glBlendFuncSeparate(blendSrcRgb_, blendDstRgb_, blendSrcAlpha_, blendDstAlpha_);
  glBlendEquationSeparate(blendEquationRgb_, blendEquationAlpha_);
  glDepthFunc(depthFunc_);
  glDepthMask(depthWriteMask_);
  glCullFace(cullFaceMode_);
  glFrontFace(frontFace_);
  glPolygonMode(GL_FRONT_AND_BACK, polygonMode_[0]);
  glColorMask(colorWriteMask_[0], colorWriteMask_[1], colorWriteMask_[2], colorWriteMask_[3]);
  glClearColor(colorClearValue_[0], colorClearValue_[1], colorClearValue_[2], colorClearValue_[3]);
  glClearDepth(depthClearValue_);
  glClearStencil(stencilClearValue_);
  glStencilMaskSeparate(GL_FRONT, static_cast<GLuint>(stencilWriteMask_));
  glStencilMaskSeparate(GL_BACK, static_cast<GLuint>(stencilBackWriteMask_));
}

}  // namespace tf
