// What a replay copies where, how it batches and caches, and what it leaves
// behind in the context.

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "GlTestSupport.h"
#include "view/Font.h"
#include "view/Line.h"
#include "view/Resources.h"
#include "view/gl/FrameRenderer.h"

namespace tf::test {
namespace {

class FrameReplay : public GlScene {
 protected:
  // A 64 x 48 back buffer: rows 0 .. 15 red (the toolbar strip), 16 .. 23
  // green and 24 .. 47 blue.
  std::shared_ptr<const Frame> StripedFrame(const PixelRect* source, const PixelRect* dest) {
    PresentParameters parameters = device_->Parameters();
    parameters.backBufferWidth = 64;
    parameters.backBufferHeight = 48;
    EXPECT_EQ(device_->Reset(&parameters), kOk);
    const PixelRect red{0, 0, 64, 16}, green{0, 16, 64, 24}, blue{0, 24, 64, 48};
    device_->Clear(1, &red, kClearTarget, 0xFFFF0000, 1, 0);
    device_->Clear(1, &green, kClearTarget, 0xFF00FF00, 1, 0);
    device_->Clear(1, &blue, kClearTarget, 0xFF0000FF, 1, 0);
    device_->BeginScene();
    device_->EndScene();
    device_->Present(source, dest, nullptr, nullptr);
    return device_->LatestFrame();
  }

  // Replays into a 64 x 48 framebuffer first filled with white and reads it
  // back, rows from the top.
  RgbaImage ReplayIntoWhite(const Frame& frame, int32_t top, uint32_t height) {
    GLuint framebuffer = 0, color = 0;
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &color);
    glBindRenderbuffer(GL_RENDERBUFFER, color);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 64, static_cast<GLsizei>(height));
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(offscreen_->Renderer().Replay(frame, {framebuffer, 0, top, 64, height}));
    RgbaImage image{64, height, std::vector<uint8_t>(size_t{64} * height * 4)};
    std::vector<uint8_t> bottomUp(image.pixels.size());
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glReadPixels(0, 0, 64, static_cast<GLsizei>(height), GL_RGBA, GL_UNSIGNED_BYTE,
                 bottomUp.data());
    for (uint32_t y = 0; y < height; ++y)
      std::copy_n(&bottomUp[(height - 1 - y) * 256], 256, &image.pixels[y * 256]);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &color);
    glDeleteFramebuffers(1, &framebuffer);
    return image;
  }

  // Sphere rows of `count` atoms, as the scene renderer draws them; with a
  // `selection` texture every tenth atom is selected.
  void DrawSpheres(const std::vector<Mesh*>& meshes, int count, Texture* selection = nullptr) {
    for (int i = 0; i < count; ++i) {
      if (selection) device_->SetTexture(0, i % 10 == 0 ? selection : nullptr);
      SetWorld(0.5f, -7 + (i % 15), -4.5f + (i / 15 % 7) * 1.5f);
      SetMaterial(static_cast<float>(i % 3) / 2, 0.5f, 1);
      meshes[static_cast<size_t>(i) % meshes.size()]->DrawSubset(0);
    }
  }
};

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

TEST_F(FrameReplay, OnlyTheSourceRectangleReachesTheDestinationRectangle) {
  const PixelRect view{0, 16, 64, 48};  // below a 16-pixel toolbar, as the program presents
  const auto frame = StripedFrame(&view, &view);

  // The offscreen image is the destination rectangle.
  const RgbaImage image = Render(*frame);
  ASSERT_EQ(image.width, 64u);
  ASSERT_EQ(image.height, 32u);
  EXPECT_TRUE(ColorNear(image, 30, 0, kGreen, 0));
  EXPECT_TRUE(ColorNear(image, 30, 7, kGreen, 0));
  EXPECT_TRUE(ColorNear(image, 30, 8, kBlue, 0));
  EXPECT_TRUE(ColorNear(image, 30, 31, kBlue, 0));

  // A target covering the whole client area keeps its toolbar strip.
  const RgbaImage whole = ReplayIntoWhite(*frame, 0, 48);
  EXPECT_TRUE(ColorNear(whole, 30, 0, kWhite, 0));
  EXPECT_TRUE(ColorNear(whole, 30, 15, kWhite, 0));
  EXPECT_TRUE(ColorNear(whole, 30, 16, kGreen, 0));
  EXPECT_TRUE(ColorNear(whole, 30, 24, kBlue, 0));

  // A target that starts below the toolbar, as the view widget does.
  const RgbaImage widget = ReplayIntoWhite(*frame, 16, 32);
  EXPECT_TRUE(ColorNear(widget, 30, 0, kGreen, 0));
  EXPECT_TRUE(ColorNear(widget, 30, 8, kBlue, 0));

  // Without rectangles the whole back buffer fills the whole target.
  const RgbaImage full = ReplayIntoWhite(*StripedFrame(nullptr, nullptr), 0, 48);
  EXPECT_TRUE(ColorNear(full, 30, 0, kRed, 0));
  EXPECT_TRUE(ColorNear(full, 63, 47, kBlue, 0));

  // A part of the back buffer shown elsewhere.
  const PixelRect source{0, 0, 32, 16}, dest{32, 32, 64, 48};
  const RgbaImage moved = ReplayIntoWhite(*StripedFrame(&source, &dest), 0, 48);
  EXPECT_TRUE(ColorNear(moved, 40, 40, kRed, 0));
  EXPECT_TRUE(ColorNear(moved, 20, 40, kWhite, 0));
  EXPECT_TRUE(ColorNear(moved, 40, 20, kWhite, 0));
}

