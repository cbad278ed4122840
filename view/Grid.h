#pragma once
// The reference grid: a textured plane at z = 0 whose cells follow the zoom,
// with a red strip along +x and a green one along +y.

#include <cstdint>

#include "view/GraphicsTypes.h"

namespace tf {

class GraphicsDevice;
class Mesh;
class Texture;

struct Grid {
  GraphicsDevice* device = nullptr;
  Mesh* planeMesh = nullptr;  // 4 vertices, 2 triangles, textured
  Mesh* xAxisMesh = nullptr;  // red strip along +x
  Mesh* yAxisMesh = nullptr;  // green strip along +y
  Texture* gridTexture = nullptr;
  Material gridMaterial;
  float gridSize = 0;         // side of the plane, world units
  float axisWidthFactor = 0;  // strip width as a fraction of the spacing
  float gridStep = 0;         // current spacing, world units
};

// Makes the meshes and the texture on `device` and builds the grid at
// spacing 1. 0 on success, 1 on failure.
int CreateGrid(Grid& grid, GraphicsDevice* device);

// Rewrites the vertices for spacing `spacing`: one texture repeat per cell, a
// cell border on x = 0 and on y = 0. 0 on success, 1 when a buffer could not
// be written (the grid then keeps what it had).
int BuildGrid(Grid& grid, float spacing);

// Plane, then the two strips, with the identity world transform.
void DrawGrid(Grid& grid);

// Releases the texture, the strips and the plane, in that order.
void ReleaseGrid(Grid& grid);

}  // namespace tf
