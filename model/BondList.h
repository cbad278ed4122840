#pragma once
// Bond-list helpers shared by the editing operations. They take no lock: the
// callers hold modelLock around the whole edit.

#include <cstdint>

#include "model/Document.h"

namespace tf {

// True when `index` names an atom in use.
bool IsAtomInUse(const Document& document, int32_t index);

// Position of a bond between a and b stored in either order, or -1. The
// pair as given is looked for first.
int32_t FindBondEitherOrder(const Document& document, int32_t a, int32_t b);

// Removes the bond at `position` by moving the last bond in use into its slot.
void RemoveBondAt(Document& document, uint32_t position);

// Removes every bond naming `atom` for which keep(bond) is false. The bond
// moved into a freed slot is examined again, so none is skipped.
template <typename KeepBond>
void RemoveBondsOfAtom(Document& document, int32_t atom, KeepBond keep) {
  uint32_t position = 0;
  while (position < document.bondCount) {
    const Bond& bond = document.bonds[position];
    if ((bond.atom1 == atom || bond.atom2 == atom) && !keep(bond)) {
      RemoveBondAt(document, position);
    } else {
      ++position;
    }
  }
}

}  // namespace tf
