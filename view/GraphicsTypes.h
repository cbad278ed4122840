#pragma once
// Value types, result codes and numeric constants of the graphics layer. The
// numbers are those of the classic immediate-mode device this layer imitates,
// so call sites read the same and recorded state can be compared with it.

#include <cstdint>
#include <string>

#include "base/Math.h"

namespace tf {

// Result codes: 0 is success, every failure is negative.
inline constexpr long kOk = 0;
inline constexpr long kErrDeviceLost = static_cast<int32_t>(0x88760868u);
inline constexpr long kErrDeviceNotReset = static_cast<int32_t>(0x88760869u);
inline constexpr long kErrNotAvailable = static_cast<int32_t>(0x8876086Au);
inline constexpr long kErrInvalidCall = static_cast<int32_t>(0x8876086Cu);
inline constexpr long kErrNotFound = static_cast<int32_t>(0x88760866u);
inline constexpr long kErrInvalidData = static_cast<int32_t>(0x88760B59u);
inline constexpr long kErrOutOfMemory = static_cast<int32_t>(0x8007000Eu);

inline constexpr uint32_t kSdkVersion = 32;
inline constexpr uint32_t kAdapterDefault = 0;
inline constexpr uint32_t kDeviceTypeHal = 1;
inline constexpr uint32_t kCreateHardwareVertexProcessing = 0x40;

// Surface formats.
inline constexpr uint32_t kFormatUnknown = 0;
inline constexpr uint32_t kFormatA8R8G8B8 = 21;
inline constexpr uint32_t kFormatX8R8G8B8 = 22;
inline constexpr uint32_t kFormatD16 = 80;

inline constexpr uint32_t kSwapEffectDiscard = 1;
inline constexpr uint32_t kSwapEffectCopy = 3;

// Clear flags.
inline constexpr uint32_t kClearTarget = 0x1;
inline constexpr uint32_t kClearZBuffer = 0x2;
inline constexpr uint32_t kClearStencil = 0x4;

// Text format flags (left and top are 0).
inline constexpr uint32_t kDtLeft = 0x0;
inline constexpr uint32_t kDtTop = 0x0;
inline constexpr uint32_t kDtCenter = 0x1;
inline constexpr uint32_t kDtRight = 0x2;
inline constexpr uint32_t kDtVCenter = 0x4;
inline constexpr uint32_t kDtBottom = 0x8;
inline constexpr uint32_t kDtSingleLine = 0x20;
inline constexpr uint32_t kDtNoClip = 0x100;
inline constexpr uint32_t kDtCalcRect = 0x400;

// Vertex format bits. Components are laid out in this order: position,
// normal, diffuse colour, texture coordinates.
inline constexpr uint32_t kFvfXyz = 0x002;
inline constexpr uint32_t kFvfNormal = 0x010;
inline constexpr uint32_t kFvfDiffuse = 0x040;
inline constexpr uint32_t kFvfTex1 = 0x100;

// Mesh creation options and buffer lock flags.
inline constexpr uint32_t kMesh32Bit = 0x001;
inline constexpr uint32_t kMeshManaged = 0x220;
inline constexpr uint32_t kLockReadOnly = 0x10;
inline constexpr uint32_t kLockDiscard = 0x2000;

// Colour with float channels, 0..1 for ordinary colours.
struct ColorValue {
  float r, g, b, a;
};

struct Material {
  ColorValue diffuse{};
  ColorValue ambient{};
  ColorValue specular{};
  ColorValue emissive{};
  float power = 0;
};

enum LightType : int32_t { kLightPoint = 1, kLightSpot = 2, kLightDirectional = 3 };

struct Light {
  int32_t type = 0;  // a LightType; 0 until set
  ColorValue diffuse{};
  ColorValue specular{};
  ColorValue ambient{};
  Vector3 position{};
  Vector3 direction{};
  float range = 0;
  float falloff = 0;
  float attenuation0 = 0;
  float attenuation1 = 0;
  float attenuation2 = 0;
  float theta = 0;
  float phi = 0;
};

struct PresentParameters {
  uint32_t backBufferWidth = 0;  // 0: the window's client width
  uint32_t backBufferHeight = 0;
  uint32_t backBufferFormat = kFormatUnknown;
  uint32_t backBufferCount = 0;
  uint32_t swapEffect = 0;
  void* deviceWindow = nullptr;
  int32_t windowed = 0;
  int32_t enableAutoDepthStencil = 0;
  uint32_t autoDepthStencilFormat = kFormatUnknown;
  uint32_t flags = 0;
  uint32_t presentationInterval = 0;
};

// What a font was created with; text items carry it so a replay can pick glyphs.
struct FontDescription {
  int32_t height = 0;  // pixels
  uint32_t width = 0;  // average character width in pixels; 0 lets the height decide
  uint32_t weight = 0;
  uint32_t mipLevels = 0;
  bool italic = false;
  uint32_t charSet = 0;
  uint32_t outputPrecision = 0;
  uint32_t quality = 0;
  uint32_t pitchAndFamily = 0;
  std::u16string faceName;
};

}  // namespace tf
