// The charge model on its worked examples, on the cases the rulings settle
// (bond direction, separate molecules, zero bond scales, long lists), and on
// invariants of random molecules.

#include "charges/PartialCharges.h"
#include "support/TestRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

namespace tf {
namespace {

using test::Records;

std::vector<double> Charges(const std::vector<int>& classes, const std::vector<Bond>& bonds) {
  std::vector<double> charges(classes.size(), 0.0);
  ComputePartialCharges(static_cast<int>(classes.size()), classes.data(),
                        static_cast<int>(bonds.size()), bonds.data(), charges.data());
  return charges;
}

void ExpectCharges(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], 0.00005) << "atom " << i;
}

double Sum(const std::vector<double>& values) {
  return std::accumulate(values.begin(), values.end(), 0.0);
}

TEST(PartialCharges, MethylLikeGroupInBothBondOrders) {
  const std::vector<int> classes = {3, 2, 2, 2};
  const std::vector<double> expected = {-0.1483, 0.0494, 0.0494, 0.0494};
  ExpectCharges(Charges(classes, {{0, 1}, {0, 2}, {0, 3}}), expected);
  ExpectCharges(Charges(classes, {{1, 0}, {2, 0}, {3, 0}}), expected);
}

TEST(PartialCharges, TwoSkeletonAtomsWithTerminals) {
  const std::vector<int> classes = {3, 8, 2, 2, 2, 2};
  const auto charges = Charges(classes, {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 5}});
  ExpectCharges(charges, {-0.0472, -0.4265, 0.0572, 0.0572, 0.0572, 0.3021});
  EXPECT_NEAR(Sum(charges), 0.0, 1e-12);
}

TEST(PartialCharges, EqualSkeletonAtomsStayNeutral) {
  ExpectCharges(Charges({4, 4}, {{0, 1}}), {0.0, 0.0});
  ExpectCharges(Charges({8, 8}, {}), {0.0, 0.0});
}

TEST(PartialCharges, BondDirectionDoesNotMatter) {
  ExpectCharges(Charges({4, 9}, {{0, 1}}), {0.2757, -0.2757});
  ExpectCharges(Charges({4, 9}, {{1, 0}}), {0.2757, -0.2757});
  // A skeleton bond renumbered to (3, 2) by a deletion still couples its atoms.
  const std::vector<int> classes = {2, 2, 4, 9};
  const auto lowFirst = Charges(classes, {{2, 0}, {2, 3}, {1, 3}});
  const auto highFirst = Charges(classes, {{2, 0}, {3, 2}, {1, 3}});
  for (size_t i = 0; i < classes.size(); ++i) EXPECT_NEAR(lowFirst[i], highFirst[i], 1e-12);
}

TEST(PartialCharges, SeparateMoleculesDoNotShareElectrons) {
  ExpectCharges(Charges({3, 3}, {}), {0.0, 0.0});
  // Adding a second molecule leaves the first one's charges alone.
  const auto alone = Charges({3, 8, 2, 2, 2, 2}, {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 5}});
  const auto together = Charges({3, 8, 2, 2, 2, 2, 5, 4, 1},
                                {{0, 1}, {0, 2}, {7, 6}, {0, 3}, {0, 4}, {1, 5}, {7, 8}});
  for (size_t i = 0; i < alone.size(); ++i) EXPECT_NEAR(together[i], alone[i], 1e-12) << i;
}

TEST(PartialCharges, ZeroBondScalesContributeNothing) {
  // Classes 5 and 8 have no skeleton bond scale and no pi coupling.
  ExpectCharges(Charges({5, 8}, {{0, 1}}), {0.0, 0.0});
  // Class 9 has no terminal bond scale: its terminals get no sigma share,
  // and the group of three gives up its pi electron to the class-9 centre.
  ExpectCharges(Charges({9, 0, 0}, {{0, 1}, {0, 2}}), {0.0, 0.0, 0.0});
  ExpectCharges(Charges({9, 2, 2, 2}, {{0, 1}, {2, 0}, {0, 3}}), {-1.0, 1.0 / 3, 1.0 / 3, 1.0 / 3});
}

TEST(PartialCharges, LongListsFromFilesStayFinite) {
  // Six terminal atoms and six skeleton neighbours on atom 0, bonds repeated.
  std::vector<int> classes = {3};
  std::vector<Bond> bonds;
  for (int i = 1; i <= 6; ++i) {
    classes.push_back(1);
    bonds.push_back({0, i});
  }
  for (int i = 7; i <= 12; ++i) {
    classes.push_back(4);
    bonds.push_back({i, 0});
    bonds.push_back({0, i});
  }
  bonds.push_back({5, 5});
  bonds.push_back({0, 0});
  bonds.push_back({3, 40});  // names no atom
  const auto charges = Charges(classes, bonds);
  for (double q : charges) EXPECT_TRUE(std::isfinite(q));
  EXPECT_NEAR(Sum(charges), 0.0, 1e-9);
}

