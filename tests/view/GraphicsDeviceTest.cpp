#include "view/GraphicsDevice.h"

#include <gtest/gtest.h>

#include "GraphicsTestSupport.h"
#include "view/Font.h"
#include "view/Line.h"
#include "view/Mesh.h"
#include "view/Texture.h"

namespace tf {
namespace {

using test::Ref;

Matrix Scaled(float s) {
  Matrix m;
  MatrixIdentity(&m);
  m.m[0][0] = m.m[1][1] = m.m[2][2] = s;
  return m;
}

Ref<Mesh> TriangleMesh(GraphicsDevice& device) {
  Mesh* mesh = nullptr;
  EXPECT_EQ(CreateMeshFVF(1, 3, kMeshManaged, kFvfXyz | kFvfNormal, &device, &mesh), kOk);
  return Ref<Mesh>(mesh);
}

Light WhiteLight() {
  Light light;
  light.type = kLightDirectional;
  light.diffuse = {1, 1, 1, 1};
  light.direction = {0.577f, -0.577f, -0.577f};
  return light;
}

TEST(GraphicsDeviceLevels, ReportsEachCooperativeLevel) {
  GraphicsDevice device;
  EXPECT_EQ(device.TestCooperativeLevel(), kOk);
  device.SetCooperativeLevel(CooperativeLevel::kLost);
  EXPECT_EQ(device.TestCooperativeLevel(), kErrDeviceLost);
  device.SetCooperativeLevel(CooperativeLevel::kNotReset);
  EXPECT_EQ(device.TestCooperativeLevel(), kErrDeviceNotReset);
  // The code callers compare against is the classic 32-bit failure value.
  EXPECT_EQ(kErrDeviceNotReset, static_cast<int32_t>(0x88760869u));
  EXPECT_LT(kErrDeviceNotReset, 0);
}

TEST(GraphicsDeviceLevels, ResetWaitsUntilTheDeviceCanBeRestored) {
  GraphicsDevice device;
  PresentParameters parameters = device.Parameters();
  device.SetCooperativeLevel(CooperativeLevel::kLost);
  EXPECT_EQ(device.Reset(&parameters), kErrDeviceLost);
  EXPECT_EQ(device.TestCooperativeLevel(), kErrDeviceLost);

  device.SetCooperativeLevel(CooperativeLevel::kNotReset);
  EXPECT_EQ(device.Reset(&parameters), kOk);
  EXPECT_EQ(device.TestCooperativeLevel(), kOk);
  EXPECT_EQ(device.Reset(nullptr), kErrInvalidCall);
}

TEST(GraphicsDeviceLevels, ResetIsRefusedWhileAFontOrLineStillHoldsTheDevice) {
  GraphicsDevice device;
  Line* rawLine = nullptr;
  Font* rawFont = nullptr;
  ASSERT_EQ(CreateLine(&device, &rawLine), kOk);
  ASSERT_EQ(CreateFont(&device, 30, 10, 400, 0, false, 1, 0, 0, 48, u"Arial", &rawFont), kOk);
  Ref<Line> line(rawLine);
  Ref<Font> font(rawFont);
  PresentParameters parameters = device.Parameters();

  EXPECT_EQ(device.Reset(&parameters), kErrInvalidCall);
  EXPECT_EQ(device.TestCooperativeLevel(), kErrDeviceNotReset);
  line->OnLostDevice();
  EXPECT_EQ(device.Reset(&parameters), kErrInvalidCall);
  font->OnLostDevice();
  font->OnLostDevice();  // a second notice changes nothing
  EXPECT_EQ(device.Reset(&parameters), kOk);
  line->OnResetDevice();
  font->OnResetDevice();
  EXPECT_EQ(device.TestCooperativeLevel(), kOk);
}

TEST(GraphicsDeviceLevels, ResetTakesTheClientSizeForZeroSizesAndWritesItBack) {
  GraphicsDevice device;
  device.SetClientSize(700, 546);
  PresentParameters parameters = device.Parameters();
  parameters.backBufferWidth = 0;
  parameters.backBufferHeight = 0;
  ASSERT_EQ(device.Reset(&parameters), kOk);
  EXPECT_EQ(parameters.backBufferWidth, 700u);
  EXPECT_EQ(parameters.backBufferHeight, 546u);
  EXPECT_EQ(parameters.backBufferFormat, kFormatX8R8G8B8);

  parameters.backBufferWidth = 320;
  ASSERT_EQ(device.Reset(&parameters), kOk);
  EXPECT_EQ(device.Parameters().backBufferWidth, 320u);
}

class FrameRecording : public ::testing::Test {
 protected:
  void SetUp() override {
    mesh_ = TriangleMesh(device_);
    Texture* texture = nullptr;
    ASSERT_EQ(CreateTextureFromResource(&device_, 105, &texture), kOk);
    texture_.reset(texture);
    Line* line = nullptr;
    ASSERT_EQ(CreateLine(&device_, &line), kOk);
    line_.reset(line);
    Font* font = nullptr;
    ASSERT_EQ(CreateFont(&device_, 30, 10, 400, 0, false, 1, 0, 0, 48, u"Arial", &font), kOk);
    font_.reset(font);
  }

