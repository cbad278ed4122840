#pragma once
// What must hold of a molecule after any sequence of edits.

#include "model/MoleculeStore.h"

namespace tf::test {

// Broken invariants, 0 when whole: counts past capacity, bonds naming atoms
// not in use, a selection count that disagrees with the flags. The caller
// holds modelLock while a worker may run.
int BrokenInvariants(const MoleculeStore& store);

}  // namespace tf::test
