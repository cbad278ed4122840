#pragma once
// Building blocks shared by LocalEnergy and the shaping sweep: the bonded
// terms around one atom and the per-thread arrays of the non-bonded sums.

#include <cstdint>
#include <span>
#include <vector>

#include "model/Document.h"
#include "shaping/BondTopology.h"
#include "shaping/EnergyTerms.h"
#include "shaping/NonBondedPairs.h"
#include "shaping/PairPool.h"

namespace tf::shaping {

struct EnergyWorkspace {
  NonBondedArrays arrays;
  PairMask mask;
  // For the pair rows of the total energy: each row's sums, and the include
  // flags of the pool's other threads (slot 0 uses `mask`).
  std::vector<NonBondedArrays::RawSums> rowSums;
  std::vector<PairMask> slotMasks;
  // Loads both for atoms 0 .. topology.AtomCount()-1.
  void Load(const Document& document, const ForceFieldTables& tables, const BondTopology& topology);
};

// The calling thread's workspace; reused between calls to avoid allocation.
EnergyWorkspace& ThreadWorkspace();

// Bonded terms of the kinds in `terms` that contain `atom`, in the order of
// the neighbour lists.
float LocalBondedEnergy(const Document& document, const ForceFieldTables& tables,
                        const BondTopology& topology, int32_t atom, uint32_t terms,
                        const TrialMove* trial);

// Local energy of `atom` at each of `positions` (one or two) in one pass over
// the other atoms, its chunks shared with `pool` when given. The workspace
// holds the document's current positions, with every include flag set; the
// flags are the same again on return.
void EvaluateLocal(const Document& document, const ForceFieldTables& tables,
                   const BondTopology& topology, EnergyWorkspace& workspace, uint32_t atom,
                   uint32_t terms, std::span<const Vector3> positions, float* energies,
                   PairPool* pool = nullptr);

}  // namespace tf::shaping
