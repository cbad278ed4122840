#include "view/GraphicsDevice.h"

#include <utility>

#include "view/Texture.h"

namespace tf {

namespace {

PresentParameters DefaultParameters() {
  PresentParameters parameters;
  parameters.windowed = 1;
  parameters.swapEffect = kSwapEffectCopy;
  parameters.enableAutoDepthStencil = 1;
  parameters.autoDepthStencilFormat = kFormatD16;
  return parameters;
}

bool HasStencil(uint32_t depthFormat) {
  return depthFormat == 73 || depthFormat == 75 || depthFormat == 79;  // D15S1, D24S8, D24X4S4
}

}  // namespace

GraphicsDevice::GraphicsDevice() : GraphicsDevice(DefaultParameters()) {}

GraphicsDevice::GraphicsDevice(const PresentParameters& parameters) : parameters_(parameters) {
  ResetState();
}

GraphicsDevice::~GraphicsDevice() = default;

long GraphicsDevice::TestCooperativeLevel() const {
  switch (level_) {
    case CooperativeLevel::kUsable:
      return kOk;
    case CooperativeLevel::kNotReset:
      return kErrDeviceNotReset;
    case CooperativeLevel::kLost:
      break;
  }
  return kErrDeviceLost;
}

void GraphicsDevice::SetCooperativeLevel(CooperativeLevel level) {
  level_ = level;
}

void GraphicsDevice::SetClientSize(uint32_t width, uint32_t height) {
  clientWidth_ = width;
  clientHeight_ = height;
  // A device made before it knew its window takes the client size now.
  if (parameters_.backBufferWidth == 0 && parameters_.backBufferHeight == 0)
    ResolveBackBufferSize(parameters_);
}

void GraphicsDevice::ResolveBackBufferSize(PresentParameters& parameters) const {
  if (parameters.backBufferWidth == 0) parameters.backBufferWidth = clientWidth_;
  if (parameters.backBufferHeight == 0) parameters.backBufferHeight = clientHeight_;
  if (parameters.backBufferFormat == kFormatUnknown) parameters.backBufferFormat = kFormatX8R8G8B8;
}

long GraphicsDevice::Reset(PresentParameters* parameters) {
  if (parameters == nullptr) return kErrInvalidCall;
  if (level_ == CooperativeLevel::kLost) return kErrDeviceLost;
  if (deviceDependents_ > 0) {
    level_ = CooperativeLevel::kNotReset;
    return kErrInvalidCall;
  }
  ResolveBackBufferSize(*parameters);
  parameters_ = *parameters;
  ResetState();
  level_ = CooperativeLevel::kUsable;
  return kOk;
}

void GraphicsDevice::ResetState() {
  MatrixIdentity(&view_);
  MatrixIdentity(&projection_);
  MatrixIdentity(&world_);
  lights_ = {};
  lightEnabled_.reset();
  material_ = {};
  renderStates_ = DefaultRenderStates(parameters_.enableAutoDepthStencil != 0);
  samplerStates_ = DefaultSamplerStates();
  textureStageStates_ = DefaultTextureStageStates();
  textures_ = {};
  stateChanged_ = true;
  inScene_ = false;
  pending_ = Frame{};
}

long GraphicsDevice::Clear(uint32_t rectCount, const PixelRect* rects, uint32_t flags,
                           uint32_t color, float z, uint32_t stencil) {
  if (rectCount > 0 && rects == nullptr) return kErrInvalidCall;
  const uint32_t known = kClearTarget | kClearZBuffer | kClearStencil;
  if (flags == 0 || (flags & ~known) != 0) return kErrInvalidCall;
  if ((flags & kClearZBuffer) && !parameters_.enableAutoDepthStencil) return kErrInvalidCall;
  if ((flags & kClearStencil) && !HasStencil(parameters_.autoDepthStencilFormat))
    return kErrInvalidCall;
  if (!(z >= 0.0f && z <= 1.0f)) return kErrInvalidCall;
  if (level_ != CooperativeLevel::kUsable) return kOk;
  ClearItem item{std::vector<PixelRect>(rects, rects + rectCount), flags, color, z, stencil};
  pending_.items.emplace_back(std::move(item));
  return kOk;
}

long GraphicsDevice::BeginScene() {
  if (inScene_) return kErrInvalidCall;
  inScene_ = true;
  return kOk;
}

long GraphicsDevice::EndScene() {
  if (!inScene_) return kErrInvalidCall;
  inScene_ = false;
  return kOk;
}

long GraphicsDevice::Present(const PixelRect* sourceRect, const PixelRect* destRect,
                             void* /*destWindowOverride*/, const void* /*dirtyRegion*/) {
  if (inScene_) return kErrInvalidCall;
  if ((sourceRect || destRect) && parameters_.swapEffect != kSwapEffectCopy) return kErrInvalidCall;
  if (level_ != CooperativeLevel::kUsable) {
    pending_ = Frame{};
    stateChanged_ = true;
    return kErrDeviceLost;
  }
  auto frame = std::make_shared<Frame>(std::move(pending_));
  pending_ = Frame{};
  stateChanged_ = true;
  frame->number = ++presentedCount_;
  frame->backBufferWidth = parameters_.backBufferWidth;
  frame->backBufferHeight = parameters_.backBufferHeight;
  if (sourceRect) frame->sourceRect = *sourceRect;
  if (destRect) frame->destRect = *destRect;

  std::function<void()> callback;
  {
    std::lock_guard<std::mutex> lock(publishLock_);
    latest_ = std::move(frame);
    callback = presentCallback_;
  }
  if (callback) callback();
  return kOk;
}

std::shared_ptr<const Frame> GraphicsDevice::LatestFrame() const {
  std::lock_guard<std::mutex> lock(publishLock_);
  return latest_;
}

void GraphicsDevice::SetPresentCallback(std::function<void()> callback) {
  std::lock_guard<std::mutex> lock(publishLock_);
  presentCallback_ = std::move(callback);
}

long GraphicsDevice::SetTransform(TransformStateType state, const Matrix* matrix) {
  if (matrix == nullptr) return kErrInvalidCall;
  switch (state) {
    case kTsView:
      view_ = *matrix;
      stateChanged_ = true;
      return kOk;
    case kTsProjection:
      projection_ = *matrix;
      stateChanged_ = true;
      return kOk;
    case kTsWorld:
      world_ = *matrix;
      return kOk;
  }
  return kErrInvalidCall;
}

const Matrix& GraphicsDevice::Transform(TransformStateType state) const {
  switch (state) {
    case kTsView:
      return view_;
    case kTsProjection:
      return projection_;
    default:
      return world_;
  }
}

long GraphicsDevice::SetLight(uint32_t index, const Light* light) {
  if (light == nullptr || index >= kMaxLights) return kErrInvalidCall;
  if (light->type < kLightPoint || light->type > kLightDirectional) return kErrInvalidCall;
  lights_[index] = *light;
  stateChanged_ = true;
  return kOk;
}

long GraphicsDevice::LightEnable(uint32_t index, int32_t enable) {
  if (index >= kMaxLights) return kErrInvalidCall;
  // Enabling a light that was never set gives it the default: white, from above.
  if (enable && lights_[index].type == 0) {
    Light light;
    light.type = kLightDirectional;
    light.diffuse = {1, 1, 1, 0};
    light.direction = {0, 0, 1};
    lights_[index] = light;
  }
  lightEnabled_[index] = enable != 0;
  stateChanged_ = true;
  return kOk;
}

long GraphicsDevice::SetMaterial(const Material* material) {
  if (material == nullptr) return kErrInvalidCall;
  material_ = *material;
  return kOk;
}

long GraphicsDevice::SetRenderState(uint32_t state, uint32_t value) {
  if (state >= kRenderStateCount) return kErrInvalidCall;
  renderStates_[state] = value;
  stateChanged_ = true;
  return kOk;
}

long GraphicsDevice::SetSamplerState(uint32_t sampler, uint32_t type, uint32_t value) {
  if (sampler >= kMaxSamplers || type >= kSamplerStateCount) return kErrInvalidCall;
  samplerStates_[sampler][type] = value;
  stateChanged_ = true;
  return kOk;
}

long GraphicsDevice::SetTexture(uint32_t stage, const Texture* texture) {
  if (stage >= kMaxTextureStages) return kErrInvalidCall;
  textures_[stage] = texture ? texture->Image() : nullptr;
  return kOk;
}

long GraphicsDevice::SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
  if (stage >= kMaxTextureStages || type >= kTextureStageStateCount) return kErrInvalidCall;
  textureStageStates_[stage][type] = value;
  stateChanged_ = true;
  return kOk;
}

