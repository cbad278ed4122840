#pragma once
// The recording graphics device: keeps the call structure of an immediate-mode
// device but records frames instead of drawing pixels. Between BeginScene and
// Present it collects clears, mesh draws (with the state they resolve to),
// lines and texts; Present publishes them as the latest Frame and calls the
// present callback, which a display uses to schedule a replay.
//
// Threads: callers serialise every call except LatestFrame and
// SetPresentCallback (the view resources' renderLock does this); those two may be
// called from any thread.

#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <mutex>

#include "base/Math.h"
#include "view/Frame.h"
#include "view/GraphicsTypes.h"
#include "view/RefCounted.h"

namespace tf {

class Texture;

// Transform slots, numbered like the classic device's.
enum TransformStateType : int32_t { kTsView = 2, kTsProjection = 3, kTsWorld = 256 };

// Whether the device can draw: a display marks it lost while its window cannot
// be shown and not-reset once it can be restored by Reset.
enum class CooperativeLevel { kUsable, kLost, kNotReset };

class GraphicsDevice : public RefCounted {
 public:
  // A usable device with a copy swap effect and a 16-bit depth buffer.
  GraphicsDevice();
  explicit GraphicsDevice(const PresentParameters& parameters);
  // Public so that tests may keep a device on the stack; such a device must
  // not be Released by its owner.
  ~GraphicsDevice() override;

  // 0 when usable, kErrDeviceNotReset when Reset would restore it, and
  // kErrDeviceLost while it cannot be restored yet.
  long TestCooperativeLevel() const;
  void SetCooperativeLevel(CooperativeLevel level);

  // Restores a not-reset (or usable) device with new parameters: back-buffer
  // sizes of 0 take the client size, and the resolved values are written back.
  // Every device state returns to its default and an unpresented frame is
  // dropped. Fails with kErrDeviceLost while lost, and with kErrInvalidCall
  // (leaving the device not-reset) while a font or line has not been told the
  // device is lost.
  long Reset(PresentParameters* parameters);
  // Client size of the window the device presents to, in pixels. A device
  // whose back buffer has no size yet takes this one at once.
  void SetClientSize(uint32_t width, uint32_t height);
  const PresentParameters& Parameters() const { return parameters_; }

  long Clear(uint32_t rectCount, const PixelRect* rects, uint32_t flags, uint32_t color, float z,
             uint32_t stencil);
  long BeginScene();
  long EndScene();
  // Publishes what was recorded since the previous Present. Rectangles need
  // the copy swap effect; null means the whole back buffer or window. The
  // override window and dirty region are accepted and ignored. While the
  // device is not usable nothing is published and kErrDeviceLost is returned.
  long Present(const PixelRect* sourceRect, const PixelRect* destRect, void* destWindowOverride,
               const void* dirtyRegion);

  // Stores the matrix as the current transform of the slot; 0 on success.
  long SetTransform(TransformStateType state, const Matrix* matrix);
  const Matrix& Transform(TransformStateType state) const;
  long SetLight(uint32_t index, const Light* light);
  long LightEnable(uint32_t index, int32_t enable);
  long SetMaterial(const Material* material);
  long SetRenderState(uint32_t state, uint32_t value);
  long SetSamplerState(uint32_t sampler, uint32_t type, uint32_t value);
  // Null sets no texture. The stage keeps the texture's pixels, not the object.
  long SetTexture(uint32_t stage, const Texture* texture);
  long SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value);

  // Current state; out-of-range arguments read as defaults (zero, null, false).
  Light LightAt(uint32_t index) const;
  bool LightEnabled(uint32_t index) const;
  const Material& CurrentMaterial() const { return material_; }
  uint32_t RenderState(uint32_t state) const;
  uint32_t SamplerState(uint32_t sampler, uint32_t type) const;
  uint32_t TextureStageState(uint32_t stage, uint32_t type) const;
  std::shared_ptr<const TextureImage> TextureAt(uint32_t stage) const;
  bool InScene() const { return inScene_; }

  // The most recently presented frame, or null before the first.
  std::shared_ptr<const Frame> LatestFrame() const;
  // Called after each published frame, on the presenting thread.
  void SetPresentCallback(std::function<void()> callback);

 private:
  friend class Mesh;
  friend class Font;
  friend class Line;

  // Draw recording for meshes, lines and fonts. Outside a scene they fail
  // with kErrInvalidCall; while the device is not usable they succeed and
  // record nothing.
  long RecordMesh(std::shared_ptr<const MeshGeometry> geometry, uint32_t subset);
  long RecordScreenItem(DrawItem item);  // a line or a text
  // Fonts and lines hold state a Reset would invalidate; they register while
  // they hold it.
  void AddDeviceDependent(int delta) { deviceDependents_ += delta; }

  void ResetState();
  void ResolveBackBufferSize(PresentParameters& parameters) const;

  PresentParameters parameters_;
  uint32_t clientWidth_ = 0;
  uint32_t clientHeight_ = 0;
  CooperativeLevel level_ = CooperativeLevel::kUsable;
  bool inScene_ = false;
  int deviceDependents_ = 0;

  Matrix view_;
  Matrix projection_;
  Matrix world_;
  std::array<Light, kMaxLights> lights_;
  std::bitset<kMaxLights> lightEnabled_;
  Material material_;
  RenderStates renderStates_;
  SamplerStates samplerStates_;
  TextureStageStates textureStageStates_;
  std::array<std::shared_ptr<const TextureImage>, kMaxTextureStages> textures_;
  bool stateChanged_ = true;  // the pending frame's last DrawState is out of date

  Frame pending_;
  uint64_t presentedCount_ = 0;

  mutable std::mutex publishLock_;  // guards latest_ and presentCallback_
  std::shared_ptr<const Frame> latest_;
  std::function<void()> presentCallback_;
};

}  // namespace tf