  GraphicsDevice device_;
  Ref<Mesh> mesh_;
  Ref<Texture> texture_;
  Ref<Line> line_;
  Ref<Font> font_;
};

TEST_F(FrameRecording, AFrameHoldsItsDrawsInOrderWithTheStateTheyResolvedTo) {
  const Matrix view = Scaled(2), projection = Scaled(3), world1 = Scaled(4), world2 = Scaled(5);
  const Light light = WhiteLight();
  Material red, blue;
  red.diffuse = {1, 0, 0, 1};
  blue.diffuse = {0, 0, 1, 1};
  const Vector2 points[] = {{1, 2}, {30, 40}};
  PixelRect textRect{0, 26, 700, 600};
  const PixelRect present{0, 26, 700, 600};

  ASSERT_EQ(device_.Clear(0, nullptr, kClearTarget | kClearZBuffer, 0x00202020, 1.0f, 0), kOk);
  ASSERT_EQ(device_.BeginScene(), kOk);
  device_.SetTransform(kTsView, &view);
  device_.SetTransform(kTsProjection, &projection);
  device_.SetLight(0, &light);
  device_.LightEnable(0, 1);
  device_.SetRenderState(kRsCullMode, kCullCw);
  device_.SetTransform(kTsWorld, &world1);
  device_.SetMaterial(&red);
  device_.SetTexture(0, texture_.get());
  ASSERT_EQ(mesh_->DrawSubset(0), kOk);
  device_.SetTransform(kTsWorld, &world2);
  device_.SetMaterial(&blue);
  device_.SetTexture(0, nullptr);
  ASSERT_EQ(mesh_->DrawSubset(0), kOk);
  line_->SetWidth(5);
  line_->SetPattern(0xFF00FF00);
  ASSERT_EQ(line_->Draw(points, 2, 0x7FFF0000), kOk);
  EXPECT_EQ(font_->DrawText(nullptr, u"Atoms: 3\nBonds: 2", -1, &textRect, kDtBottom, 0x80FF0000),
            60);
  ASSERT_EQ(device_.EndScene(), kOk);
  EXPECT_EQ(device_.LatestFrame(), nullptr);  // nothing is published before Present
  ASSERT_EQ(device_.Present(&present, &present, nullptr, nullptr), kOk);

  const auto frame = device_.LatestFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->number, 1u);
  ASSERT_EQ(frame->items.size(), 5u);
  const auto* clear = std::get_if<ClearItem>(&frame->items[0]);
  ASSERT_NE(clear, nullptr);
  EXPECT_EQ(clear->color, 0x00202020u);
  EXPECT_EQ(clear->flags, kClearTarget | kClearZBuffer);

  const auto meshes = frame->ItemsOf<MeshItem>();
  ASSERT_EQ(meshes.size(), 2u);
  EXPECT_EQ(meshes[0]->world.m[0][0], 4.0f);
  EXPECT_EQ(meshes[1]->world.m[0][0], 5.0f);
  EXPECT_EQ(meshes[0]->material.diffuse.r, 1.0f);
  EXPECT_EQ(meshes[1]->material.diffuse.b, 1.0f);
  EXPECT_EQ(meshes[0]->texture, texture_->Image());
  EXPECT_EQ(meshes[1]->texture, nullptr);
  EXPECT_EQ(meshes[0]->geometry, mesh_->Geometry());
  // Only world, material and texture changed between the draws: they share one state.
  EXPECT_EQ(meshes[0]->stateIndex, meshes[1]->stateIndex);
  const DrawState& state = frame->StateOf(*meshes[0]);
  EXPECT_EQ(state.view.m[0][0], 2.0f);
  EXPECT_EQ(state.projection.m[0][0], 3.0f);
  ASSERT_EQ(state.lights.size(), 1u);
  EXPECT_EQ(state.lights[0].direction.x, 0.577f);
  EXPECT_EQ(state.renderStates[kRsCullMode], kCullCw);

