#include "view/gl/GlObjects.h"

#include <vector>

namespace tf {

namespace {

std::string InfoLog(GLuint object, bool program) {
  GLint length = 0;
  if (program)
    glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
  else
    glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
  std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
  if (program)
    glGetProgramInfoLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
  else
    glGetShaderInfoLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
  return log.data();
}

GLuint CompileShader(GLenum type, const char* source, std::string* error) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled) return shader;
  if (error)
    *error = std::string(type == GL_VERTEX_SHADER ? "vertex" : "fragment") +
             " shader does not compile: " + InfoLog(shader, false);
  glDeleteShader(shader);
  return 0;
}

}  // namespace

GLuint BuildProgram(const char* vertexSource, const char* fragmentSource, std::string* error) {
  const GLuint vertex = CompileShader(GL_VERTEX_SHADER, vertexSource, error);
  if (vertex == 0) return 0;
  const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, fragmentSource, error);
  if (fragment == 0) {
    glDeleteShader(vertex);
    return 0;
  }
  const GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glLinkProgram(program);
  glDetachShader(program, vertex);
  glDetachShader(program, fragment);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (linked) return program;
  if (error) *error = "shader program does not link: " + InfoLog(program, true);
  glDeleteProgram(program);
  return 0;
}

void DeleteProgram(GLuint name) {
  glDeleteProgram(name);
}
void DeleteBuffer(GLuint name) {
  glDeleteBuffers(1, &name);
}
void DeleteVertexArray(GLuint name) {
  glDeleteVertexArrays(1, &name);
}
void DeleteTexture(GLuint name) {
  glDeleteTextures(1, &name);
}
void DeleteSampler(GLuint name) {
  glDeleteSamplers(1, &name);
}
void DeleteFramebuffer(GLuint name) {
  glDeleteFramebuffers(1, &name);
}
void DeleteRenderbuffer(GLuint name) {
  glDeleteRenderbuffers(1, &name);
}

GLuint NewBuffer() {
  GLuint name = 0;
  glGenBuffers(1, &name);
  return name;
}
GLuint NewVertexArray() {
  GLuint name = 0;
  glGenVertexArrays(1, &name);
  return name;
}
GLuint NewTexture() {
  GLuint name = 0;
  glGenTextures(1, &name);
  return name;
}
GLuint NewSampler() {
  GLuint name = 0;
  glGenSamplers(1, &name);
  return name;
}
GLuint NewFramebuffer() {
  GLuint name = 0;
  glGenFramebuffers(1, &name);
  return name;
}
GLuint NewRenderbuffer() {
  GLuint name = 0;
  glGenRenderbuffers(1, &name);
  return name;
}

void PointInstanceAttribute(GLuint location, GLint size, GLsizei stride, size_t offset) {
  glEnableVertexAttribArray(location);
  glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offset));
  glVertexAttribDivisor(location, 1);
}

}  // namespace tf
