#pragma once
// Partial atomic charges from the built-in sigma/pi model. Only the atoms'
// charge classes and the bonds count; coordinates play no part.

#include <atomic>

#include "forcefield/ForceFieldTables.h"
#include "model/Atom.h"
#include "model/Document.h"

namespace tf {

// How the pi levels are found. Components whose pi system has at least
// lapackFromOrder centres use LAPACK's symmetric solver unless their filling
// is not unique (equal levels at its edge); the others, and those, use the
// Jacobi method. A set `cancel` is checked between components.
struct PiSolverCounts {
  int lapack = 0, jacobi = 0;  // components solved each way
};
struct ChargeOptions {
  int lapackFromOrder = 24;
  const std::atomic<bool>* cancel = nullptr;
  PiSolverCounts* counts = nullptr;
};

// Adds the charge of every atom to `charges` (count values, 0 on entry).
// classes: charge class 0..9 per atom; any class outside that range leaves
// every charge 0. The sigma stage solves one inductive system per connected
// part of the skeleton, then shares charge along every bond; the pi stage
// fills a Hueckel system per connected part, each skeleton atom with exactly
// three terminal atoms adding a group pseudo-atom. A bond's direction never
// matters, and a bond scale of 0 (or a class-9 atom carrying terminal atoms)
// contributes 0 instead of dividing by zero, so every charge is finite.
// Returns false when cancelled (the charges are then partial).
bool ComputePartialCharges(int count, const int* classes, int bondCount, const Bond* bonds,
                           double* charges, const ChargeOptions& options = {});

// Charge class of an AtomType: AtomTypes 1..10 are classes 0..9; any other
// type is charged as defaultAtomType.
int ChargeClassOf(const ForceFieldTables& tables, int32_t atomType);

// Recomputes the charge of every atom of the document (a single atom gets 0; an
// empty document is left alone). Takes modelLock while it writes the charges, so
// the caller must not hold it. Returns false, changing nothing, when cancelled.
bool RecomputeCharges(Document& document, const ForceFieldTables& tables,
                      const ChargeOptions& options = {});

}  // namespace tf
