#include "shaping/BondTopology.h"
#include "shaping/Energy.h"
#include "shaping/LocalTerms.h"

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

void AddAtomTerms(const Document& document, const ForceFieldTables& tables,
                  const BondTopology& topology, shaping::EnergyWorkspace& workspace,
                  Accumulator& sum) {
  const shaping::NonBondedArrays& arrays = workspace.arrays;
  const Stiffness& stiffness = tables.stiffness;
  const uint32_t count = topology.AtomCount();
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

    const auto excluded = topology.Exclusions(atom);
    const Vector3 position{document.atoms[atom].x, document.atoms[atom].y, document.atoms[atom].z};
    workspace.mask.Exclude(atom, excluded);
    const auto raw = arrays.Sum({&position, 1}, arrays.HalfSigma(atom), workspace.mask.Flags(),
                                atom + 1, count, true, true, sum.shares, &stiffness,
                                arrays.RootEpsilon(atom), arrays.Charge(atom));
    workspace.mask.Restore(atom, excluded);
    const auto pairs =
        shaping::ScalePairSums(raw, 0, stiffness, arrays.RootEpsilon(atom), arrays.Charge(atom));
    sum.parts.coulomb += pairs.coulomb;
    sum.parts.lennardJones += pairs.lennardJones;
    sum.parts.total += pairs.coulomb + pairs.lennardJones;
    if (sum.shares) sum.shares[atom] += 0.5f * (pairs.coulomb + pairs.lennardJones);
  }
}

EnergyComponents Accumulate(const Document& document, const ForceFieldTables& tables,
                            std::vector<float>* shares) {
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
  AddAtomTerms(document, tables, topology, workspace, sum);
  if (shares) shares->resize(topology.AtomCount());
  return sum.parts;
}

}  // namespace

EnergyComponents ComputeEnergyComponents(const Document& document, const ForceFieldTables& tables) {
  return Accumulate(document, tables, nullptr);
}

std::vector<double> AtomEnergies(const Document& document, const ForceFieldTables& tables) {
  std::vector<float> shares;
  Accumulate(document, tables, &shares);
  return {shares.begin(), shares.end()};
}

float TotalEnergy(const Document& document, const ForceFieldTables& tables, ShapingRun& run) {
  const float total = ComputeEnergyComponents(document, tables).total;
  run.energyChange = total - run.energy;
  run.energy = total;
  return total;
}

}  // namespace tf
