#pragma once
// Finding the atom at a point of the screen plane, given in world x, y: an
// atom is there when its x, y lie strictly within its pick radius of the
// point (ModelStyle.h); z only prefers the atom nearest the viewer. Both take
// modelLock (coordinates change under shaping), so never call them while
// holding it.

#include <cstdint>

#include "base/Math.h"

namespace tf {

struct Document;
struct ForceFieldTables;

// Index of the front-most atom at world point `at` in `style`, or -1. Among
// atoms of equal z the lowest index wins.
int32_t PickAtom(Document& document, const ForceFieldTables& tables, int32_t style, Vector2 at);

// PickAtom, then selects the atom found (adding it to the selection).
// Returns its index or -1.
int32_t SelectAtomAt(Document& document, const ForceFieldTables& tables, int32_t style, Vector2 at);

}  // namespace tf
