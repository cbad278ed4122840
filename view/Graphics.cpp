#include "view/Graphics.h"

#include <algorithm>
#include <mutex>

#include "view/CameraOperations.h"
#include "view/Cylinder.h"
#include "view/Direct3D.h"
#include "view/Font.h"
#include "view/GraphicsDevice.h"
#include "view/Grid.h"
#include "view/Line.h"
#include "view/Mesh.h"
#include "view/Resources.h"
#include "view/SceneRenderer.h"
#include "view/Texture.h"
#include "view/ViewResources.h"
#include "view/ViewState.h"
#include "view/XMeshLoader.h"

namespace tf {
namespace {

constexpr uint32_t kAmbientLight = 0xFF404040u;  // grey 64

template <typename T>
void ReleaseAndClear(T*& object) {
  if (object != nullptr) object->Release();
  object = nullptr;
}

void NotifyLost(ViewResources& graphics) {
  if (graphics.font) graphics.font->OnLostDevice();
  if (graphics.line) graphics.line->OnLostDevice();
}

void NotifyReset(ViewResources& graphics) {
  if (graphics.font) graphics.font->OnResetDevice();
  if (graphics.line) graphics.line->OnResetDevice();
}

Light DirectionalLight() {
  Light light;
  light.type = kLightDirectional;
  light.diffuse = {1, 1, 1, 1};
  light.specular = {1, 1, 1, 1};
  const Vector3 direction{1.0f, -1.0f, -1.0f};
  Vec3Normalize(&light.direction, &direction);
  return light;
}

}  // namespace

int InitGraphics(ViewResources& graphics, ViewState& view, int32_t width, int32_t height,
                 int32_t toolbarHeight, std::string* cause) {
  const auto fail = [cause](const char* what) {
    if (cause != nullptr) *cause = what;
    return 1;
  };
  Camera& camera = view.camera;
  camera.viewportWidth = width;
  camera.viewportHeight = height;
  camera.presentRect = {0, toolbarHeight, width, height};
  graphics.direct3d = Direct3DCreate9(kSdkVersion);
  if (graphics.direct3d == nullptr) return fail("the graphics system");
  graphics.presentParameters = PresentParameters{};
  graphics.presentParameters.windowed = 1;
  graphics.presentParameters.swapEffect = kSwapEffectCopy;
  graphics.presentParameters.backBufferFormat = kFormatUnknown;
  graphics.presentParameters.enableAutoDepthStencil = 1;
  graphics.presentParameters.autoDepthStencilFormat = kFormatD16;
  if (graphics.direct3d->CreateDevice(kAdapterDefault, kDeviceTypeHal, nullptr,
                                      kCreateHardwareVertexProcessing, &graphics.presentParameters,
                                      &graphics.device) != kOk)
    return fail("the device");
  graphics.device->SetClientSize(static_cast<uint32_t>(std::max(width, 0)),
                                 static_cast<uint32_t>(std::max(height, 0)));
  graphics.light = DirectionalLight();
  // A frame draws text and lines, so unlike meshes these are checked too.
  if (CreateFont(graphics.device, 30, 10, 400, 0, false, 1, 0, 0, 48, u"Arial", &graphics.font) !=
      kOk)
    return fail("the font");
  if (CreateLine(graphics.device, &graphics.line) != kOk) return fail("the line");
  graphics.line->SetPatternScale(1.0f);
  if (CreateTextureFromResource(graphics.device, kSelectionBitmap, &graphics.selectionTexture) !=
      kOk)
    return fail("the selection texture");
  if (LoadMeshFromXResource(kSphereMeshName, kSphereMeshType, kMeshManaged, graphics.device,
                            nullptr, &graphics.sphereMesh) != kOk)
    return fail("the sphere mesh");
  if (CreateCylinder(graphics.device, 1.0f, 1.0f, 1.0f, 16, 1, &graphics.cylinderMesh) != kOk)
    return fail("the cylinder mesh");
  if (CreateGrid(graphics.grid, graphics.device) != 0) return fail("the grid");
  ResetView(view, graphics);
  ApplyViewSetup(graphics, view);
  return 0;
}

void ApplyDeviceState(ViewResources& graphics, const Camera& camera) {
  std::lock_guard render(graphics.renderLock);
  GraphicsDevice* device = graphics.device;
  if (device == nullptr) return;
  device->SetLight(0, &graphics.light);
  device->LightEnable(0, 1);
  device->SetTransform(kTsView, &camera.viewMatrix);
  if (camera.viewportWidth > 0 && camera.viewportHeight > 0)
    device->SetTransform(kTsProjection, &camera.projectionMatrix);
  device->SetRenderState(kRsAmbient, kAmbientLight);
  device->SetRenderState(kRsLighting, 1);
  device->SetRenderState(kRsZEnable, 1);
  device->SetRenderState(kRsCullMode, kCullCw);
  device->SetRenderState(kRsAlphaBlendEnable, 1);
  device->SetRenderState(kRsSrcBlend, kBlendSrcAlpha);
  device->SetRenderState(kRsDestBlend, kBlendInvSrcAlpha);
  device->SetSamplerState(0, kSampMinFilter, kTexfLinear);
  device->SetSamplerState(0, kSampMagFilter, kTexfLinear);
}

void ApplyViewSetup(ViewResources& graphics, ViewState& view) {
  std::lock_guard render(graphics.renderLock);
  if (graphics.device == nullptr) return;
  Camera& camera = view.camera;
  MatrixLookAtRH(&camera.viewMatrix, &camera.eye, &camera.target, &camera.up);
  // A minimised window has no size; its projection waits for a real one.
  if (camera.viewportWidth > 0 && camera.viewportHeight > 0) {
    Zoom(view, graphics, 0);
    BuildGrid(graphics.grid, GridStep(camera));
  }
  ApplyDeviceState(graphics, camera);
}

void Redraw(ViewResources& graphics, const SceneSources& sources) {
  std::lock_guard render(graphics.renderLock);
  if (graphics.device == nullptr) return;
  const long level = graphics.device->TestCooperativeLevel();
  if (level == kErrDeviceNotReset) {
    NotifyLost(graphics);
    graphics.device->Reset(&graphics.presentParameters);
    NotifyReset(graphics);
    ApplyDeviceState(graphics, sources.view.camera);
  } else if (level != kOk) {
    return;
  }
  thread_local SceneSnapshot scene;
  TakeSceneSnapshot(sources, scene);
  const Camera& camera = sources.view.camera;
  DrawFrame(scene, camera, GridStep(camera), graphics);
}

void ResizeBackBuffer(ViewResources& graphics, int32_t width, int32_t height) {
  std::lock_guard render(graphics.renderLock);
  NotifyLost(graphics);
  graphics.presentParameters.backBufferHeight = static_cast<uint32_t>(std::max(height, 0));
  graphics.presentParameters.backBufferWidth = static_cast<uint32_t>(std::max(width, 0));
  if (graphics.device) graphics.device->Reset(&graphics.presentParameters);
  NotifyReset(graphics);
}

void Resize(ViewResources& graphics, ViewState& view, int32_t width, int32_t height) {
  std::lock_guard render(graphics.renderLock);
  Camera& camera = view.camera;
  camera.viewportHeight = height;
  camera.presentRect.bottom = height;
  camera.viewportWidth = width;
  camera.presentRect.right = width;
  ResizeBackBuffer(graphics, width, height);
  ApplyViewSetup(graphics, view);
}

void ReleaseGraphics(ViewResources& graphics) {
  ReleaseAndClear(graphics.sphereMesh);
  ReleaseAndClear(graphics.cylinderMesh);
  ReleaseAndClear(graphics.selectionTexture);
  ReleaseGrid(graphics.grid);
  ReleaseAndClear(graphics.font);
  ReleaseAndClear(graphics.line);
  ReleaseAndClear(graphics.device);
  ReleaseAndClear(graphics.direct3d);
}

}  // namespace tf