TEST(PartialCharges, ClassesOutsideTheTablesLeaveEveryChargeZero) {
  ExpectCharges(Charges({3, 10, 2}, {{0, 2}}), {0.0, 0.0, 0.0});
  ExpectCharges(Charges({3, -1}, {}), {0.0, 0.0});
  ExpectCharges(Charges({0, 1, 2, 2}, {{0, 1}, {2, 3}}), {0.0, 0.0, 0.0, 0.0});
}

// Molecules of skeleton chains with terminal atoms, each terminal atom on a
// single skeleton atom and the three terminals of a group of one class.
struct RandomMolecule {
  std::vector<int> classes;
  std::vector<Bond> bonds;
};

RandomMolecule MakeRandomMolecule(std::mt19937& random, int skeletonAtoms) {
  RandomMolecule molecule;
  std::vector<int> degree;
  for (int i = 0; i < skeletonAtoms; ++i) {
    molecule.classes.push_back(3 + static_cast<int>(random() % 7));
    degree.push_back(0);
    if (i > 0 && random() % 4 != 0) {
      const int j = static_cast<int>(random() % i);
      if (degree[j] < 3) {
        molecule.bonds.push_back({j, i});
        ++degree[j];
        ++degree[i];
      }
    }
  }
  for (int u = 0; u < skeletonAtoms; ++u) {
    const int terminals = static_cast<int>(random() % 4);
    const int terminalClass = static_cast<int>(random() % 3);
    for (int k = 0; k < terminals && degree[u] < 4; ++k, ++degree[u]) {
      molecule.bonds.push_back({u, static_cast<int32_t>(molecule.classes.size())});
      molecule.classes.push_back(terminalClass);
    }
  }
  return molecule;
}

// A renumbering of the atoms that keeps the order of the skeleton atoms
// within each connected part (the order of the pi centres), moving whole
// parts and terminal atoms anywhere.
std::vector<int> RandomRenumbering(const RandomMolecule& molecule, std::mt19937& random) {
  const int n = static_cast<int>(molecule.classes.size());
  std::vector<int> part(n);
  std::iota(part.begin(), part.end(), 0);
  const auto root = [&](int i) {
    while (part[i] != i) i = part[i];
    return i;
  };
  for (const Bond& b : molecule.bonds)
    if (molecule.classes[b.atom1] > 2 && molecule.classes[b.atom2] > 2)
      part[std::max(root(b.atom1), root(b.atom2))] = std::min(root(b.atom1), root(b.atom2));
  std::vector<int> newIndex(n);
  std::iota(newIndex.begin(), newIndex.end(), 0);
  std::shuffle(newIndex.begin(), newIndex.end(), random);
  for (int r = 0; r < n; ++r) {
    std::vector<int> members, targets;
    for (int i = 0; i < n; ++i)
      if (molecule.classes[i] > 2 && root(i) == r) {
        members.push_back(i);
        targets.push_back(newIndex[i]);
      }
    std::sort(targets.begin(), targets.end());
    for (size_t k = 0; k < members.size(); ++k) newIndex[members[k]] = targets[k];
  }
  return newIndex;
}

TEST(PartialCharges, RandomMoleculesAreNeutralAndIndependentOfNumbering) {
  std::mt19937 random(12);
  for (int trial = 0; trial < 20; ++trial) {
    const RandomMolecule molecule = MakeRandomMolecule(random, 4 + trial);
    const auto charges = Charges(molecule.classes, molecule.bonds);
    SCOPED_TRACE(testing::Message() << "trial " << trial);
    EXPECT_NEAR(Sum(charges), 0.0, 1e-9);

    // Renumber the atoms, flip and shuffle the bonds.
    const int n = static_cast<int>(molecule.classes.size());
    const std::vector<int> newIndex = RandomRenumbering(molecule, random);
    std::vector<int> classes(n);
    for (int i = 0; i < n; ++i) classes[newIndex[i]] = molecule.classes[i];
    std::vector<Bond> bonds;
    for (const Bond& b : molecule.bonds) {
      const Bond renamed{newIndex[b.atom1], newIndex[b.atom2]};
      bonds.push_back(random() % 2 ? renamed : Bond{renamed.atom2, renamed.atom1});
    }
    std::shuffle(bonds.begin(), bonds.end(), random);
    const auto renumbered = Charges(classes, bonds);
    for (int i = 0; i < n; ++i) EXPECT_NEAR(renumbered[newIndex[i]], charges[i], 1e-9) << i;
  }
}

