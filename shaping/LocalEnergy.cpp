#include "shaping/Energy.h"
#include "shaping/LocalTerms.h"
#include "shaping/PairChunks.h"

namespace tf {
namespace shaping {

void EnergyWorkspace::Load(const Document& document, const ForceFieldTables& tables,
                           const BondTopology& topology) {
  arrays.Load(document, tables, topology.AtomCount());
  mask.Reset(topology.AtomCount());
}

EnergyWorkspace& ThreadWorkspace() {
  thread_local EnergyWorkspace workspace;
  return workspace;
}

namespace {

float LocalAngles(const Document& document, const ForceFieldTables& tables,
                  const BondTopology& topology, int32_t t, const TrialMove* trial) {
  float sum = 0.0f;
  const auto around = topology.Neighbours(t);
  for (size_t x = 0; x < around.size(); ++x)
    for (size_t y = x + 1; y < around.size(); ++y)
      sum += AngleTerm(document, tables, around[x], around[y], t, trial);
  for (int32_t n : around)
    for (int32_t m : topology.Neighbours(n))
      if (m != t) sum += AngleTerm(document, tables, t, m, n, trial);
  return sum;
}

float LocalOutOfPlane(const Document& document, const ForceFieldTables& tables,
                      const BondTopology& topology, int32_t t, const TrialMove* trial) {
  float sum = 0.0f;
  const auto planar = [&](int32_t centre) {
    const auto list = topology.Neighbours(centre);
    if (HybridizationOf(document, tables, centre) != 2 || list.size() != 3) return 0.0f;
    return OutOfPlaneTerm(document, tables, list[0], list[1], list[2], centre, trial);
  };
  sum += planar(t);
  for (int32_t n : topology.Neighbours(t)) sum += planar(n);
  return sum;
}

float LocalTorsions(const Document& document, const ForceFieldTables& tables,
                    const BondTopology& topology, int32_t t, const TrialMove* trial) {
  float sum = 0.0f;
  const auto around = topology.Neighbours(t);
  // t on the central bond.
  for (size_t x = 0; x < around.size(); ++x) {
    for (size_t y = x + 1; y < around.size(); ++y) {
      for (int32_t m : topology.Neighbours(around[x]))
        if (m != t) sum += TorsionTerm(document, tables, m, around[x], t, around[y], trial);
      for (int32_t m : topology.Neighbours(around[y]))
        if (m != t) sum += TorsionTerm(document, tables, around[x], t, around[y], m, trial);
    }
  }
  // t at an end of the chain.
  for (int32_t n : around)
    for (int32_t m : topology.Neighbours(n))
      if (m != t)
        for (int32_t p : topology.Neighbours(m))
          if (p != n) sum += TorsionTerm(document, tables, t, n, m, p, trial);
  return sum;
}

}  // namespace

float LocalBondedEnergy(const Document& document, const ForceFieldTables& tables,
                        const BondTopology& topology, int32_t t, uint32_t terms,
                        const TrialMove* trial) {
  float sum = 0.0f;
  if (terms & kTermDistances)
    for (int32_t n : topology.Neighbours(t)) sum += DistanceTerm(document, tables, t, n, trial);
  if (terms & kTermAngles) sum += LocalAngles(document, tables, topology, t, trial);
  if (terms & kTermOutOfPlane) sum += LocalOutOfPlane(document, tables, topology, t, trial);
  if (terms & kTermTorsions) sum += LocalTorsions(document, tables, topology, t, trial);
  return sum;
}

void EvaluateLocal(const Document& document, const ForceFieldTables& tables,
                   const BondTopology& topology, EnergyWorkspace& workspace, uint32_t atom,
                   uint32_t terms, std::span<const Vector3> positions, float* energies,
                   PairPool* pool) {
  const int32_t t = static_cast<int32_t>(atom);
  for (size_t k = 0; k < positions.size(); ++k) {
    const TrialMove move{t, positions[k]};
    energies[k] = LocalBondedEnergy(document, tables, topology, t, terms, &move);
  }
  const bool lennardJones = (terms & kTermVanDerWaals) != 0;
  const bool coulomb = (terms & kTermCoulomb) != 0;
  if (!lennardJones && !coulomb) return;

  const NonBondedArrays& arrays = workspace.arrays;
  const auto excluded = topology.Exclusions(atom);
  workspace.mask.Exclude(atom, excluded);
  const PairChunks chunks = PartnerChunks(arrays.Count(), kPairLanes);
  alignas(64) NonBondedArrays::RawSums parts[kMaxPairChunks];  // threads write apart
  RunChunks(pool, chunks.count, [&](uint32_t chunk, uint32_t) {
    parts[chunk] = arrays.Sum(positions, arrays.HalfSigma(atom), workspace.mask.Flags(),
                              chunks.Begin(chunk), chunks.End(chunk), lennardJones, coulomb);
  });
  workspace.mask.Restore(atom, excluded);
  NonBondedArrays::RawSums sums = parts[0];
  for (uint32_t chunk = 1; chunk < chunks.count; ++chunk)
    for (int k = 0; k < 2; ++k) {
      sums.lennardJones[k] += parts[chunk].lennardJones[k];
      sums.coulomb[k] += parts[chunk].coulomb[k];
    }
  for (size_t k = 0; k < positions.size() && k < 2; ++k) {
    const PairEnergies pairs = ScalePairSums(sums, static_cast<int>(k), tables.stiffness,
                                             arrays.RootEpsilon(atom), arrays.Charge(atom));
    if (lennardJones) energies[k] += pairs.lennardJones;
    if (coulomb) energies[k] += pairs.coulomb;
  }
}

}  // namespace shaping

float LocalEnergy(const Document& document, const ForceFieldTables& tables, uint32_t atom,
                  uint32_t terms, const Vector3* trial) {
  const BondTopology& topology = CurrentTopology(document);
  if (atom >= topology.AtomCount() || (terms & kAllTerms) == 0) return 0.0f;
  shaping::EnergyWorkspace& workspace = shaping::ThreadWorkspace();
  workspace.Load(document, tables, topology);
  const Atom& record = document.atoms[atom];
  const Vector3 position = trial ? *trial : Vector3{record.x, record.y, record.z};
  float energy = 0.0f;
  shaping::EvaluateLocal(document, tables, topology, workspace, atom, terms, {&position, 1},
                         &energy);
  return energy;
}

}  // namespace tf
