#include "ReferenceShaping.h"
#include "support/TestRecords.h"

#include <algorithm>
#include <cmath>

namespace tf::test {

std::vector<int32_t> ReferenceNeighbours(const Records& records, int32_t atom) {
  std::vector<int32_t> list;
  for (uint32_t b = 0; b < records.document.bondCount; ++b) {
    if (records.document.bonds[b].atom1 == atom)
      list.push_back(records.document.bonds[b].atom2);
    else if (records.document.bonds[b].atom2 == atom)
      list.push_back(records.document.bonds[b].atom1);
  }
  return list;
}

bool ReferenceExcluded(const Records& records, int32_t a, int32_t b) {
  for (int32_t n : ReferenceNeighbours(records, a)) {
    if (n == b) return true;
    for (int32_t m : ReferenceNeighbours(records, n))
      if (m == b) return true;
  }
  return false;
}

EnergyComponents ReferenceComponents(const Records& records) {
  EnergyComponents sum;
  for (uint32_t b = 0; b < records.document.bondCount; ++b) {
    const int32_t a1 = records.document.bonds[b].atom1, a2 = records.document.bonds[b].atom2;
    for (int32_t h : ReferenceNeighbours(records, a1))
      for (int32_t l : ReferenceNeighbours(records, a2))
        if (h != a2 && l != a1)
          sum.torsions += TorsionTerm(records.document, records.tables, h, a1, a2, l);
    sum.distances += DistanceTerm(records.document, records.tables, a1, a2);
  }
  const int32_t count = static_cast<int32_t>(records.document.atomCount);
  for (int32_t i = 0; i < count; ++i) {
    const auto around = ReferenceNeighbours(records, i);
    for (size_t x = 0; x < around.size(); ++x)
      for (size_t y = x + 1; y < around.size(); ++y)
        sum.angles += AngleTerm(records.document, records.tables, around[x], around[y], i);
    if (HybridizationOf(records.document, records.tables, i) == 2 && around.size() == 3)
      sum.outOfPlane +=
          OutOfPlaneTerm(records.document, records.tables, around[0], around[1], around[2], i);
    for (int32_t j = i + 1; j < count; ++j) {
      if (ReferenceExcluded(records, i, j)) continue;
      sum.coulomb += CoulombTerm(records.document, records.tables, i, j);
      sum.lennardJones += LennardJonesTerm(records.document, records.tables, i, j);
    }
  }
  sum.total =
      sum.distances + sum.angles + sum.outOfPlane + sum.torsions + sum.lennardJones + sum.coulomb;
  return sum;
}

float ReferenceLocalEnergy(const Records& records, int32_t t, uint32_t terms,
                           const Vector3* trial) {
  const Atom& atom = records.document.atoms[t];
  const TrialMove move{t, trial ? *trial : Vector3{atom.x, atom.y, atom.z}};
  const TrialMove* m = &move;
  const auto A = ReferenceNeighbours(records, t);
  float sum = 0.0f;
  if (terms & kTermDistances)
    for (int32_t n : A) sum += DistanceTerm(records.document, records.tables, t, n, m);
  if (terms & kTermAngles) {
    for (size_t x = 0; x < A.size(); ++x)
      for (size_t y = x + 1; y < A.size(); ++y)
        sum += AngleTerm(records.document, records.tables, A[x], A[y], t, m);
    for (int32_t n : A)
      for (int32_t k : ReferenceNeighbours(records, n))
        if (k != t) sum += AngleTerm(records.document, records.tables, t, k, n, m);
  }
  if (terms & kTermOutOfPlane) {
    if (HybridizationOf(records.document, records.tables, t) == 2 && A.size() == 3)
      sum += OutOfPlaneTerm(records.document, records.tables, A[0], A[1], A[2], t, m);
    for (int32_t n : A) {
      const auto B = ReferenceNeighbours(records, n);
      if (HybridizationOf(records.document, records.tables, n) == 2 && B.size() == 3)
        sum += OutOfPlaneTerm(records.document, records.tables, B[0], B[1], B[2], n, m);
    }
  }
  if (terms & kTermTorsions) {
    for (size_t x = 0; x < A.size(); ++x)
      for (size_t y = x + 1; y < A.size(); ++y) {
        for (int32_t k : ReferenceNeighbours(records, A[x]))
          if (k != t) sum += TorsionTerm(records.document, records.tables, k, A[x], t, A[y], m);
        for (int32_t k : ReferenceNeighbours(records, A[y]))
          if (k != t) sum += TorsionTerm(records.document, records.tables, A[x], t, A[y], k, m);
      }
    for (int32_t n : A)
      for (int32_t k : ReferenceNeighbours(records, n))
        if (k != t)
          for (int32_t p : ReferenceNeighbours(records, k))
            if (p != n) sum += TorsionTerm(records.document, records.tables, t, n, k, p, m);
  }
  for (int32_t j = 0; j < static_cast<int32_t>(records.document.atomCount); ++j) {
    if (j == t || ReferenceExcluded(records, t, j)) continue;
    if (terms & kTermVanDerWaals)
      sum += LennardJonesTerm(records.document, records.tables, j, t, m);
    if (terms & kTermCoulomb) sum += CoulombTerm(records.document, records.tables, j, t, m);
  }
  return sum;
}

void ReferenceShapingStep(Records& records, uint32_t terms, ShapingRandom& random) {
  for (uint32_t t = 0; t < records.document.atomCount; ++t) {
    Atom& atom = records.document.atoms[t];
    Vector3 trial;
    trial.x =
        static_cast<float>(atom.x + (random.Next() / 32767.0 - 0.5) * records.shaping.stepScale);
    trial.y =
        static_cast<float>(atom.y + (random.Next() / 32767.0 - 0.5) * records.shaping.stepScale);
    trial.z =
        static_cast<float>(atom.z + (random.Next() / 32767.0 - 0.5) * records.shaping.stepScale);
    const float before = ReferenceLocalEnergy(records, t, terms, nullptr);
    const float after = ReferenceLocalEnergy(records, t, terms, &trial);
    if (std::isfinite(after) && after < before) {
      atom.x = trial.x;
      atom.y = trial.y;
      atom.z = trial.z;
    }
  }
}

}  // namespace tf::test
