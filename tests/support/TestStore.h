#pragma once
// A store with small hand-made force-field tables and an 800 x 600 view at
// zoom 2 (40 pixels per world unit, 20 x 15 world units, eye at the origin),
// for the editing, picking and camera tests.

#include <cstdint>
#include <memory>

#include "model/MoleculeStore.h"

namespace tf::test {

// ChemicalTypes of the test tables. kNeon has no AtomType.
enum TestChemical : int32_t { kCarbon = 0, kHydrogen = 1, kOxygen = 2, kNitrogen = 3, kNeon = 4 };

// AtomTypes of the test tables (name, ChemicalType, hybridization):
// "H" H sp0, "C3" C sp3, "C2" C sp2, "O2" O sp2, "N3" N sp3, "C1" C sp1.
// Distances exist for C3-C3, C3-C2, C2-C2, C3-H, C2-H, C2-O2, C3-O2, N3-C3,
// N3-H, C1-C3, C1-H; none for H-H, C2-N3, O2-N3 and the other pairs.
enum TestAtomType : int32_t { kH = 0, kC3 = 1, kC2 = 2, kO2 = 3, kN3 = 4, kC1 = 5 };

void FillTestTables(ForceFieldTables& tables);

// Tables filled, molecule emptied (rotation identity), viewport 800 x 600,
// view reset.
std::unique_ptr<MoleculeStore> MakeTestStore();

// Writes an atom record straight into the next slot (no rules applied) and
// returns its index.
uint32_t PutAtom(MoleculeStore& store, float x, float y, float z, int32_t atomType = kC3);

// Appends a bond as stored, in the given order.
void PutBond(MoleculeStore& store, int32_t atom1, int32_t atom2);

}  // namespace tf::test
