#pragma once
// Screen-space line drawer: polylines in back-buffer pixels with a width and a
// 32-bit stipple pattern. Each Draw records one line item in the device's frame.

#include <cstdint>

#include "view/GraphicsTypes.h"
#include "view/RefCounted.h"

namespace tf {

class GraphicsDevice;

class Line : public RefCounted {
 public:
  // Width in pixels (> 0); 1 at creation.
  long SetWidth(float width);
  float GetWidth() const { return width_; }
  // Bit i set draws the i-th pixel-step (times the scale) of each 32-step
  // period; all ones, the value at creation, is solid.
  long SetPattern(uint32_t pattern);
  uint32_t GetPattern() const { return pattern_; }
  long SetPatternScale(float scale);
  float GetPatternScale() const { return patternScale_; }
  long SetAntialias(bool antialias);

  // A batch is optional: Draw works inside or outside Begin/End.
  long Begin();
  // One polyline through `count` (>= 2) points in colour 0xAARRGGBB.
  long Draw(const Vector2* points, uint32_t count, uint32_t color);
  long End();

  // Before and after a device Reset; between them Begin and Draw fail.
  long OnLostDevice();
  long OnResetDevice();

 private:
  friend long CreateLine(GraphicsDevice*, Line**);
  explicit Line(GraphicsDevice* device);
  ~Line() override;

  GraphicsDevice* device_;
  float width_ = 1.0f;
  uint32_t pattern_ = 0xFFFFFFFFu;
  float patternScale_ = 1.0f;
  bool antialias_ = false;
  bool inBatch_ = false;
  bool lost_ = false;
};

long CreateLine(GraphicsDevice* device, Line** line);

}  // namespace tf
