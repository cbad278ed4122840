#pragma once
// Adding and deleting bonds, and the bond button's toggle for a selected
// pair. A bonded pair counts as bonded whichever order its bond is stored in.
// The operations that change bonds take modelLock: never call them while
// holding it. The queries read only what the window thread alone writes.

#include <cstdint>

namespace tf {

struct MoleculeStore;

// Adds the bond a-b, stored with atom1 < atom2. Returns 1 when added, 0 when
// refused: the bond list is full, a and b are already bonded (either order),
// either atom already has exactly as many bonds as its type allows, or the
// pair of types has no distance parameter. Atoms not in use and a == b are
// refused too.
int32_t AddBond(MoleculeStore& store, int32_t a, int32_t b);

// Removes the bond between a and b, stored in either order.
void DeleteBond(MoleculeStore& store, int32_t a, int32_t b);

// With exactly two atoms selected, sets first < second to their indices and
// returns 1; otherwise returns 0.
int32_t SelectedPair(const MoleculeStore& store, int32_t& first, int32_t& second);

// 1 when exactly two atoms are selected and a bond joins them, else 0.
int32_t IsSelectedPairBonded(const MoleculeStore& store);

// Bonds or unbonds the selected pair and relabels the bond button through the
// shell with what the next press will do ("Add Bond" / "Delete Bond").
// Does nothing unless exactly two atoms are selected and the change is allowed.
void ToggleBond(MoleculeStore& store);

}  // namespace tf
