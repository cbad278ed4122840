#include "view/gl/LinePass.h"

#include <cmath>
#include <string>
#include <vector>

#include "view/gl/ScreenSpace.h"

namespace tf {

namespace {

const char* const kVertexShaderHead = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in float distance;
layout(location = 2) in vec4 color;
layout(location = 3) in uint pattern;
layout(location = 4) in float patternScale;
out float along;
out vec4 lineColor;
flat out uint linePattern;
flat out float lineScale;
)";

const char* const kVertexShaderMain = R"(
void main() {
  gl_Position = ScreenToClip(position);
  along = distance;
  lineColor = color;
  linePattern = pattern;
  lineScale = patternScale;
}
)";

const char* const kFragmentShader = R"(#version 330 core
in float along;
in vec4 lineColor;
flat in uint linePattern;
flat in float lineScale;
out vec4 fragColor;

void main() {
  // Pixel k along the line is centred at distance k; bit k of the pattern
  // (bit 0 first, each bit lineScale pixels long) says whether it is drawn.
  uint step = uint(floor((along + 0.5) / lineScale)) & 31u;
  if (((linePattern >> step) & 1u) == 0u) discard;
  fragColor = lineColor;
}
)";

struct LineVertex {
  float x, y;
  float distance;  // pixels along the polyline from its first point
  uint32_t color;  // 0xAARRGGBB
  uint32_t pattern;
  float patternScale;
};

bool Finite(Vector2 p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}

// `pixelScale`: framebuffer pixels per client pixel.
void AppendPolyline(const LineItem& line, float pixelScale, std::vector<LineVertex>& out) {
  const float halfWidth = std::isfinite(line.width) && line.width > 0 ? line.width / 2 : 0.5f;
  const float scale =
      std::isfinite(line.patternScale) && line.patternScale > 0 ? line.patternScale : 1.0f;
  // How far the ends move back along a segment (see below); 0 at one to one.
  const float back = 0.5f - 0.5f / pixelScale;
  float distance = 0;
  for (size_t i = 1; i < line.points.size(); ++i) {
    const Vector2 a = line.points[i - 1];
    const Vector2 b = line.points[i];
    if (!Finite(a) || !Finite(b)) continue;
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0) || !std::isfinite(length)) continue;
    // Points name pixel centres; GL's centres sit half a pixel further on.
    // Along the segment, where the half-open rule decides which end pixels
    // are drawn, the ends sit on the centre of the client pixel's first
    // framebuffer pixel instead, so that a line covers exactly the
    // framebuffer pixels of the client pixels it covers one to one. The
    // distances move with the ends, so the pattern stays in place.
    const float ux = dx / length, uy = dy / length;
    const float nx = -uy * halfWidth, ny = ux * halfWidth;
    const float sx = back * std::abs(ux), sy = back * std::abs(uy);
    const float ax = a.x + 0.5f - sx, ay = a.y + 0.5f - sy;
    const float bx = b.x + 0.5f - sx, by = b.y + 0.5f - sy;
    const float shift = -(sx * ux + sy * uy);
    const float start = distance + shift, end = distance + length + shift;
    const LineVertex corners[4] = {
        {ax + nx, ay + ny, start, line.color, line.pattern, scale},
        {ax - nx, ay - ny, start, line.color, line.pattern, scale},
        {bx + nx, by + ny, end, line.color, line.pattern, scale},
        {bx - nx, by - ny, end, line.color, line.pattern, scale},
    };
    for (int corner : {0, 1, 2, 2, 1, 3}) out.push_back(corners[corner]);
    distance += length;
  }
}

}  // namespace

std::unique_ptr<LinePass> LinePass::Create(std::string* error) {
  const std::string vertexShader =
      std::string(kVertexShaderHead) + kScreenPositionFunction + kVertexShaderMain;
  const GLuint program = BuildProgram(vertexShader.c_str(), kFragmentShader, error);
  if (program == 0) return nullptr;
  std::unique_ptr<LinePass> pass(new LinePass());
  pass->program_ = GlProgram(program);
  pass->backBufferSize_ = glGetUniformLocation(program, "backBufferSize");
  pass->vertexArray_ = GlVertexArray(NewVertexArray());
  pass->vertices_ = GlBuffer(NewBuffer());

  glBindVertexArray(pass->vertexArray_.get());
  glBindBuffer(GL_ARRAY_BUFFER, pass->vertices_.get());
  const auto stride = static_cast<GLsizei>(sizeof(LineVertex));
  auto offset = [](size_t bytes) { return reinterpret_cast<const void*>(bytes); };
  for (GLuint location = 0; location < 5; ++location) glEnableVertexAttribArray(location);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, offset(offsetof(LineVertex, x)));
  glVertexAttribPointer(1, 1, GL_FLOAT, GL_FALSE, stride, offset(offsetof(LineVertex, distance)));
  glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                        offset(offsetof(LineVertex, color)));
  glVertexAttribIPointer(3, 1, GL_UNSIGNED_INT, stride, offset(offsetof(LineVertex, pattern)));
  glVertexAttribPointer(4, 1, GL_FLOAT, GL_FALSE, stride,
                        offset(offsetof(LineVertex, patternScale)));
  return pass;
}

void LinePass::Draw(const Frame& frame, size_t first, size_t end, double scale,
                    uint32_t* drawCalls) {
  std::vector<LineVertex> vertices;
  for (size_t i = first; i < end; ++i)
    if (const auto* line = std::get_if<LineItem>(&frame.items[i]))
      AppendPolyline(*line, static_cast<float>(scale), vertices);
  if (vertices.empty()) return;

  glUseProgram(program_.get());
  glUniform2f(backBufferSize_, static_cast<float>(frame.backBufferWidth),
              static_cast<float>(frame.backBufferHeight));
  glBindVertexArray(vertexArray_.get());
  glBindBuffer(GL_ARRAY_BUFFER, vertices_.get());
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(LineVertex)),
               vertices.data(), GL_STREAM_DRAW);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
  ++*drawCalls;
}

}  // namespace tf