// Charges with the pi levels always from LAPACK (equal levels at the edge of
// the filling still take Jacobi) and always from Jacobi.
struct BothPaths {
  std::vector<double> lapack, jacobi;
  PiSolverCounts counts;
};

BothPaths ChargesBothWays(const std::vector<int>& classes, const std::vector<Bond>& bonds) {
  BothPaths paths;
  paths.lapack.assign(classes.size(), 0.0);
  paths.jacobi.assign(classes.size(), 0.0);
  const int n = static_cast<int>(classes.size()), b = static_cast<int>(bonds.size());
  ComputePartialCharges(n, classes.data(), b, bonds.data(), paths.lapack.data(),
                        {.lapackFromOrder = 1, .counts = &paths.counts});
  ComputePartialCharges(n, classes.data(), b, bonds.data(), paths.jacobi.data(),
                        {.lapackFromOrder = 1 << 30});
  return paths;
}

TEST(PartialCharges, LapackLevelsGiveTheJacobiCharges) {
  PiSolverCounts counts;
  const auto expectSame = [&](const std::vector<int>& classes, const std::vector<Bond>& bonds) {
    const BothPaths paths = ChargesBothWays(classes, bonds);
    for (size_t i = 0; i < classes.size(); ++i)
      EXPECT_NEAR(paths.lapack[i], paths.jacobi[i], 1e-6) << "atom " << i;
    counts.lapack += paths.counts.lapack;
    counts.jacobi += paths.counts.jacobi;
  };
  std::mt19937 random(7);
  for (int trial = 0; trial < 40; ++trial) {
    SCOPED_TRACE(testing::Message() << "trial " << trial);
    const RandomMolecule molecule = MakeRandomMolecule(random, 2 + 3 * trial);
    expectSame(molecule.classes, molecule.bonds);
  }
  // Equal levels on the edge of the filling: two lone centres sharing two
  // electrons, and a five-ring of one class with an odd count.
  expectSame({3, 3}, {});
  expectSame({4, 4, 4, 4, 4}, {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}});
  // A long conjugated chain and a ring of rings.
  std::vector<int> chain(120, 4);
  std::vector<Bond> chainBonds;
  for (int i = 1; i < 120; ++i) chainBonds.push_back({i - 1, i});
  expectSame(chain, chainBonds);
  // Both paths were taken, LAPACK for most components.
  EXPECT_GE(counts.jacobi, 2);
  EXPECT_GT(counts.lapack, 4 * counts.jacobi);
}

TEST(RecomputeCharges, WritesEveryAtomFromItsTypeAndTheBonds) {
  auto records = std::make_unique<Records>();
  records->tables.defaultAtomType = 4;  // charged as class 3
  records->document.atomCount = 5;
  const int32_t types[5] = {4, 3, 3, 0, 3};  // atom 3's type 0 uses the default
  for (int i = 0; i < 5; ++i) {
    records->document.atoms[i].atomType = types[i];
    records->document.atoms[i].charge = 7.0f;
  }
  records->document.bonds[0] = {0, 1};
  records->document.bonds[1] = {2, 0};
  records->document.bonds[2] = {0, 4};
  records->document.bondCount = 3;
  RecomputeCharges(records->document, records->tables);
  EXPECT_NEAR(records->document.atoms[0].charge, -0.1483f, 0.00005f);
  for (int i : {1, 2, 4}) EXPECT_NEAR(records->document.atoms[i].charge, 0.0494f, 0.00005f);
  EXPECT_EQ(records->document.atoms[3].charge, 0.0f);  // a lone skeleton atom

  records->document.atomCount = 1;
  records->document.bondCount = 0;
  RecomputeCharges(records->document, records->tables);
  EXPECT_EQ(records->document.atoms[0].charge, 0.0f);

  records->document.atomCount = 2;
  records->document.atoms[1].atomType = 0;
  records->document.atoms[0].charge = 3.0f;
  records->tables.defaultAtomType = 0;  // no usable default: every charge 0
  RecomputeCharges(records->document, records->tables);
  EXPECT_EQ(records->document.atoms[0].charge, 0.0f);
  EXPECT_EQ(records->document.atoms[1].charge, 0.0f);

  // Cancelled, it leaves every charge alone.
  records->tables.defaultAtomType = 4;
  records->document.atoms[0].charge = 3.0f;
  const std::atomic<bool> cancel{true};
  EXPECT_FALSE(RecomputeCharges(records->document, records->tables, {.cancel = &cancel}));
  EXPECT_EQ(records->document.atoms[0].charge, 3.0f);
}

}  // namespace
}  // namespace tf
