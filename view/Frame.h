#pragma once
// A recorded frame: everything drawn between one Present and the next, in
// order, with the device state each draw resolved to. Frames are immutable once
// published and share mesh and texture data with the device by reference.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "view/Camera.h"
#include "view/DeviceStates.h"
#include "view/GraphicsTypes.h"
#include "view/MeshGeometry.h"
#include "view/TextureImage.h"

namespace tf {

// Device state shared by consecutive mesh draws; a new one is recorded only
// when something in it changes.
struct DrawState {
  Matrix view;
  Matrix projection;
  std::vector<Light> lights;  // the enabled lights, by ascending index
  RenderStates renderStates;
  SamplerStates samplerStates;
  TextureStageStates textureStageStates;
};

struct ClearItem {
  std::vector<PixelRect> rects;  // empty: the whole target
  uint32_t flags;
  uint32_t color;  // 0xAARRGGBB
  float z;
  uint32_t stencil;
};

struct MeshItem {
  std::shared_ptr<const MeshGeometry> geometry;
  uint32_t subset;
  Matrix world;
  Material material;
  std::shared_ptr<const TextureImage> texture;  // stage 0; null for none
  uint32_t stateIndex;                          // into Frame::states
};

struct LineItem {
  std::vector<Vector2> points;  // a polyline in back-buffer pixels
  uint32_t color;               // 0xAARRGGBB
  float width;
  uint32_t pattern;  // 32-bit stipple, bit 0 first; all ones is solid
  float patternScale;
  bool antialias;
};

struct TextItem {
  std::u16string text;
  PixelRect rect;
  uint32_t format;
  uint32_t color;  // 0xAARRGGBB
  FontDescription font;
};

using DrawItem = std::variant<ClearItem, MeshItem, LineItem, TextItem>;

struct Frame {
  uint64_t number = 0;  // 1 for the first frame a device presents
  uint32_t backBufferWidth = 0;
  uint32_t backBufferHeight = 0;
  std::optional<PixelRect> sourceRect;  // none: the whole back buffer
  std::optional<PixelRect> destRect;    // none: the whole window
  std::vector<DrawState> states;
  std::vector<DrawItem> items;

  // The items of one kind, in drawing order.
  template <typename Item>
  std::vector<const Item*> ItemsOf() const {
    std::vector<const Item*> found;
    for (const DrawItem& item : items)
      if (const Item* match = std::get_if<Item>(&item)) found.push_back(match);
    return found;
  }
  const DrawState& StateOf(const MeshItem& item) const { return states[item.stateIndex]; }
};

}  // namespace tf
