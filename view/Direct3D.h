#pragma once
// The entry object of the graphics layer: it makes devices.

#include <cstdint>

#include "view/GraphicsTypes.h"
#include "view/RefCounted.h"

namespace tf {

class GraphicsDevice;

class Direct3D : public RefCounted {
 public:
  // A usable recording device for adapter kAdapterDefault. Back-buffer sizes
  // of 0 stay 0 until the device learns its window's client size
  // (GraphicsDevice::SetClientSize) and is Reset. Returns kErrInvalidCall for
  // bad arguments and kErrNotAvailable when creation fails; `*device` is
  // null on failure.
  long CreateDevice(uint32_t adapter, uint32_t deviceType, void* focusWindow,
                    uint32_t behaviorFlags, PresentParameters* parameters, GraphicsDevice** device);

 private:
  friend Direct3D* Direct3DCreate9(uint32_t);
  Direct3D() = default;
  ~Direct3D() override = default;
};

// Null when `sdkVersion` is not kSdkVersion or creation fails.
Direct3D* Direct3DCreate9(uint32_t sdkVersion);

}  // namespace tf
