#pragma once
// The molecular-mechanics energy of the document's molecule and the part of it
// that one atom takes part in. Single precision throughout; energies in the
// unit the stiffness constants imply. Callers hold modelLock while a shaping
// worker may run.

#include <cstdint>
#include <vector>

#include "base/Math.h"
#include "model/Document.h"
#include "shaping/EnergyTerms.h"
#include "shaping/PairPool.h"
#include "shaping/ShapingRun.h"

namespace tf {

struct EnergyComponents {
  float distances = 0.0f;
  float angles = 0.0f;
  float outOfPlane = 0.0f;
  float torsions = 0.0f;
  float lennardJones = 0.0f;
  float coulomb = 0.0f;
  float total = 0.0f;
};

// Every term of the molecule, all six kinds whatever the shaping-term set:
// per bond its torsions then its length; per atom its angles, its
// out-of-plane term and its non-bonded pairs with later atoms. Pairs that are
// bonded (1-2) or share a bonded atom (1-3) are excluded; all others count in
// full, without cut-off. The pair rows are shared with `pool` when given;
// the result is the same with any pool or none.
EnergyComponents ComputeEnergyComponents(const Document& document, const ForceFieldTables& tables,
                                         shaping::PairPool* pool = nullptr);

// The same terms split evenly over the atoms each involves: a distance term
// half to each atom, an angle a third, a torsion or out-of-plane term a
// quarter, a non-bonded pair half to each. The shares add up to the total.
std::vector<double> AtomEnergies(const Document& document, const ForceFieldTables& tables);

// Sets energyChange to the total minus the previous energy, then energy to
// the total, and returns the total.
float TotalEnergy(const Document& document, const ForceFieldTables& tables, ShapingRun& run,
                  shaping::PairPool* pool = nullptr);

// Sum of the terms of the kinds in `terms` (kTermDistances ... kTermCoulomb)
// that contain `atom`, with the atom at `trial` when given and at its stored
// position otherwise. 0 when no bit is set or the atom is not in use.
float LocalEnergy(const Document& document, const ForceFieldTables& tables, uint32_t atom,
                  uint32_t terms, const Vector3* trial = nullptr);

}  // namespace tf
