#pragma once
// A plain implementation of the energy and the shaping sweep, written
// straight from the rules with the scalar term functions: neighbour lists
// rebuilt by scanning the bond list, every pair visited one by one. The fast
// paths are checked against it.

#include <cstdint>
#include <vector>

#include "model/Document.h"
#include "shaping/Energy.h"
#include "shaping/ShapingStep.h"
#include "support/TestRecords.h"

namespace tf::test {

std::vector<int32_t> ReferenceNeighbours(const Records& records, int32_t atom);
bool ReferenceExcluded(const Records& records, int32_t a, int32_t b);
EnergyComponents ReferenceComponents(const Records& records);
float ReferenceLocalEnergy(const Records& records, int32_t atom, uint32_t terms,
                           const Vector3* trial);
void ReferenceShapingStep(Records& records, uint32_t terms, ShapingRandom& random);

}  // namespace tf::test
