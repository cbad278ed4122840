#pragma once
// Hand-made force-field tables and small molecules for the shaping tests.

#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "base/FixedText.h"
#include "forcefield/ParameterFile.h"
#include "io/MoleculeFileCommands.h"
#include "model/Document.h"
#include "support/ShippedConfig.h"
#include "support/TestRecords.h"

namespace tf::test {

// AtomTypes by hybridization: 0 sp0, 1 sp1, 2 sp2, 3 sp3, with
// Lennard-Jones sizes 2.0, 2.4, 3.2, 3.0 and depths 0.1, 0.05, 0.1, 0.2.
// Every equilibrium distance is 1.0; all stiffness constants are 0.
enum : int32_t { kSp0 = 0, kSp1 = 1, kSp2 = 2, kSp3 = 3 };

inline std::unique_ptr<Records> MakeShapingRecords() {
  auto records = std::make_unique<Records>();
  ForceFieldTables& tables = records->tables;
  tables.atomTypeCount = 4;
  const float sigma[4] = {2.0f, 2.4f, 3.2f, 3.0f};
  const float epsilon[4] = {0.1f, 0.05f, 0.1f, 0.2f};
  for (int t = 0; t < 4; ++t) {
    tables.atomTypes[t].hybridization = t;
    tables.atomTypes[t].ljSigma = sigma[t];
    tables.atomTypes[t].ljEpsilon = epsilon[t];
    for (int u = 0; u < 4; ++u) tables.equilibriumDistance[t][u] = 1.0f;
  }
  SetIdealAngles(tables);
  return records;
}

inline int32_t AddTestAtom(Records& records, int32_t type, float x, float y, float z,
                           float charge = 0.0f) {
  Atom& atom = records.document.atoms[records.document.atomCount];
  atom = Atom{};
  atom.atomType = type;
  atom.x = x;
  atom.y = y;
  atom.z = z;
  atom.charge = charge;
  return static_cast<int32_t>(records.document.atomCount++);
}

inline void AddTestBond(Records& records, int32_t a, int32_t b) {
  records.document.bonds[records.document.bondCount++] = {a, b};
}

inline void SetAllStiffness(Records& records) {
  records.tables.stiffness = {3.0f, 2.0f, 1.5f, 0.7f, 0.4f, 0.3f, 5.0f};
}

// Random molecule of `atomCount` atoms in a box of about 1 atom per 20 cubic
// Angstrom: a random forest in which no atom has more than four bonds, bonds
// stored in either order, plus a few ring closures, random charges.
inline std::unique_ptr<Records> MakeRandomMolecule(uint32_t atomCount, uint32_t seed) {
  auto records = MakeShapingRecords();
  SetAllStiffness(*records);
  std::mt19937 random(seed);
  const float box = std::cbrt(static_cast<float>(atomCount) * 20.0f);
  std::uniform_real_distribution<float> coordinate(0.0f, box);
  std::uniform_real_distribution<float> charge(-0.5f, 0.5f);
  std::uniform_int_distribution<int32_t> type(0, 3);
  uint32_t degree[kMaxAtoms] = {};
  for (uint32_t i = 0; i < atomCount; ++i)
    AddTestAtom(*records, type(random), coordinate(random), coordinate(random), coordinate(random),
                charge(random));
  for (uint32_t i = 1; i < atomCount; ++i) {
    if (random() % 5 == 0) continue;
    const uint32_t j = random() % i;
    if (degree[i] >= 4 || degree[j] >= 4) continue;
    if (random() % 2)
      AddTestBond(*records, i, j);
    else
      AddTestBond(*records, j, i);
    ++degree[i];
    ++degree[j];
    Atom& moved = records->document.atoms[i];
    const Atom& anchor = records->document.atoms[j];
    moved.x = anchor.x + 1.1f * (coordinate(random) / box - 0.5f) + 0.6f;
    moved.y = anchor.y + 1.1f * (coordinate(random) / box - 0.5f);
    moved.z = anchor.z + 1.1f * (coordinate(random) / box - 0.5f);
  }
  for (uint32_t ring = 0; ring < atomCount / 10; ++ring) {
    const int32_t a = static_cast<int32_t>(random() % atomCount);
    const int32_t b = static_cast<int32_t>(random() % atomCount);
    if (a == b || degree[a] >= 4 || degree[b] >= 4) continue;
    if (FindBond(records->document, a, b) >= 0 || FindBond(records->document, b, a) >= 0) continue;
    AddTestBond(*records, a, b);
    ++degree[a];
    ++degree[b];
  }
  return records;
}

// `atomCount` unbonded atoms of random types and charges near the points of a
// cubic grid of 3.2 Angstrom, so no pair comes close enough to outweigh the
// others: every partner of an atom is felt in its sums.
inline std::unique_ptr<Records> MakeLatticeMolecule(uint32_t atomCount, uint32_t seed) {
  auto records = MakeShapingRecords();
  SetAllStiffness(*records);
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> jitter(-0.3f, 0.3f);
  std::uniform_real_distribution<float> charge(-0.5f, 0.5f);
  const uint32_t side = static_cast<uint32_t>(std::ceil(std::cbrt(static_cast<float>(atomCount))));
  for (uint32_t i = 0; i < atomCount; ++i) {
    const float x = 3.2f * static_cast<float>(i % side) + jitter(random);
    const float y = 3.2f * static_cast<float>(i / side % side) + jitter(random);
    const float z = 3.2f * static_cast<float>(i / side / side) + jitter(random);
    AddTestAtom(*records, static_cast<int32_t>(random() % 4), x, y, z, charge(random));
  }
  return records;
}

// A shipped sample (share/samples/NAME.pdb) with the shipped parameter file.
inline std::unique_ptr<Records> SampleRecords(const std::string& name) {
  auto records = RecordsWithShippedConfig();
  OpenMoleculeFile(records->document, records->tables,
                   FromUtf8(SourcePath("share/samples/" + name + ".pdb")));
  return records;
}

}  // namespace tf::test