  const auto* line = std::get_if<LineItem>(&frame->items[3]);
  ASSERT_NE(line, nullptr);
  ASSERT_EQ(line->points.size(), 2u);
  EXPECT_EQ(line->points[1].y, 40.0f);
  EXPECT_EQ(line->color, 0x7FFF0000u);
  EXPECT_EQ(line->width, 5.0f);
  EXPECT_EQ(line->pattern, 0xFF00FF00u);
  EXPECT_EQ(line->patternScale, 1.0f);

  const auto* text = std::get_if<TextItem>(&frame->items[4]);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, u"Atoms: 3\nBonds: 2");
  EXPECT_EQ(text->rect.top, 26);
  EXPECT_EQ(text->format, kDtBottom);
  EXPECT_EQ(text->color, 0x80FF0000u);
  EXPECT_EQ(text->font.faceName, u"Arial");
  EXPECT_EQ(text->font.height, 30);

  ASSERT_TRUE(frame->sourceRect && frame->destRect);
  EXPECT_EQ(frame->sourceRect->top, 26);
  EXPECT_EQ(frame->destRect->right, 700);
}

TEST_F(FrameRecording, AStateChangeBetweenDrawsStartsANewState) {
  device_.BeginScene();
  mesh_->DrawSubset(0);
  device_.SetRenderState(kRsLighting, 0);
  mesh_->DrawSubset(0);
  mesh_->DrawSubset(0);
  device_.LightEnable(2, 1);  // a light never set is the default white one
  mesh_->DrawSubset(0);
  device_.EndScene();
  device_.Present(nullptr, nullptr, nullptr, nullptr);

  const auto frame = device_.LatestFrame();
  const auto meshes = frame->ItemsOf<MeshItem>();
  ASSERT_EQ(meshes.size(), 4u);
  ASSERT_EQ(frame->states.size(), 3u);
  EXPECT_EQ(frame->StateOf(*meshes[0]).renderStates[kRsLighting], 1u);
  EXPECT_EQ(frame->StateOf(*meshes[1]).renderStates[kRsLighting], 0u);
  EXPECT_EQ(meshes[1]->stateIndex, meshes[2]->stateIndex);
  ASSERT_EQ(frame->StateOf(*meshes[3]).lights.size(), 1u);
  EXPECT_EQ(frame->StateOf(*meshes[3]).lights[0].type, kLightDirectional);
  EXPECT_FALSE(frame->sourceRect.has_value());
}

TEST_F(FrameRecording, APresentedFrameKeepsTheGeometryItDrew) {
  device_.BeginScene();
  mesh_->DrawSubset(0);
  device_.EndScene();
  device_.Present(nullptr, nullptr, nullptr, nullptr);
  const auto frame = device_.LatestFrame();

  void* data = nullptr;
  ASSERT_EQ(mesh_->LockVertexBuffer(0, &data), kOk);
  static_cast<float*>(data)[0] = 9.0f;
  ASSERT_EQ(mesh_->UnlockVertexBuffer(), kOk);

  const auto& recorded = *frame->ItemsOf<MeshItem>()[0]->geometry;
  EXPECT_EQ(recorded.Position(0).x, 0.0f);
  EXPECT_EQ(mesh_->Geometry()->Position(0).x, 9.0f);
  EXPECT_NE(recorded.serial, mesh_->Geometry()->serial);
}

TEST_F(FrameRecording, EachPresentPublishesOnlyItsOwnDrawsAndCallsTheCallback) {
  int calls = 0;
  device_.SetPresentCallback([&] { ++calls; });
  const Vector2 points[] = {{0, 0}, {1, 1}};
  for (int frame = 1; frame <= 2; ++frame) {
    device_.BeginScene();
    for (int i = 0; i < frame; ++i) line_->Draw(points, 2, 0xFFFFFFFF);
    device_.EndScene();
    ASSERT_EQ(device_.Present(nullptr, nullptr, nullptr, nullptr), kOk);
    EXPECT_EQ(calls, frame);
    EXPECT_EQ(device_.LatestFrame()->number, static_cast<uint64_t>(frame));
    EXPECT_EQ(device_.LatestFrame()->items.size(), static_cast<size_t>(frame));
  }
}

