#pragma once
// The camera of the 3-D view: a fixed orthographic camera looking down -z,
// a pan offset and a zoom. Turning the model rewrites atom coordinates and
// accumulates the same rotation in `rotation`: spheres are oriented by it,
// and the edit history keeps its states unturned through it.

#include <cstdint>

#include "base/Math.h"

namespace tf {

struct PixelRect {
  int32_t left, top, right, bottom;
};

struct Camera {
  Matrix rotation{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};  // since start-up
  Matrix viewMatrix{};
  Matrix projectionMatrix{};
  Vector3 eye{};
  Vector3 defaultEye{0.0f, 0.0f, 20.0f};
  Vector3 target{};
  Vector3 defaultTarget{0.0f, 0.0f, 0.0f};
  Vector3 up{0.0f, 1.0f, 0.0f};
  float viewWidth = 0;                            // world units across the client area
  float zoom = 0;                                 // 0.2 .. 5.0
  int32_t viewportWidth = 0, viewportHeight = 0;  // client pixels, toolbar strip included
  PixelRect presentRect{};                        // the part of the client area showing the view
};

// The one mapping between client pixels (origin top-left, y down) and world
// x, y (Angstrom, y up). Exact because the projection is orthographic and the
// camera never turns. Results are unusable (not finite) while the viewport or
// the view width is zero; see CameraMapsPixels.

// World point under the pixel.
Vector2 ScreenToWorld(const Camera& camera, int32_t px, int32_t py);
// The same for a pixel position held as floats (the gesture points).
Vector2 PixelToWorld(const Camera& camera, float px, float py);
// World displacement of a mouse movement.
Vector2 ScreenDeltaToWorld(const Camera& camera, int32_t dx, int32_t dy);
// Client pixel position of a world point; z plays no part.
Vector2 WorldToScreen(const Camera& camera, float x, float y);

// True when the mappings give finite results: the viewport has a size and
// the zoom has set a positive view width.
bool CameraMapsPixels(const Camera& camera);

// Grid spacing in world units for the current zoom: 1/5 .. 5.
float GridStep(const Camera& camera);

}  // namespace tf
