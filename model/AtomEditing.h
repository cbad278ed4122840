#pragma once
// Adding, deleting and dragging atoms. An edit that breaks a rule silently
// does nothing. Each takes modelLock for the whole change, so a shaping step
// or a frame never sees a half-changed document: never call them while holding it.

#include <cstdint>

#include "base/Math.h"

namespace tf {

struct Document;
struct ForceFieldTables;

// Appends an unselected, unbonded atom at world (x, y, z) of the first loaded
// AtomType of ChemicalType k, named by the ChemicalType's symbol, fragment
// "A". Nothing is added at kMaxAtoms atoms, or when no loaded AtomType
// belongs to k. Returns the new atom's index, or -1 when none was added.
int32_t AddAtom(Document& document, const ForceFieldTables& tables, float x, float y, float z,
                int32_t k);

// Removes atom i and its bonds; the last atom moves into slot i and the bonds
// naming it are renumbered, each keeping its order. i past the atoms in use
// (including -1, "no atom") does nothing.
void DeleteAtom(Document& document, uint32_t i);

// Deletes every selected atom; afterwards nothing is selected.
void DeleteSelectedAtoms(Document& document);

// Moves the selected atoms in the screen plane by `shift` (world x, y); z is
// unchanged.
void MoveSelectedAtoms(Document& document, Vector2 shift);

// Turns every atom about the world origin by `turn`.
void RotateAtoms(Document& document, const Matrix& turn);

}  // namespace tf
