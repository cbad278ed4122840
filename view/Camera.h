#pragma once
// View state of the 3-D window: a fixed orthographic camera looking down -z,
// a pan offset and a zoom. Turning the model rewrites atom coordinates and
// accumulates the same rotation in `rotation` (used only to orient spheres).

#include <cstdint>

#include "view/Math.h"

namespace tf {

struct PixelRect {
  int32_t left, top, right, bottom;
};

struct Camera {
  Matrix rotation;
  Matrix viewMatrix;
  Matrix projectionMatrix;
  Vector3 eye;
  Vector3 defaultEye{0.0f, 0.0f, 20.0f};
  Vector3 target;
  Vector3 defaultTarget{0.0f, 0.0f, 0.0f};
  Vector3 up{0.0f, 1.0f, 0.0f};
  float viewWidth;                        // world units across the client area
  float zoom;                             // 0.2 .. 5.0
  int32_t viewportWidth, viewportHeight;  // client pixels, toolbar strip included
  PixelRect presentRect;                  // the part of the client area showing the view
  void* mainWindow;                       // opaque handle of the shell's window
};

}  // namespace tf
