#include "ReferenceShaping.h"

#include <algorithm>
#include <cmath>

namespace tf::test {

std::vector<int32_t> ReferenceNeighbours(const MoleculeStore& store, int32_t atom) {
  std::vector<int32_t> list;
  for (uint32_t b = 0; b < store.bondCount; ++b) {
    if (store.bonds[b].atom1 == atom)
      list.push_back(store.bonds[b].atom2);
    else if (store.bonds[b].atom2 == atom)
      list.push_back(store.bonds[b].atom1);
  }
  return list;
}

bool ReferenceExcluded(const MoleculeStore& store, int32_t a, int32_t b) {
  for (int32_t n : ReferenceNeighbours(store, a)) {
    if (n == b) return true;
    for (int32_t m : ReferenceNeighbours(store, n))
      if (m == b) return true;
  }
  return false;
}

EnergyComponents ReferenceComponents(const MoleculeStore& store) {
  EnergyComponents sum;
  for (uint32_t b = 0; b < store.bondCount; ++b) {
    const int32_t a1 = store.bonds[b].atom1, a2 = store.bonds[b].atom2;
    for (int32_t h : ReferenceNeighbours(store, a1))
      for (int32_t l : ReferenceNeighbours(store, a2))
        if (h != a2 && l != a1) sum.torsions += TorsionTerm(store, h, a1, a2, l);
    sum.distances += DistanceTerm(store, a1, a2);
  }
  const int32_t count = static_cast<int32_t>(store.atomCount);
  for (int32_t i = 0; i < count; ++i) {
    const auto around = ReferenceNeighbours(store, i);
    for (size_t x = 0; x < around.size(); ++x)
      for (size_t y = x + 1; y < around.size(); ++y)
        sum.angles += AngleTerm(store, around[x], around[y], i);
    if (HybridizationOf(store, i) == 2 && around.size() == 3)
      sum.outOfPlane += OutOfPlaneTerm(store, around[0], around[1], around[2], i);
    for (int32_t j = i + 1; j < count; ++j) {
      if (ReferenceExcluded(store, i, j)) continue;
      sum.coulomb += CoulombTerm(store, i, j);
      sum.lennardJones += LennardJonesTerm(store, i, j);
    }
  }
  sum.total =
      sum.distances + sum.angles + sum.outOfPlane + sum.torsions + sum.lennardJones + sum.coulomb;
  return sum;
}

float ReferenceLocalEnergy(const MoleculeStore& store, int32_t t, uint32_t terms,
                           const Vector3* trial) {
  const Atom& atom = store.atoms[t];
  const TrialMove move{t, trial ? *trial : Vector3{atom.x, atom.y, atom.z}};
  const TrialMove* m = &move;
  const auto A = ReferenceNeighbours(store, t);
  float sum = 0.0f;
  if (terms & kTermDistances)
    for (int32_t n : A) sum += DistanceTerm(store, t, n, m);
  if (terms & kTermAngles) {
    for (size_t x = 0; x < A.size(); ++x)
      for (size_t y = x + 1; y < A.size(); ++y) sum += AngleTerm(store, A[x], A[y], t, m);
    for (int32_t n : A)
      for (int32_t k : ReferenceNeighbours(store, n))
        if (k != t) sum += AngleTerm(store, t, k, n, m);
  }
  if (terms & kTermOutOfPlane) {
    if (HybridizationOf(store, t) == 2 && A.size() == 3)
      sum += OutOfPlaneTerm(store, A[0], A[1], A[2], t, m);
    for (int32_t n : A) {
      const auto B = ReferenceNeighbours(store, n);
      if (HybridizationOf(store, n) == 2 && B.size() == 3)
        sum += OutOfPlaneTerm(store, B[0], B[1], B[2], n, m);
    }
  }
  if (terms & kTermTorsions) {
    for (size_t x = 0; x < A.size(); ++x)
      for (size_t y = x + 1; y < A.size(); ++y) {
        for (int32_t k : ReferenceNeighbours(store, A[x]))
          if (k != t) sum += TorsionTerm(store, k, A[x], t, A[y], m);
        for (int32_t k : ReferenceNeighbours(store, A[y]))
          if (k != t) sum += TorsionTerm(store, A[x], t, A[y], k, m);
      }
    for (int32_t n : A)
      for (int32_t k : ReferenceNeighbours(store, n))
        if (k != t)
          for (int32_t p : ReferenceNeighbours(store, k))
            if (p != n) sum += TorsionTerm(store, t, n, k, p, m);
  }
  for (int32_t j = 0; j < static_cast<int32_t>(store.atomCount); ++j) {
    if (j == t || ReferenceExcluded(store, t, j)) continue;
    if (terms & kTermVanDerWaals) sum += LennardJonesTerm(store, j, t, m);
    if (terms & kTermCoulomb) sum += CoulombTerm(store, j, t, m);
  }
  return sum;
}

void ReferenceShapingStep(MoleculeStore& store, uint32_t terms, ShapingRandom& random) {
  for (uint32_t t = 0; t < store.atomCount; ++t) {
    Atom& atom = store.atoms[t];
    Vector3 trial;
    trial.x = static_cast<float>(atom.x + (random.Next() / 32767.0 - 0.5) * store.stepScale);
    trial.y = static_cast<float>(atom.y + (random.Next() / 32767.0 - 0.5) * store.stepScale);
    trial.z = static_cast<float>(atom.z + (random.Next() / 32767.0 - 0.5) * store.stepScale);
    const float before = ReferenceLocalEnergy(store, t, terms, nullptr);
    const float after = ReferenceLocalEnergy(store, t, terms, &trial);
    if (std::isfinite(after) && after < before) {
      atom.x = trial.x;
      atom.y = trial.y;
      atom.z = trial.z;
    }
  }
}

}  // namespace tf::test
