#pragma once
// A plain implementation of the energy and the shaping sweep, written
// straight from the rules with the scalar term functions: neighbour lists
// rebuilt by scanning the bond list, every pair visited one by one. The fast
// paths are checked against it.

#include <cstdint>
#include <vector>

#include "model/MoleculeStore.h"
#include "shaping/Energy.h"
#include "shaping/ShapingStep.h"

namespace tf::test {

std::vector<int32_t> ReferenceNeighbours(const MoleculeStore& store, int32_t atom);
bool ReferenceExcluded(const MoleculeStore& store, int32_t a, int32_t b);
EnergyComponents ReferenceComponents(const MoleculeStore& store);
float ReferenceLocalEnergy(const MoleculeStore& store, int32_t atom, uint32_t terms,
                           const Vector3* trial);
void ReferenceShapingStep(MoleculeStore& store, uint32_t terms, ShapingRandom& random);

}  // namespace tf::test
