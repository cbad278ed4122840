#pragma once
// OpenGL object names owned by C++ objects, and shader programs. Only view/gl
// sources include this header.

#include <epoxy/gl.h>

#include <cstddef>
#include <string>

namespace tf {

// Compiles and links a vertex and a fragment shader. Returns the program, or
// 0 with the compiler's or linker's log in `error`.
GLuint BuildProgram(const char* vertexSource, const char* fragmentSource, std::string* error);

// Owns one GL object name and deletes it when it goes; the context must be current then.
template <void (*Delete)(GLuint)>
class GlName {
 public:
  GlName() = default;
  explicit GlName(GLuint name) : name_(name) {}
  ~GlName() { Reset(); }
  GlName(GlName&& other) noexcept : name_(other.name_) { other.name_ = 0; }
  GlName& operator=(GlName&& other) noexcept {
    if (this != &other) {
      Reset();
      name_ = other.name_;
      other.name_ = 0;
    }
    return *this;
  }
  GLuint get() const { return name_; }
  void Reset() {
    if (name_ != 0) Delete(name_);
    name_ = 0;
  }

 private:
  GLuint name_ = 0;
};

void DeleteProgram(GLuint name);
void DeleteBuffer(GLuint name);
void DeleteVertexArray(GLuint name);
void DeleteTexture(GLuint name);
void DeleteSampler(GLuint name);
void DeleteFramebuffer(GLuint name);
void DeleteRenderbuffer(GLuint name);

using GlProgram = GlName<DeleteProgram>;
using GlBuffer = GlName<DeleteBuffer>;
using GlVertexArray = GlName<DeleteVertexArray>;
using GlTexture = GlName<DeleteTexture>;
using GlSampler = GlName<DeleteSampler>;
using GlFramebuffer = GlName<DeleteFramebuffer>;
using GlRenderbuffer = GlName<DeleteRenderbuffer>;

GLuint NewBuffer();
GLuint NewVertexArray();
GLuint NewTexture();
GLuint NewSampler();
GLuint NewFramebuffer();
GLuint NewRenderbuffer();

// Points float attribute `location` (`size` components) at per-instance data
// in the bound array buffer: `offset` bytes in, `stride` bytes per instance.
void PointInstanceAttribute(GLuint location, GLint size, GLsizei stride, size_t offset);

}  // namespace tf
