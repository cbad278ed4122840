#pragma once
// Pairs of atoms close enough to be bonded: nearer than kBondReachFactor
// times the distance parameter of their two AtomTypes. Found with a cell
// grid, so the work grows with the atoms and their close neighbours rather
// than with all pairs.

#include <cstdint>
#include <vector>

#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"

namespace tf {

inline constexpr double kBondReachFactor = 1.2;
// Atoms nearer than this (Angstrom) lie on one another: no bond is that short
// (H-H is 0.74), so such a pair is a fault of the file, never a candidate.
inline constexpr double kShortestBond = 0.5;

// Two atoms within reach, first < second. Kept to 8 bytes: atoms piled on
// one another (a file with every coordinate 0) give millions of pairs.
struct ReachPair {
  float squaredDistance;  // Angstrom^2
  uint16_t first;
  uint16_t second;
};
static_assert(kMaxAtoms <= 65536, "atom indices must fit ReachPair");

// Every pair of atoms in use whose distance is below kBondReachFactor times
// BondDistanceParameter(type of first, type of second) and at least
// kShortestBond apart, nearest first, equal
// distances in index order. A pair whose parameter is 0 (or not a positive
// number) is never within reach, nor is an atom whose coordinates are not
// finite. Reads the atoms: while a worker may move them, hold modelLock.
std::vector<ReachPair> PairsWithinBondReach(const Document& document,
                                            const ForceFieldTables& tables);

}  // namespace tf
