#pragma once
// Adding, deleting and dragging atoms. An edit that breaks a rule silently
// does nothing. Each takes modelLock for the whole change, so a shaping step
// or a frame never sees a half-changed store: never call them while holding it.

#include <cstdint>

namespace tf {

struct MoleculeStore;

// Appends an unselected, unbonded atom at world (x, y, z) of the first loaded
// AtomType of ChemicalType k, named by the ChemicalType's symbol, fragment
// "A". Nothing is added at kMaxAtoms atoms, or when no loaded AtomType
// belongs to k.
void AddAtom(MoleculeStore& store, float x, float y, float z, int32_t k);

// AddAtom at the world point under client pixel (px, py), in the plane z = 0.
void AddAtomAtScreenPoint(MoleculeStore& store, int32_t px, int32_t py, int32_t k);

// Removes atom i and its bonds; the last atom moves into slot i and the bonds
// naming it are renumbered, each keeping its order. i past the atoms in use
// (including -1, "no atom") does nothing.
void DeleteAtom(MoleculeStore& store, uint32_t i);

// Deletes every selected atom; afterwards nothing is selected.
void DeleteSelectedAtoms(MoleculeStore& store);

// Moves the selected atoms in the screen plane by a mouse movement of
// (dx, dy) pixels, so they follow the pointer; z is unchanged.
void MoveSelectedAtoms(MoleculeStore& store, int32_t dx, int32_t dy);

}  // namespace tf
