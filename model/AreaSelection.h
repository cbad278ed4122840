#pragma once
// Selecting the atoms inside an area of the screen plane, given in world
// x, y (z is ignored, hidden atoms are selected too). Both add to the
// selection, in no order (the selection order stays as it was), and take
// modelLock: never call them while holding it.

#include <span>

#include "base/Math.h"

namespace tf {

struct Document;

// Atoms strictly inside the rectangle with corners a and b, in either order.
void SelectInsideRectangle(Document& document, Vector2 a, Vector2 b);

// Atoms inside the outline closed back to its first point, by the even-odd rule.
void SelectInsideOutline(Document& document, std::span<const Vector2> outline);

}  // namespace tf