TEST_F(FrameRecording, ALostDeviceRecordsAndPublishesNothing) {
  int calls = 0;
  device_.SetPresentCallback([&] { ++calls; });
  device_.BeginScene();
  mesh_->DrawSubset(0);
  device_.EndScene();
  device_.Present(nullptr, nullptr, nullptr, nullptr);

  const Vector2 points[] = {{0, 0}, {1, 1}};
  PixelRect rect{0, 0, 10, 10};
  for (CooperativeLevel level : {CooperativeLevel::kLost, CooperativeLevel::kNotReset}) {
    device_.SetCooperativeLevel(level);
    EXPECT_EQ(device_.Clear(0, nullptr, kClearTarget, 0, 1.0f, 0), kOk);
    EXPECT_EQ(device_.BeginScene(), kOk);
    EXPECT_EQ(mesh_->DrawSubset(0), kOk);
    EXPECT_EQ(line_->Draw(points, 2, 0xFFFFFFFF), kOk);
    font_->DrawText(nullptr, u"x", -1, &rect, 0, 0xFFFFFFFF);
    EXPECT_EQ(device_.EndScene(), kOk);
    EXPECT_EQ(device_.Present(nullptr, nullptr, nullptr, nullptr), kErrDeviceLost);
    EXPECT_EQ(device_.LatestFrame()->number, 1u);
  }
  EXPECT_EQ(calls, 1);

  // Draws that began while usable are dropped when the device is lost before Present.
  device_.SetCooperativeLevel(CooperativeLevel::kUsable);
  device_.BeginScene();
  mesh_->DrawSubset(0);
  device_.EndScene();
  device_.SetCooperativeLevel(CooperativeLevel::kLost);
  EXPECT_EQ(device_.Present(nullptr, nullptr, nullptr, nullptr), kErrDeviceLost);
  device_.SetCooperativeLevel(CooperativeLevel::kUsable);
  device_.BeginScene();
  device_.EndScene();
  ASSERT_EQ(device_.Present(nullptr, nullptr, nullptr, nullptr), kOk);
  EXPECT_TRUE(device_.LatestFrame()->items.empty());
}

TEST_F(FrameRecording, CallsOutOfSequenceOrWithBadArgumentsFail) {
  const Vector2 points[] = {{0, 0}, {1, 1}};
  PixelRect rect{0, 0, 10, 10};
  EXPECT_EQ(device_.EndScene(), kErrInvalidCall);
  EXPECT_EQ(mesh_->DrawSubset(0), kErrInvalidCall);  // outside a scene
  EXPECT_EQ(line_->Draw(points, 2, 0), kErrInvalidCall);
  EXPECT_EQ(font_->DrawText(nullptr, u"x", -1, &rect, 0, 0), 0);
  ASSERT_EQ(device_.BeginScene(), kOk);
  EXPECT_EQ(device_.BeginScene(), kErrInvalidCall);
  EXPECT_EQ(device_.Present(nullptr, nullptr, nullptr, nullptr), kErrInvalidCall);
  EXPECT_EQ(device_.EndScene(), kOk);

  EXPECT_EQ(device_.Clear(0, nullptr, kClearStencil, 0, 1.0f, 0), kErrInvalidCall);  // D16
  EXPECT_EQ(device_.Clear(0, nullptr, kClearTarget, 0, 1.5f, 0), kErrInvalidCall);
  EXPECT_EQ(device_.Clear(1, nullptr, kClearTarget, 0, 1.0f, 0), kErrInvalidCall);
  EXPECT_EQ(device_.SetTransform(kTsWorld, nullptr), kErrInvalidCall);
  EXPECT_EQ(device_.SetTransform(static_cast<TransformStateType>(7), &device_.Transform(kTsView)),
            kErrInvalidCall);
  EXPECT_EQ(device_.SetRenderState(kRenderStateCount, 0), kErrInvalidCall);
  EXPECT_EQ(device_.SetSamplerState(kMaxSamplers, kSampMinFilter, 2), kErrInvalidCall);
  EXPECT_EQ(device_.SetTextureStageState(0, kTextureStageStateCount, 0), kErrInvalidCall);
  EXPECT_EQ(device_.SetTexture(kMaxTextureStages, nullptr), kErrInvalidCall);
  EXPECT_EQ(device_.SetMaterial(nullptr), kErrInvalidCall);
  Light untyped;
  EXPECT_EQ(device_.SetLight(0, &untyped), kErrInvalidCall);
  const Light light = WhiteLight();
  EXPECT_EQ(device_.SetLight(kMaxLights, &light), kErrInvalidCall);
  EXPECT_EQ(device_.LightEnable(kMaxLights, 1), kErrInvalidCall);

  PresentParameters noDepth;
  noDepth.swapEffect = kSwapEffectDiscard;
  GraphicsDevice flipping(noDepth);
  EXPECT_EQ(flipping.RenderState(kRsZEnable), 0u);
  EXPECT_EQ(flipping.Clear(0, nullptr, kClearZBuffer, 0, 1.0f, 0), kErrInvalidCall);
  EXPECT_EQ(flipping.Present(&rect, nullptr, nullptr, nullptr), kErrInvalidCall);
  EXPECT_EQ(flipping.Present(nullptr, nullptr, nullptr, nullptr), kOk);
}