TEST_F(FrameReplay, ARunOfTheSameMeshIsOneDrawAndLooksLikeSeparateDraws) {
  const Ref<Mesh> sphere = LoadSphere();
  const Ref<Mesh> twin = LoadSphere();  // the same shape under another serial
  const Ref<Texture> selection = LoadTexture(kSelectionBitmap);
  // Items without a texture and items with the run's texture share the draw,
  // ray cast (culling the back) or as meshes (culling nothing).
  for (uint32_t cull : {kCullCw, kCullNone}) {
    device_->SetRenderState(kRsCullMode, cull);
    const RgbaImage batched =
        RecordAndRender([&] { DrawSpheres({sphere.get()}, 90, selection.get()); });
    EXPECT_EQ(offscreen_->Renderer().LastStats().meshDrawCalls, 1u) << cull;
    EXPECT_EQ(offscreen_->Renderer().LastStats().sphereImpostors, cull == kCullCw ? 90u : 0u);
    const RgbaImage separate = RecordAndRender([&] {
      DrawSpheres({sphere.get(), twin.get()}, 90, selection.get());
    });
    EXPECT_EQ(offscreen_->Renderer().LastStats().meshDrawCalls, 90u) << cull;
    EXPECT_EQ(batched.pixels, separate.pixels) << cull;
  }
  device_->SetRenderState(kRsCullMode, kCullCw);

  RecordAndRender([&] { DrawSpheres({sphere.get()}, 1000, selection.get()); });
  EXPECT_EQ(offscreen_->Renderer().LastStats().meshDrawCalls, 1u);

  // Another texture or a state change ends a run.
  const Ref<Texture> grid = LoadTexture(kGridCellBitmap);
  RecordAndRender([&] {
    DrawSpheres({sphere.get()}, 10, selection.get());
    device_->SetTexture(0, grid.get());
    DrawSpheres({sphere.get()}, 10);
    device_->SetTexture(0, nullptr);
    device_->SetRenderState(kRsCullMode, kCullNone);
    DrawSpheres({sphere.get()}, 10);
  });
  EXPECT_EQ(offscreen_->Renderer().LastStats().meshDrawCalls, 3u);
}

TEST_F(FrameReplay, GpuCopiesOfRepublishedGeometryAreDropped) {
  const Ref<Mesh> square = MakeSquare(*device_, 2);
  const Ref<Texture> grid = LoadTexture(kGridCellBitmap);
  device_->SetTexture(0, grid.get());
  constexpr uint64_t kKept = FrameRenderer::kUnusedReplaysKept;
  for (uint64_t i = 0; i < 3 * kKept; ++i) {
    // Rewriting the vertices publishes a new geometry, as every zoom does for the grid.
    void* vertices = nullptr;
    square->LockVertexBuffer(0, &vertices);
    square->UnlockVertexBuffer();
    RecordAndRender([&] { square->DrawSubset(0); });
  }
  const ReplayStats& stats = offscreen_->Renderer().LastStats();
  EXPECT_LE(stats.cachedGeometries, kKept + 1);
  EXPECT_GE(stats.cachedGeometries, 1u);
  EXPECT_EQ(stats.cachedTextures, 1u) << "the texture stays in use";
  for (uint64_t i = 0; i <= kKept; ++i) RecordAndRender([] {});
  EXPECT_EQ(offscreen_->Renderer().LastStats().cachedGeometries, 0u);
  EXPECT_EQ(offscreen_->Renderer().LastStats().cachedTextures, 0u);
}

