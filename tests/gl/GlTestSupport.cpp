#include "GlTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "view/Resources.h"
#include "view/XMeshLoader.h"

namespace tf::test {

namespace {

// Position, normal and texture coordinates, as the grid plane lays them out.
struct TexturedVertex {
  Vector3 position, normal;
  float u, v;
};
struct ColoredVertex {
  Vector3 position, normal;
  uint32_t color;
};

// Corners top-left, top-right, bottom-right, bottom-left; two counter-clockwise triangles.
constexpr uint16_t kSquareIndices[6] = {0, 3, 2, 0, 2, 1};

template <typename Vertex>
Ref<Mesh> MakeMesh(GraphicsDevice& device, uint32_t fvf, const Vertex (&vertices)[4]) {
  Mesh* mesh = nullptr;
  EXPECT_EQ(CreateMeshFVF(2, 4, kMeshManaged, fvf, &device, &mesh), kOk);
  if (mesh == nullptr) return nullptr;
  void* data = nullptr;
  mesh->LockVertexBuffer(0, &data);
  std::memcpy(data, vertices, sizeof vertices);
  mesh->UnlockVertexBuffer();
  mesh->LockIndexBuffer(0, &data);
  std::memcpy(data, kSquareIndices, sizeof kSquareIndices);
  mesh->UnlockIndexBuffer();
  return Ref<Mesh>(mesh);
}

}  // namespace

Rgb ColorAt(const RgbaImage& image, int x, int y) {
  const uint8_t* p = image.At(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
  return {p[0], p[1], p[2]};
}

Rgb ColorAtCorner(const RgbaImage& image, int x, int y) {
  Rgb sum{0, 0, 0};
  for (int dy : {-1, 0})
    for (int dx : {-1, 0}) {
      const Rgb c = ColorAt(image, x + dx, y + dy);
      sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
    }
  return {(sum.r + 2) / 4, (sum.g + 2) / 4, (sum.b + 2) / 4};
}

::testing::AssertionResult ColorNear(Rgb actual, Rgb expected, int tolerance) {
  if (std::abs(actual.r - expected.r) <= tolerance &&
      std::abs(actual.g - expected.g) <= tolerance && std::abs(actual.b - expected.b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "colour (" << actual.r << ", " << actual.g << ", " << actual.b << "), expected ("
         << expected.r << ", " << expected.g << ", " << expected.b << ")";
}

::testing::AssertionResult ColorNear(const RgbaImage& image, int x, int y, Rgb expected,
                                     int tolerance) {
  if (x < 0 || y < 0 || static_cast<uint32_t>(x) >= image.width ||
      static_cast<uint32_t>(y) >= image.height)
    return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is outside the image";
  return ColorNear(ColorAt(image, x, y), expected, tolerance) << " at (" << x << ", " << y << ")";
}

bool IsBackground(const RgbaImage& image, int x, int y) {
  return ColorNear(image, x, y, kBackground, 1);
}

int LitChannel(float c) {
  return static_cast<int>(std::lround(255 * c * (64.0 / 255 + 1 / std::sqrt(3.0))));
}

int AmbientChannel(float c) {
  return static_cast<int>(std::lround(255 * c * (64.0 / 255)));
}

std::vector<uint8_t> MakeBmp(uint32_t width, uint32_t height, const std::vector<uint32_t>& rgb) {
  const uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
  const uint32_t size = 54 + rowBytes * height;
  std::vector<uint8_t> bmp(size, 0);
  auto put = [&](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp[at + i] = static_cast<uint8_t>(value >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, width, 4);
  put(22, height, 4);  // positive: rows stored from the bottom
  put(26, 1, 2);
  put(28, 24, 2);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x)
      put(54 + (height - 1 - y) * rowBytes + x * 3, rgb[y * width + x], 3);
  return bmp;
}

Ref<Mesh> MakeSquare(GraphicsDevice& device, float half, float u0, float v0, float u1, float v1) {
  const Vector3 n{0, 0, 1};
  const TexturedVertex vertices[4] = {{{-half, half, 0}, n, u0, v0},
                                      {{half, half, 0}, n, u1, v0},
                                      {{half, -half, 0}, n, u1, v1},
                                      {{-half, -half, 0}, n, u0, v1}};
  return MakeMesh(device, kFvfXyz | kFvfNormal | kFvfTex1, vertices);
}

Ref<Mesh> MakeColoredSquare(GraphicsDevice& device, float half, uint32_t color) {
  const Vector3 n{0, 0, 1};
  const ColoredVertex vertices[4] = {{{-half, half, 0}, n, color},
                                     {{half, half, 0}, n, color},
                                     {{half, -half, 0}, n, color},
                                     {{-half, -half, 0}, n, color}};
  return MakeMesh(device, kFvfXyz | kFvfNormal | kFvfDiffuse, vertices);
}

void GlScene::SetUpScene(uint32_t width, uint32_t height) {
  std::string error;
  offscreen_ = OffscreenRenderer::Create(&error);
  ASSERT_NE(offscreen_, nullptr) << error;

  PresentParameters parameters;
  parameters.windowed = 1;
  parameters.swapEffect = kSwapEffectCopy;
  parameters.enableAutoDepthStencil = 1;
  parameters.autoDepthStencilFormat = kFormatD16;
  parameters.backBufferWidth = width;
  parameters.backBufferHeight = height;
  device_ = std::make_unique<GraphicsDevice>(parameters);

  Light light;
  light.type = kLightDirectional;
  light.diffuse = {1, 1, 1, 1};
  light.specular = {1, 1, 1, 1};
  const Vector3 direction{1, -1, -1};
  Vec3Normalize(&light.direction, &direction);
  device_->SetLight(0, &light);
  device_->LightEnable(0, 1);
  const Vector3 eye{0, 0, 20}, at{0, 0, 0}, up{0, 1, 0};
  Matrix view, projection;
  MatrixLookAtRH(&view, &eye, &at, &up);
  MatrixOrthoRH(&projection, static_cast<float>(width) / kPixelsPerUnit,
                static_cast<float>(height) / kPixelsPerUnit, -200, 200);
  device_->SetTransform(kTsView, &view);
  device_->SetTransform(kTsProjection, &projection);
  device_->SetRenderState(kRsAmbient, 0xFF404040);
  device_->SetRenderState(kRsLighting, 1);
  device_->SetRenderState(kRsZEnable, 1);
  device_->SetRenderState(kRsCullMode, kCullCw);
  device_->SetRenderState(kRsAlphaBlendEnable, 1);
  device_->SetRenderState(kRsSrcBlend, kBlendSrcAlpha);
  device_->SetRenderState(kRsDestBlend, kBlendInvSrcAlpha);
  device_->SetSamplerState(0, kSampMinFilter, kTexfLinear);
  device_->SetSamplerState(0, kSampMagFilter, kTexfLinear);
  SetWorld(1);
  SetMaterial(1, 1, 1);
}

void GlScene::TearDown() {
  // Frames hold no device objects, but meshes and textures made by a test
  // must be gone before the device; tests release theirs in their own scope.
  device_.reset();
  offscreen_.reset();
}

std::shared_ptr<const Frame> GlScene::Record(const std::function<void()>& draw,
                                             const PixelRect* source, const PixelRect* dest) {
  device_->Clear(0, nullptr, kClearTarget | kClearZBuffer, 0x00202020, 1.0f, 0);
  device_->BeginScene();
  draw();
  device_->EndScene();
  device_->Present(source, dest, nullptr, nullptr);
  return device_->LatestFrame();
}

RgbaImage GlScene::Render(const Frame& frame) {
  RgbaImage image;
  std::string error;
  EXPECT_TRUE(offscreen_->Render(frame, &image, &error)) << error;
  return image;
}

void GlScene::SetWorld(float scale, float x, float y, float z) {
  Matrix scaling, translation, world;
  MatrixScaling(&scaling, scale, scale, scale);
  MatrixTranslation(&translation, x, y, z);
  device_->SetTransform(kTsWorld, MatrixMultiply(&world, &scaling, &translation));
}

void GlScene::SetMaterial(float r, float g, float b, float a) {
  Material material;
  material.diffuse = {r, g, b, a};
  material.ambient = {r, g, b, a};
  device_->SetMaterial(&material);
}

Ref<Mesh> GlScene::LoadSphere() {
  Mesh* mesh = nullptr;
  EXPECT_EQ(LoadMeshFromXResource(kSphereMeshName, kSphereMeshType, kMeshManaged, device_.get(),
                                  nullptr, &mesh),
            kOk);
  return Ref<Mesh>(mesh);
}

Ref<Texture> GlScene::LoadTexture(int resource) {
  Texture* texture = nullptr;
  EXPECT_EQ(CreateTextureFromResource(device_.get(), resource, &texture), kOk);
  return Ref<Texture>(texture);
}

Ref<Line> GlScene::MakeLine() {
  Line* line = nullptr;
  EXPECT_EQ(CreateLine(device_.get(), &line), kOk);
  return Ref<Line>(line);
}

Ref<Font> GlScene::MakeOverlayFont() {
  Font* font = nullptr;
  EXPECT_EQ(CreateFont(device_.get(), 30, 10, 400, 0, false, 1, 0, 0, 48, u"Arial", &font), kOk);
  return Ref<Font>(font);
}

}  // namespace tf::test
