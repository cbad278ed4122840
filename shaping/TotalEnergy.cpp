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

void AddBondTerms(const MoleculeStore& store, const BondTopology& topology, Accumulator& sum) {
  for (const Bond& bond : topology.UsableBonds()) {
    const int32_t a1 = bond.atom1;
    const int32_t a2 = bond.atom2;
    for (int32_t h : topology.Neighbours(a1)) {
      if (h == a2) continue;
      for (int32_t l : topology.Neighbours(a2))
        if (l != a1) sum.Add(sum.parts.torsions, TorsionTerm(store, h, a1, a2, l));
    }
    sum.Add(sum.parts.distances, DistanceTerm(store, a1, a2));
  }
}

void AddAtomTerms(const MoleculeStore& store, const BondTopology& topology,
                  shaping::EnergyWorkspace& workspace, Accumulator& sum) {
  const shaping::NonBondedArrays& arrays = workspace.arrays;
  const Stiffness& stiffness = store.tables.stiffness;
  const uint32_t count = topology.AtomCount();
  for (uint32_t atom = 0; atom < count; ++atom) {
    const int32_t i = static_cast<int32_t>(atom);
    const auto around = topology.Neighbours(atom);
    for (size_t x = 0; x < around.size(); ++x)
      for (size_t y = x + 1; y < around.size(); ++y)
        sum.Add(sum.parts.angles, AngleTerm(store, around[x], around[y], i));
    if (HybridizationOf(store, i) == 2 && around.size() == 3)
      sum.Add(sum.parts.outOfPlane, OutOfPlaneTerm(store, around[0], around[1], around[2], i));

    const auto excluded = topology.Exclusions(atom);
    const Vector3 position{store.atoms[atom].x, store.atoms[atom].y, store.atoms[atom].z};
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

EnergyComponents ComputeEnergyComponents(const MoleculeStore& store) {
  const BondTopology& topology = CurrentTopology(store);
  shaping::EnergyWorkspace& workspace = shaping::ThreadWorkspace();
  workspace.Load(store, topology);
  Accumulator sum;
  AddBondTerms(store, topology, sum);
  AddAtomTerms(store, topology, workspace, sum);
  return sum.parts;
}

float TotalEnergy(MoleculeStore& store) {
  const float total = ComputeEnergyComponents(store).total;
  store.energyChange = total - store.energy;
  store.energy = total;
  return total;
}

}  // namespace tf
