#pragma once
// The graphics objects the view draws with: created once at start-up,
// released at shutdown. Pointers are null until their object exists.

#include <mutex>

#include "view/GraphicsTypes.h"
#include "view/Grid.h"

namespace tf {

class Direct3D;
class GraphicsDevice;
class Font;
class Line;
class Mesh;
class Texture;

struct ViewResources {
  Direct3D* direct3d = nullptr;
  GraphicsDevice* device = nullptr;
  Font* font = nullptr;                 // overlay text
  Line* line = nullptr;                 // wireframe bonds and selection outlines
  Mesh* sphereMesh = nullptr;           // unit sphere for atoms
  Mesh* cylinderMesh = nullptr;         // unit cylinder for bonds
  Texture* selectionTexture = nullptr;  // marks selected atoms
  Light light;                          // the single directional light
  Material atomMaterial;                // rewritten for each atom and bond half
  PresentParameters presentParameters;  // kept for every device reset
  Grid grid;                            // the background grid and axis strips

  // Guards the device and everything above, and the view state a frame
  // reads. Any thread may draw while holding it; it may be held while taking
  // the document's modelLock, never the reverse.
  std::recursive_mutex renderLock;
};

}  // namespace tf
