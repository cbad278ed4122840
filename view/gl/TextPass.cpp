#include "view/gl/TextPass.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "view/GraphicsTypes.h"
#include "view/gl/ScreenSpace.h"
#include "view/gl/TextLayout.h"

namespace tf {

namespace {

const char* const kVertexShaderHead = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 atlasCoord;
layout(location = 2) in vec4 color;
out vec2 glyphCoord;
out vec4 textColor;
)";

const char* const kVertexShaderMain = R"(
void main() {
  gl_Position = ScreenToClip(position);
  glyphCoord = atlasCoord;
  textColor = color;
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec2 glyphCoord;
in vec4 textColor;
uniform sampler2D atlas;
out vec4 fragColor;

void main() {
  fragColor = vec4(textColor.rgb, textColor.a * texture(atlas, glyphCoord).r);
}
)";

// A client coordinate in framebuffer pixels, kept within PixelRect's range.
int32_t ScaleCoordinate(int32_t value, double scale) {
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(std::round(value * scale), kMin, kMax));
}

}  // namespace

std::unique_ptr<TextPass> TextPass::Create(std::string* error) {
  const std::string vertexShader =
      std::string(kVertexShaderHead) + kScreenPositionFunction + kVertexShaderMain;
  const GLuint program = BuildProgram(vertexShader.c_str(), kFragmentShader, error);
  if (program == 0) return nullptr;
  std::unique_ptr<TextPass> pass(new TextPass());
  pass->program_ = GlProgram(program);
  pass->backBufferSize_ = glGetUniformLocation(program, "backBufferSize");
  pass->atlasSampler_ = glGetUniformLocation(program, "atlas");
  pass->atlas_ = std::make_unique<GlyphAtlas>();
  pass->vertexArray_ = GlVertexArray(NewVertexArray());
  pass->vertices_ = GlBuffer(NewBuffer());

  glBindVertexArray(pass->vertexArray_.get());
  glBindBuffer(GL_ARRAY_BUFFER, pass->vertices_.get());
  const auto stride = static_cast<GLsizei>(sizeof(Vertex));
  auto offset = [](size_t bytes) { return reinterpret_cast<const void*>(bytes); };
  for (GLuint location = 0; location < 3; ++location) glEnableVertexAttribArray(location);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, offset(offsetof(Vertex, x)));
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, offset(offsetof(Vertex, u)));
  glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                        offset(offsetof(Vertex, color)));
  return pass;
}

bool TextPass::AppendText(const TextItem& item, double scale, std::vector<Vertex>& out) {
  FontFace* face = fonts_.Face(item.font, scale);
  if (face == nullptr) return true;
  const std::vector<std::u32string> lines = TextLines(item.text, item.format);
  const bool clip = !(item.format & kDtNoClip);
  const PixelRect rect{
      ScaleCoordinate(item.rect.left, scale), ScaleCoordinate(item.rect.top, scale),
      ScaleCoordinate(item.rect.right, scale), ScaleCoordinate(item.rect.bottom, scale)};
  constexpr float kTexel = 1.0f / GlyphAtlas::kSize;

  for (size_t index = 0; index < lines.size(); ++index) {
    std::vector<const AtlasGlyph*> glyphs;
    int64_t width = 0;
    for (char32_t c : lines[index]) {
      if (c < 0x20) continue;  // control characters take no room
      const AtlasGlyph* glyph = atlas_->Find(*face, c);
      if (glyph == nullptr) return false;
      glyphs.push_back(glyph);
      width += glyph->advance;
    }
    const LinePlacement line =
        PlaceLine(rect, item.format, width, index, lines.size(), face->CellHeight());
    int64_t pen = line.left;
    const int64_t baseline = line.top + face->Ascent();
    for (const AtlasGlyph* glyph : glyphs) {
      int64_t x0 = pen + glyph->left, y0 = baseline - glyph->top;
      int64_t x1 = x0 + glyph->width, y1 = y0 + glyph->height;
      pen += glyph->advance;
      // The texel under each clipped corner follows the corner 1:1.
      int64_t u0 = glyph->x, v0 = glyph->y;
      if (clip) {
        const int64_t cx0 = std::max<int64_t>(x0, rect.left), cy0 = std::max<int64_t>(y0, rect.top);
        x1 = std::min<int64_t>(x1, rect.right);
        y1 = std::min<int64_t>(y1, rect.bottom);
        u0 += cx0 - x0;
        v0 += cy0 - y0;
        x0 = cx0;
        y0 = cy0;
      }
      if (x1 <= x0 || y1 <= y0) continue;
      const int64_t u1 = u0 + (x1 - x0), v1 = v0 + (y1 - y0);
      const auto f = [](int64_t value) { return static_cast<float>(value); };
      const Vertex corners[4] = {
          {f(x0), f(y0), f(u0) * kTexel, f(v0) * kTexel, item.color},
          {f(x1), f(y0), f(u1) * kTexel, f(v0) * kTexel, item.color},
          {f(x0), f(y1), f(u0) * kTexel, f(v1) * kTexel, item.color},
          {f(x1), f(y1), f(u1) * kTexel, f(v1) * kTexel, item.color},
      };
      for (int corner : {0, 2, 1, 1, 2, 3}) out.push_back(corners[corner]);
    }
  }
  return true;
}

void TextPass::Draw(const Frame& frame, size_t first, size_t end, double scale, uint32_t width,
                    uint32_t height, uint32_t* drawCalls) {
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, atlas_->Texture());
  glBindSampler(0, 0);
  std::vector<Vertex> vertices;
  // A full atlas is cleared once and the whole batch placed again.
  for (int attempt = 0; attempt < 2; ++attempt) {
    vertices.clear();
    bool complete = true;
    for (size_t i = first; i < end && complete; ++i)
      if (const auto* text = std::get_if<TextItem>(&frame.items[i]))
        complete = AppendText(*text, scale, vertices);
    if (complete) break;
    atlas_->Clear();
  }
  if (vertices.empty()) return;

  glUseProgram(program_.get());
  glUniform2f(backBufferSize_, static_cast<float>(width), static_cast<float>(height));
  glUniform1i(atlasSampler_, 0);
  glBindVertexArray(vertexArray_.get());
  glBindBuffer(GL_ARRAY_BUFFER, vertices_.get());
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)),
               vertices.data(), GL_STREAM_DRAW);
  glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
  ++*drawCalls;
}

}  // namespace tf