Light GraphicsDevice::LightAt(uint32_t index) const {
  return index < kMaxLights ? lights_[index] : Light{};
}

bool GraphicsDevice::LightEnabled(uint32_t index) const {
  return index < kMaxLights && lightEnabled_[index];
}

uint32_t GraphicsDevice::RenderState(uint32_t state) const {
  return state < kRenderStateCount ? renderStates_[state] : 0;
}

uint32_t GraphicsDevice::SamplerState(uint32_t sampler, uint32_t type) const {
  return sampler < kMaxSamplers && type < kSamplerStateCount ? samplerStates_[sampler][type] : 0;
}

uint32_t GraphicsDevice::TextureStageState(uint32_t stage, uint32_t type) const {
  return stage < kMaxTextureStages && type < kTextureStageStateCount
             ? textureStageStates_[stage][type]
             : 0;
}

std::shared_ptr<const TextureImage> GraphicsDevice::TextureAt(uint32_t stage) const {
  return stage < kMaxTextureStages ? textures_[stage] : nullptr;
}

long GraphicsDevice::RecordMesh(std::shared_ptr<const MeshGeometry> geometry, uint32_t subset) {
  if (!inScene_) return kErrInvalidCall;
  if (level_ != CooperativeLevel::kUsable) return kOk;
  if (stateChanged_ || pending_.states.empty()) {
    DrawState state{view_, projection_, {}, renderStates_, samplerStates_, textureStageStates_};
    for (uint32_t i = 0; i < kMaxLights; ++i)
      if (lightEnabled_[i]) state.lights.push_back(lights_[i]);
    pending_.states.push_back(std::move(state));
    stateChanged_ = false;
  }
  const auto stateIndex = static_cast<uint32_t>(pending_.states.size() - 1);
  pending_.items.emplace_back(
      MeshItem{std::move(geometry), subset, world_, material_, textures_[0], stateIndex});
  return kOk;
}

long GraphicsDevice::RecordScreenItem(DrawItem item) {
  if (!inScene_) return kErrInvalidCall;
  if (level_ == CooperativeLevel::kUsable) pending_.items.push_back(std::move(item));
  return kOk;
}

}  // namespace tf
