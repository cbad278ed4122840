#pragma once
// Graphics objects the store owns: created once at start-up, released at shutdown.

#include <functional>

namespace tf {

class GraphicsDevice;

struct GraphicsObjects {
  GraphicsDevice* device = nullptr;  // null until the device exists
  // Rebuilds the background grid at the camera's current spacing; set by the
  // scene renderer, empty until then.
  std::function<void()> rebuildGrid;
};

}  // namespace tf