TEST_F(FrameRecording, LinesKeepTheirSettingsAndRefuseBadOnes) {
  const Vector2 points[] = {{0, 0}, {8, 0}, {8, 8}};
  EXPECT_EQ(line_->SetWidth(0), kErrInvalidCall);
  EXPECT_EQ(line_->SetPatternScale(-1), kErrInvalidCall);
  EXPECT_EQ(line_->GetWidth(), 1.0f);
  EXPECT_EQ(line_->End(), kErrInvalidCall);
  device_.BeginScene();
  EXPECT_EQ(line_->Begin(), kOk);
  EXPECT_EQ(line_->Begin(), kErrInvalidCall);
  EXPECT_EQ(line_->Draw(points, 1, 0xFFFFFFFF), kErrInvalidCall);
  EXPECT_EQ(line_->Draw(nullptr, 3, 0xFFFFFFFF), kErrInvalidCall);
  line_->SetPatternScale(2);
  EXPECT_EQ(line_->Draw(points, 3, 0xFFFFFFFF), kOk);
  EXPECT_EQ(line_->End(), kOk);
  line_->OnLostDevice();
  EXPECT_EQ(line_->Begin(), kErrInvalidCall);
  EXPECT_EQ(line_->Draw(points, 2, 0xFFFFFFFF), kErrInvalidCall);
  line_->OnResetDevice();
  device_.EndScene();
  device_.Present(nullptr, nullptr, nullptr, nullptr);

  const auto lines = device_.LatestFrame()->ItemsOf<LineItem>();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->points.size(), 3u);
  EXPECT_EQ(lines[0]->patternScale, 2.0f);
}

TEST_F(FrameRecording, TextIsMeasuredOrDrawnAsAsked) {
  device_.BeginScene();
  PixelRect rect{10, 20, 500, 500};
  EXPECT_EQ(font_->DrawText(nullptr, u"abc\ndefgh", -1, &rect, kDtCalcRect, 0xFFFFFFFF), 60);
  EXPECT_EQ(rect.right, 10 + 5 * 10);  // longest line times the character width
  EXPECT_EQ(rect.bottom, 20 + 60);
  EXPECT_EQ(font_->DrawText(nullptr, u"abcdef", 3, &rect, 0, 0xFFFFFFFF), 30);
  int dummy = 0;
  EXPECT_EQ(font_->DrawText(&dummy, u"sprite", -1, &rect, 0, 0xFFFFFFFF), 0);
  EXPECT_EQ(font_->DrawText(nullptr, u"no rect", -1, nullptr, 0, 0xFFFFFFFF), 0);
  font_->OnLostDevice();
  EXPECT_EQ(font_->DrawText(nullptr, u"lost", -1, &rect, 0, 0xFFFFFFFF), 0);
  font_->OnResetDevice();
  device_.EndScene();
  device_.Present(nullptr, nullptr, nullptr, nullptr);

  const auto texts = device_.LatestFrame()->ItemsOf<TextItem>();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->text, u"abc");
}

}  // namespace
}  // namespace tf
