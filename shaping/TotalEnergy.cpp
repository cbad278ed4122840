#include "shaping/BondTopology.h"
#include "shaping/Energy.h"
#include "shaping/LocalTerms.h"
#include "shaping/PairChunks.h"

#include <vector>

namespace tf {

namespace {

// Running sums by kind, and the total in the order the terms are met; with
// `shares`, each term's value split evenly over its atoms as well.
struct Accumulator {
  EnergyComponents parts;
  float* shares = nullptr;
  template <size_t N>
  void Add(float& kind, float value, const int32_t (&atoms)[N]) {
    kind += value;
    parts.total += value;
    if (shares)
      for (int32_t atom : atoms) shares[atom] += value / static_cast<float>(N);
  }
};

void AddBondTerms(const Document& document, const ForceFieldTables& tables,
                  const BondTopology& topology, Accumulator& sum) {
  for (const Bond& bond : topology.UsableBonds()) {
    const int32_t a1 = bond.atom1;
    const int32_t a2 = bond.atom2;
    for (int32_t h : topology.Neighbours(a1)) {
      if (h == a2) continue;
      for (int32_t l : topology.Neighbours(a2))
        if (l != a1)
          sum.Add(sum.parts.torsions, TorsionTerm(document, tables, h, a1, a2, l), {h, a1, a2, l});
    }
    sum.Add(sum.parts.distances, DistanceTerm(document, tables, a1, a2), {a1, a2});
  }
}

// Row `atom` of the pair loop: the atom against the atoms after it, with
// `mask` cleared around it for the sum.
shaping::NonBondedArrays::RawSums RowPairs(const BondTopology& topology,
                                           const shaping::NonBondedArrays& arrays,
                                           const Stiffness& stiffness, uint32_t atom,
                                           shaping::PairMask& mask, float* shares) {
  const auto excluded = topology.Exclusions(atom);
  const Vector3 position = arrays.Position(atom);
  mask.Exclude(atom, excluded);
  const auto raw = arrays.Sum({&position, 1}, arrays.HalfSigma(atom), mask.Flags(), atom + 1,
                              topology.AtomCount(), true, true, shares, &stiffness,
                              arrays.RootEpsilon(atom), arrays.Charge(atom));
  mask.Restore(atom, excluded);
  return raw;
}

// Every row's pair sums, the rows shared with `pool`. Each row is one sum
// whoever computes it, so the total does not depend on the pool.
void AllRowPairs(const BondTopology& topology, shaping::EnergyWorkspace& workspace,
                 const Stiffness& stiffness, shaping::PairPool* pool) {
  const uint32_t count = topology.AtomCount();
  const uint32_t slots = pool ? pool->Threads() : 1;
  workspace.rowSums.resize(count);
  workspace.slotMasks.resize(slots);
  for (uint32_t slot = 1; slot < slots; ++slot) workspace.slotMasks[slot].Reset(count);
  const shaping::PairChunks chunks = shaping::TriangleChunks(count, shaping::kMaxPairChunks);
  shaping::RunChunks(pool, chunks.count, [&](uint32_t chunk, uint32_t slot) {
    shaping::PairMask& mask = slot == 0 ? workspace.mask : workspace.slotMasks[slot];
    for (uint32_t atom = chunks.Begin(chunk); atom < chunks.End(chunk); ++atom)
      workspace.rowSums[atom] =
          RowPairs(topology, workspace.arrays, stiffness, atom, mask, nullptr);
  });
}

void AddAtomTerms(const Document& document, const ForceFieldTables& tables,
                  const BondTopology& topology, shaping::EnergyWorkspace& workspace,
                  Accumulator& sum, shaping::PairPool* pool) {
  const shaping::NonBondedArrays& arrays = workspace.arrays;
  const Stiffness& stiffness = tables.stiffness;
  const uint32_t count = topology.AtomCount();
  // With shares, each row adds to the shares of later atoms, so the rows then
  // run in this loop, in order.
  if (!sum.shares) AllRowPairs(topology, workspace, stiffness, pool);
  for (uint32_t atom = 0; atom < count; ++atom) {
    const int32_t i = static_cast<int32_t>(atom);
    const auto around = topology.Neighbours(atom);
    for (size_t x = 0; x < around.size(); ++x)
      for (size_t y = x + 1; y < around.size(); ++y)
        sum.Add(sum.parts.angles, AngleTerm(document, tables, around[x], around[y], i),
                {around[x], around[y], i});
    if (HybridizationOf(document, tables, i) == 2 && around.size() == 3)
      sum.Add(sum.parts.outOfPlane,
              OutOfPlaneTerm(document, tables, around[0], around[1], around[2], i),
              {around[0], around[1], around[2], i});

    const auto raw = sum.shares
                         ? RowPairs(topology, arrays, stiffness, atom, workspace.mask, sum.shares)
                         : workspace.rowSums[atom];
    const auto pairs =
        shaping::ScalePairSums(raw, 0, stiffness, arrays.RootEpsilon(atom), arrays.Charge(atom));
    sum.parts.coulomb += pairs.coulomb;
    sum.parts.lennardJones += pairs.lennardJones;
    sum.parts.total += pairs.coulomb + pairs.lennardJones;
    if (sum.shares) sum.shares[atom] += 0.5f * (pairs.coulomb + pairs.lennardJones);
  }
}

EnergyComponents Accumulate(const Document& document, const ForceFieldTables& tables,
                            std::vector<float>* shares, shaping::PairPool* pool) {
  const BondTopology& topology = CurrentTopology(document);
  shaping::EnergyWorkspace& workspace = shaping::ThreadWorkspace();
  workspace.Load(document, tables, topology);
  Accumulator sum;
  if (shares) {
    // Padded like the pair columns, which the pair loop writes in steps of eight.
    shares->assign((topology.AtomCount() + 7) / 8 * 8, 0.0f);
    sum.shares = shares->data();
  }
  AddBondTerms(document, tables, topology, sum);
  AddAtomTerms(document, tables, topology, workspace, sum, pool);
  if (shares) shares->resize(topology.AtomCount());
  return sum.parts;
}

}  // namespace

EnergyComponents ComputeEnergyComponents(const Document& document, const ForceFieldTables& tables,
                                         shaping::PairPool* pool) {
  return Accumulate(document, tables, nullptr, pool);
}

std::vector<double> AtomEnergies(const Document& document, const ForceFieldTables& tables) {
  std::vector<float> shares;
  Accumulate(document, tables, &shares, nullptr);
  return {shares.begin(), shares.end()};
}

float TotalEnergy(const Document& document, const ForceFieldTables& tables, ShapingRun& run,
                  shaping::PairPool* pool) {
  const float total = ComputeEnergyComponents(document, tables, pool).total;
  run.energyChange = total - run.energy;
  run.energy = total;
  return total;
}

}  // namespace tf