TEST_F(FrameReplay, AMalformedFrameDrawsOnlyWhatMakesSense) {
  Frame frame;
  frame.backBufferWidth = 32;
  frame.backBufferHeight = 32;
  Matrix identity;
  MatrixIdentity(&identity);
  frame.states.push_back({identity,
                          identity,
                          {},
                          DefaultRenderStates(true),
                          DefaultSamplerStates(),
                          DefaultTextureStageStates()});
  auto geometry = std::make_shared<MeshGeometry>();
  geometry->serial = 1u << 30;
  geometry->fvf = kFvfXyz;
  geometry->layout = DescribeVertexFormat(kFvfXyz);
  geometry->vertexCount = 1000;  // more than the vertex bytes hold
  geometry->faceCount = 5;       // more than the indices and attributes hold
  geometry->vertices.assign(3 * 12, 0);
  geometry->indices = {0, 1, 2, 0, 1, 999};
  geometry->attributes = {0};
  auto texture = std::make_shared<TextureImage>();
  texture->serial = 1u << 30;
  texture->width = 1u << 20;  // no pixels behind it
  texture->height = 4;
  frame.items.emplace_back(ClearItem{{{-5, -5, 1 << 30, 8}}, kClearTarget, 0xFF00FF00, 1, 0});
  frame.items.emplace_back(MeshItem{geometry, 0, identity, {}, texture, 0});
  frame.items.emplace_back(MeshItem{geometry, 0, identity, {}, nullptr, 99});
  frame.items.emplace_back(MeshItem{nullptr, 0, identity, {}, nullptr, 0});
  const float nan = std::numeric_limits<float>::quiet_NaN();
  frame.items.emplace_back(LineItem{{{nan, 1}, {5, 5}}, 0xFFFFFFFF, nan, 0xFFFFFFFF, -1, false});
  frame.items.emplace_back(LineItem{{{5, 5}}, 0xFFFFFFFF, 1, 0xFFFFFFFF, 1, false});
  FontDescription huge;
  huge.height = 1 << 30;
  huge.faceName = u"Arial";
  // An unpaired surrogate, empty lines and an inverted layout rectangle.
  frame.items.emplace_back(TextItem{u"\xD800x\n\n", {30, 30, 0, 0}, 0, 0xFFFFFFFF, huge});
  // Half of this source lies left of the back buffer; squeezed into the
  // 32-pixel image, the back buffer's part fills its middle half.
  frame.sourceRect = PixelRect{-16, 0, 48, 32};

  const RgbaImage image = Render(frame);
  ASSERT_EQ(image.width, 32u);
  EXPECT_TRUE(ColorNear(image, 16, 2, kGreen, 2)) << "the clear, cut to the back buffer";
  EXPECT_TRUE(ColorNear(image, 2, 2, {0, 0, 0}, 0));
  EXPECT_TRUE(ColorNear(image, 16, 20, {0, 0, 0}, 0)) << "nothing drawn below the clear";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  frame.backBufferWidth = 1u << 30;
  RgbaImage none;
  std::string error;
  EXPECT_FALSE(offscreen_->Render(frame, &none, &error));
  EXPECT_FALSE(error.empty());
}

// Everything a frame can hold: meshes with and without texture, a line and a text.
void DrawEverything(GraphicsDevice& device, Mesh& sphere, Texture& texture, Line& line,
                    Font& font) {
  sphere.DrawSubset(0);
  device.SetTexture(0, &texture);
  sphere.DrawSubset(0);
  device.SetTexture(0, nullptr);
  const Vector2 points[3] = {{1, 1}, {50, 60}, {90, 10}};
  line.Draw(points, 3, 0xFFFFFFFF);
  PixelRect rect{0, 0, 100, 100};
  font.DrawText(nullptr, u"Energy = 1.5\ndE = 0", -1, &rect, kDtBottom, 0x80FF0000);
}

