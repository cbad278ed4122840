#pragma once
// Finding the atom under the mouse pointer. Works in the plane of the screen:
// an atom is under a pixel when its x, y lie strictly within the drawn
// sphere radius of the pixel's world point; z only prefers the atom nearest
// the viewer. Both take modelLock (coordinates change under shaping), so
// never call them while holding it.

#include <cstdint>

namespace tf {

struct MoleculeStore;

// Hit radii of the atom spheres by model style, in Angstrom. Spacefill uses
// the ChemicalType radius. Wireframe draws no spheres; its radius covers the
// cross a lone atom is drawn as, so atoms can be picked there too.
inline constexpr float kWireframePickRadius = 0.3f;
inline constexpr float kSticksPickRadius = 0.3f;
inline constexpr float kBallStickPickRadius = 0.4f;

// Index of the front-most atom under client pixel (px, py), or -1. Among
// atoms of equal z the lowest index wins.
int32_t PickAtom(MoleculeStore& store, int32_t px, int32_t py);

// PickAtom, then selects the atom found (adding it to the selection).
// Returns its index or -1.
int32_t SelectAtomAt(MoleculeStore& store, int32_t px, int32_t py);

}  // namespace tf
