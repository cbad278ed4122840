#pragma once
// Synthetic molecules for the benchmarks: liquid-like density, one bond per
// 7 atoms (1000 bonds at 7000 atoms) in fragments of 8 atoms and 7 bonds
// (two sp2 centres with three neighbours each, sp3 and terminal atoms), the
// remaining bonds joining pairs of single atoms.

#include <cstdint>
#include <memory>
#include <random>

#include "app/Application.h"
#include "forcefield/ParameterFile.h"
#include "model/Document.h"

namespace tf::bench {

// Types: 1 sp3 carbon, 2 sp2 carbon, 3 hydrogen-like terminal, 4 oxygen-like.
inline void FillBenchTables(ForceFieldTables& tables) {
  tables.atomTypeCount = 5;
  tables.defaultAtomType = 1;
  const int32_t hybridization[5] = {0, 3, 2, 0, 3};
  const float sigma[5] = {3.0f, 3.4f, 3.4f, 2.5f, 3.0f};
  const float epsilon[5] = {0.1f, 0.1f, 0.086f, 0.03f, 0.2f};
  for (int t = 0; t < 5; ++t) {
    tables.atomTypes[t].hybridization = hybridization[t];
    tables.atomTypes[t].ljSigma = sigma[t];
    tables.atomTypes[t].ljEpsilon = epsilon[t];
    for (int u = 0; u < 5; ++u) tables.equilibriumDistance[t][u] = 1.4f;
  }
  SetIdealAngles(tables);
  tables.stiffness = {300.0f, 50.0f, 20.0f, 5.0f, 1.5f, 1.0f, 332.0f};
}

inline std::unique_ptr<ApplicationRecords> MakeBenchMolecule(uint32_t atomCount,
                                                             uint32_t seed = 7) {
  auto records = std::make_unique<ApplicationRecords>();
  FillBenchTables(records->tables);
  std::mt19937 random(seed);
  // About 0.1 atoms per cubic Angstrom.
  const float box = std::cbrt(atomCount * 10.0f);
  std::uniform_real_distribution<float> coordinate(0.0f, box);
  std::uniform_real_distribution<float> jitter(-0.7f, 0.7f);
  std::uniform_real_distribution<float> charge(-0.4f, 0.4f);
  const uint32_t bondTarget = atomCount / 7 < kMaxBonds ? atomCount / 7 : kMaxBonds;
  const uint32_t fragmentAtoms = bondTarget / 7 * 8;
  // Fragment: sp2 pair 0=1, 0-2, 0-3, 1-4, 1-5, 2-6, 4-7.
  const int32_t links[7][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 4}, {1, 5}, {2, 6}, {4, 7}};
  const int32_t fragmentType[8] = {2, 2, 1, 3, 1, 3, 3, 3};
  for (uint32_t i = 0; i < atomCount; ++i) {
    Atom& atom = records->document.atoms[i];
    atom = Atom{};
    atom.x = coordinate(random);
    atom.y = coordinate(random);
    atom.z = coordinate(random);
    atom.charge = charge(random);
    atom.atomType = i < fragmentAtoms ? fragmentType[i % 8] : 4;
  }
  for (uint32_t base = 0; base < fragmentAtoms; base += 8) {
    for (const auto& link : links) {
      Atom& to = records->document.atoms[base + link[1]];
      const Atom& from = records->document.atoms[base + link[0]];
      to.x = from.x + 1.0f + jitter(random);
      to.y = from.y + jitter(random);
      to.z = from.z + jitter(random);
      records->document.bonds[records->document.bondCount++] = {
          static_cast<int32_t>(base + link[0]), static_cast<int32_t>(base + link[1])};
    }
  }
  for (uint32_t a = fragmentAtoms; records->document.bondCount < bondTarget && a + 1 < atomCount;
       a += 2) {
    records->document.bonds[records->document.bondCount++] = {static_cast<int32_t>(a),
                                                              static_cast<int32_t>(a + 1)};
    records->document.atoms[a + 1].x = records->document.atoms[a].x + 1.2f;
  }
  records->document.atomCount = atomCount;
  records->shaping.stepScale = 0.25f;
  return records;
}

}  // namespace tf::bench
