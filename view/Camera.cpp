#include "view/Camera.h"

#include <cmath>

namespace tf {

// The arithmetic below keeps one evaluation order on purpose: pixel/world
// round trips and hit tests at the edge of a radius depend on the exact
// single-precision results.

Vector2 ScreenToWorld(const Camera& camera, int32_t px, int32_t py) {
  return PixelToWorld(camera, static_cast<float>(px), static_cast<float>(py));
}

Vector2 PixelToWorld(const Camera& camera, float px, float py) {
  const float width = static_cast<float>(camera.viewportWidth);
  const float height = static_cast<float>(camera.viewportHeight);
  Vector2 world;
  world.x = (px / width - 0.5f) * camera.viewWidth + camera.eye.x;
  world.y = camera.eye.y - (py / height - 0.5f) * camera.viewWidth / width * height;
  return world;
}

Vector2 ScreenDeltaToWorld(const Camera& camera, int32_t dx, int32_t dy) {
  const float width = static_cast<float>(camera.viewportWidth);
  const float height = static_cast<float>(camera.viewportHeight);
  Vector2 world;
  world.x = static_cast<float>(dx) / width * camera.viewWidth;
  world.y = -(static_cast<float>(dy) / height * camera.viewWidth / width * height);
  return world;
}

Vector2 WorldToScreen(const Camera& camera, float x, float y) {
  const float width = static_cast<float>(camera.viewportWidth);
  const float height = static_cast<float>(camera.viewportHeight);
  Vector2 pixel;
  pixel.x = ((x - camera.eye.x) / camera.viewWidth + 0.5f) * width;
  pixel.y = (0.5f - (y - camera.eye.y) / camera.viewWidth * width / height) * height;
  return pixel;
}

bool CameraMapsPixels(const Camera& camera) {
  return camera.viewportWidth > 0 && camera.viewportHeight > 0 && camera.viewWidth > 0.0f &&
         std::isfinite(camera.viewWidth);
}

float GridStep(const Camera& camera) {
  // std::trunc rather than a cast to int: same value for every zoom the
  // camera allows, and no overflow for a zoom that was never set.
  if (camera.zoom > 1.0f) return 1.0f / std::trunc(camera.zoom);
  return std::trunc(1.0f / camera.zoom);
}

}  // namespace tf