TEST_F(FrameReplay, AReplayLeavesTheHostsGlStateAsItWas) {
  const Ref<Mesh> sphere = LoadSphere();
  const Ref<Texture> texture = LoadTexture(kSelectionBitmap);
  const Ref<Line> line = MakeLine();
  const Ref<Font> font = MakeOverlayFont();
  ASSERT_TRUE(line && font);
  const auto frame = Record([&] { DrawEverything(*device_, *sphere, *texture, *line, *font); });

  // Host state unlike anything the backend uses.
  GLuint hostVertexArray = 0, hostBuffer = 0, hostTexture = 0;
  glGenVertexArrays(1, &hostVertexArray);
  glGenBuffers(1, &hostBuffer);
  glGenTextures(1, &hostTexture);
  glBindVertexArray(hostVertexArray);
  glBindBuffer(GL_ARRAY_BUFFER, hostBuffer);
  for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, hostTexture);
  }
  glActiveTexture(GL_TEXTURE3);
  glViewport(3, 4, 5, 6);
  glEnable(GL_SCISSOR_TEST);
  glScissor(1, 2, 3, 4);
  glEnable(GL_BLEND);
  glBlendFunc(GL_ONE, GL_ONE);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_GREATER);
  glDepthMask(GL_FALSE);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT_AND_BACK);
  glFrontFace(GL_CW);
  glColorMask(GL_TRUE, GL_FALSE, GL_TRUE, GL_FALSE);
  glClearColor(0.25f, 0.5f, 0.75f, 1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);

  RgbaImage image;
  ASSERT_TRUE(offscreen_->Render(*frame, &image, nullptr));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  auto integer = [](GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
  };
  EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), static_cast<GLint>(hostVertexArray));
  EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(hostBuffer));
  EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
  for (GLenum unit : {GL_TEXTURE1, GL_TEXTURE0}) {
    glActiveTexture(unit);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(hostTexture)) << unit;
    EXPECT_EQ(integer(GL_SAMPLER_BINDING), 0) << unit;
  }
  EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
  EXPECT_EQ(integer(GL_DRAW_FRAMEBUFFER_BINDING), 0);
  EXPECT_EQ(integer(GL_READ_FRAMEBUFFER_BINDING), 0);
  GLint viewport[4], scissor[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetIntegerv(GL_SCISSOR_BOX, scissor);
  EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{3, 4, 5, 6}));
  EXPECT_EQ(std::vector<GLint>(scissor, scissor + 4), (std::vector<GLint>{1, 2, 3, 4}));
  EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(integer(GL_BLEND_SRC_RGB), GL_ONE);
  EXPECT_EQ(integer(GL_BLEND_DST_ALPHA), GL_ONE);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_GREATER);
  GLboolean depthMask = GL_TRUE, colorMask[4];
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  glGetBooleanv(GL_COLOR_WRITEMASK, colorMask);
  EXPECT_FALSE(depthMask);
  EXPECT_EQ(std::vector<int>(colorMask, colorMask + 4), (std::vector<int>{1, 0, 1, 0}));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_FRONT_AND_BACK);
  EXPECT_EQ(integer(GL_FRONT_FACE), GL_CW);
  GLfloat clearColor[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
  EXPECT_EQ(clearColor[1], 0.5f);
  EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 8);

  glBindVertexArray(0);
  glDeleteVertexArrays(1, &hostVertexArray);
  glDeleteBuffers(1, &hostBuffer);
  glDeleteTextures(1, &hostTexture);
}

TEST_F(FrameReplay, DestroyingTheRendererFreesEveryGlObjectItMade) {
  const Ref<Mesh> sphere = LoadSphere();
  const Ref<Texture> texture = LoadTexture(kSelectionBitmap);
  const Ref<Line> line = MakeLine();
  const Ref<Font> font = MakeOverlayFont();
  ASSERT_TRUE(line && font);
  const auto frame = Record([&] { DrawEverything(*device_, *sphere, *texture, *line, *font); });

  // A context of its own, so every name in it is the renderer's.
  std::string error;
  const auto context = OffscreenContext::Create(&error);
  ASSERT_NE(context, nullptr) << error;
  auto renderer = FrameRenderer::Create(&error);
  ASSERT_NE(renderer, nullptr) << error;
  ASSERT_TRUE(renderer->Replay(*frame, {0, 0, 0, 0, 0}));
  auto anyName = [] {
    for (GLuint name = 1; name < 256; ++name)
      if (glIsBuffer(name) || glIsTexture(name) || glIsVertexArray(name) || glIsFramebuffer(name) ||
          glIsRenderbuffer(name) || glIsSampler(name) || glIsProgram(name) || glIsShader(name))
        return true;
    return false;
  };
  EXPECT_TRUE(anyName()) << "the check sees the renderer's objects";
  renderer.reset();
  EXPECT_FALSE(anyName());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace tf::test
