#include "view/Direct3D.h"

#include "view/CreationFailures.h"
#include "view/GraphicsDevice.h"

namespace tf {

long Direct3D::CreateDevice(uint32_t adapter, uint32_t deviceType, void* /*focusWindow*/,
                            uint32_t /*behaviorFlags*/, PresentParameters* parameters,
                            GraphicsDevice** device) {
  if (device == nullptr) return kErrInvalidCall;
  *device = nullptr;
  if (parameters == nullptr || adapter != kAdapterDefault || deviceType != kDeviceTypeHal)
    return kErrInvalidCall;
  if (CreationFails(CreationKind::kDevice)) return kErrNotAvailable;
  if (parameters->backBufferFormat == kFormatUnknown)
    parameters->backBufferFormat = kFormatX8R8G8B8;
  *device = new GraphicsDevice(*parameters);
  return kOk;
}

Direct3D* Direct3DCreate9(uint32_t sdkVersion) {
  if (sdkVersion != kSdkVersion || CreationFails(CreationKind::kDirect3D)) return nullptr;
  return new Direct3D();
}

}  // namespace tf
