#pragma once
// The program's bitmaps and icon, and its sphere mesh.

#include <string>

#include "Canvas.h"

namespace tf::resources {

inline constexpr int kSphereSegments = 16;  // around the y axis
inline constexpr int kSphereBands = 8;      // from pole to pole

// 256 x 256: black lines on white along the sphere's mesh edges in texture
// space, so a textured sphere shows its wire mesh.
Canvas SelectionImage();
// 64 x 64: one grid cell, a 2-pixel opaque black border around transparent white.
Canvas GridCellImage();
// 144 x 24: six 24 x 24 toolbar buttons on light grey.
Canvas ToolbarImage();
// 32 x 32 with alpha: a small molecule.
Canvas IconImage();
// The unit sphere in .x text format.
std::string SphereXText();

}  // namespace tf::resources
