#pragma once
// The cylinder mesh used for bonds.

#include <cstdint>

namespace tf {

class GraphicsDevice;
class Mesh;

// A cylinder along the z axis from z = -length/2 (radius1) to +length/2
// (radius2), made of `slices` around and `stacks` along, closed by flat caps.
// Vertex format position and normal. Vertices: the bottom centre, the bottom
// cap ring, stacks + 1 side rings, the top cap ring, the top centre; each ring
// starts on +y and runs clockwise seen from +z. Faces: the bottom cap, the side
// quads as triangle pairs, the top cap; every face is wound so that its
// normal by the cross product (b - a) x (c - a) points outward.
// Fails with kErrInvalidCall for negative sizes, fewer than 2 slices or
// 1 stack, or more vertices than 16-bit indices reach; `*mesh` is null then.
long CreateCylinder(GraphicsDevice* device, float radius1, float radius2, float length,
                    uint32_t slices, uint32_t stacks, Mesh** mesh);

}  // namespace tf
