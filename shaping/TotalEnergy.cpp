#include "shaping/BondTopology.h"
#include "shaping/Energy.h"
#include "shaping/LocalTerms.h"

namespace tf {

namespace {

// Running sums by kind, and the total in the order the terms are met.
struct Accumulator {
  EnergyComponents parts;
  void Add(float& kind, float value) {
    kind += value;
    parts.total += value;
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
        if (l != a1) sum.Add(sum.parts.torsions, TorsionTerm(document, tables, h, a1, a2, l));
    }
    sum.Add(sum.parts.distances, DistanceTerm(document, tables, a1, a2));
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
        sum.Add(sum.parts.angles, AngleTerm(document, tables, around[x], around[y], i));
    if (HybridizationOf(document, tables, i) == 2 && around.size() == 3)
      sum.Add(sum.parts.outOfPlane,
              OutOfPlaneTerm(document, tables, around[0], around[1], around[2], i));

    const auto excluded = topology.Exclusions(atom);
    const Vector3 position{document.atoms[atom].x, document.atoms[atom].y, document.atoms[atom].z};
    workspace.mask.Exclude(atom, excluded);
    const auto raw = arrays.Sum({&position, 1}, arrays.HalfSigma(atom), workspace.mask.Flags(),
                                atom + 1, count, true, true);
    workspace.mask.Restore(atom, excluded);
    const auto pairs =
        shaping::ScalePairSums(raw, 0, stiffness, arrays.RootEpsilon(atom), arrays.Charge(atom));
    sum.parts.coulomb += pairs.coulomb;
    sum.parts.lennardJones += pairs.lennardJones;
    sum.parts.total += pairs.coulomb + pairs.lennardJones;
  }
}

}  // namespace

EnergyComponents ComputeEnergyComponents(const Document& document, const ForceFieldTables& tables) {
  const BondTopology& topology = CurrentTopology(document);
  shaping::EnergyWorkspace& workspace = shaping::ThreadWorkspace();
  workspace.Load(document, tables, topology);
  Accumulator sum;
  AddBondTerms(document, tables, topology, sum);
  AddAtomTerms(document, tables, topology, workspace, sum);
  return sum.parts;
}

float TotalEnergy(const Document& document, const ForceFieldTables& tables, ShapingRun& run) {
  const float total = ComputeEnergyComponents(document, tables).total;
  run.energyChange = total - run.energy;
  run.energy = total;
  return total;
}

}  // namespace tf
