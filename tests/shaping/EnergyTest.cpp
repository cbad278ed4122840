// TotalEnergy and LocalEnergy: which terms they add up, and agreement of the
// fast paths with the plain reference and with each other.

#include "shaping/Energy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "ReferenceShaping.h"
#include "ShapingFixtures.h"

namespace tf {
namespace {

using test::AddTestAtom;
using test::AddTestBond;
using test::kSp0;
using test::kSp2;
using test::kSp3;
using test::MakeRandomMolecule;
using test::MakeShapingRecords;

// Relative agreement of two single-precision sums of many terms.
void ExpectClose(float actual, float expected, const char* what) {
  EXPECT_NEAR(actual, expected, 2e-5f * (1.0f + std::fabs(expected))) << what;
}

void ExpectSameComponents(const EnergyComponents& a, const EnergyComponents& b) {
  ExpectClose(a.distances, b.distances, "distances");
  ExpectClose(a.angles, b.angles, "angles");
  ExpectClose(a.outOfPlane, b.outOfPlane, "out-of-plane");
  ExpectClose(a.torsions, b.torsions, "torsions");
  ExpectClose(a.lennardJones, b.lennardJones, "lennard-jones");
  ExpectClose(a.coulomb, b.coulomb, "coulomb");
  ExpectClose(a.total, b.total, "total");
}

TEST(TotalEnergy, WithoutBondsIsTheSumOfAllPairs) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.coulomb = 2.0f;
  records->tables.stiffness.lennardJones = 0.5f;
  records->tables.stiffness.distances = 10.0f;
  AddTestAtom(*records, kSp0, 0, 0, 0, 1.0f);
  AddTestAtom(*records, kSp3, 3, 0, 0, -0.5f);
  AddTestAtom(*records, kSp2, 0, 4, 0, 0.25f);
  float pairs = 0.0f;
  for (int32_t i = 0; i < 3; ++i)
    for (int32_t j = i + 1; j < 3; ++j)
      pairs += CoulombTerm(records->document, records->tables, i, j) +
               LennardJonesTerm(records->document, records->tables, i, j);
  const EnergyComponents parts = ComputeEnergyComponents(records->document, records->tables);
  EXPECT_NEAR(parts.total, pairs, 1e-5f);
  EXPECT_EQ(parts.distances, 0.0f);
  // Coulomb alone by hand: 2 * (1 * -0.5 / 3 + 1 * 0.25 / 4 + -0.5 * 0.25 / 5)
  EXPECT_NEAR(parts.coulomb, 2.0f * (-0.5f / 3 + 0.25f / 4 - 0.125f / 5), 1e-6f);
}

TEST(TotalEnergy, OneThreePairsAreExcludedAndOneFourPairsCount) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.coulomb = 1.0f;
  for (int i = 0; i < 4; ++i) AddTestAtom(*records, kSp3, 1.5f * i, 0, 0, 1.0f);
  AddTestBond(*records, 0, 1);
  AddTestBond(*records, 2, 1);
  AddTestBond(*records, 2, 3);
  // Only the 1-4 pair 0-3 at distance 4.5 remains.
  EXPECT_NEAR(ComputeEnergyComponents(records->document, records->tables).coulomb, 1.0f / 4.5f,
              1e-6f);
  records->document.bondCount = 2;  // now 0-3 and 1-3 and 2-3 are free pairs
  EXPECT_NEAR(ComputeEnergyComponents(records->document, records->tables).coulomb,
              1.0f / 4.5f + 1.0f / 3.0f + 1.0f / 1.5f, 1e-6f);
}

TEST(TotalEnergy, SumsTheBondedTermsOfASmallMolecule) {
  // Two bonded sp2 atoms, each with two further neighbours: four torsions
  // about the central bond and one out-of-plane term per centre.
  auto records = MakeShapingRecords();
  records->tables.stiffness.torsionsSp2Sp2 = 1.0f;
  records->tables.stiffness.outOfPlane = 1.0f;
  const int32_t b = AddTestAtom(*records, kSp2, 0, 0, 0);
  const int32_t c = AddTestAtom(*records, kSp2, 1.4f, 0, 0);
  const int32_t b1 = AddTestAtom(*records, kSp0, -0.7f, 1.2f, 0);
  const int32_t b2 = AddTestAtom(*records, kSp0, -0.7f, -1.2f, 0);
  const int32_t c1 = AddTestAtom(*records, kSp0, 2.1f, 0, 1.2f);  // twisted by 90 degrees
  const int32_t c2 = AddTestAtom(*records, kSp0, 2.1f, 0, -1.2f);
  AddTestBond(*records, b, c);
  AddTestBond(*records, b, b1);
  AddTestBond(*records, b2, b);
  AddTestBond(*records, c, c1);
  AddTestBond(*records, c, c2);
  const EnergyComponents parts = ComputeEnergyComponents(records->document, records->tables);
  EXPECT_NEAR(parts.torsions, 4 * 2.0f, 1e-4f);  // every torsion at 90 degrees
  EXPECT_NEAR(parts.outOfPlane, 0.0f, 1e-10f);   // both centres planar
  records->document.atoms[c].atomType = kSp3;    // mixed kinds: no torsion energy
  EXPECT_EQ(ComputeEnergyComponents(records->document, records->tables).torsions, 0.0f);
  records->document.atoms[c].atomType = kSp2;
  records->document.atoms[b].z = 0.3f;  // b lifted out of the plane of its neighbours
  EXPECT_NEAR(ComputeEnergyComponents(records->document, records->tables).outOfPlane, 0.09f, 1e-5f);
}

TEST(TotalEnergy, RecordsTheChangeSinceTheLastEvaluation) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.distances = 1.0f;
  AddTestAtom(*records, kSp0, 0, 0, 0);
  AddTestAtom(*records, kSp0, 3, 0, 0);
  AddTestBond(*records, 0, 1);
  records->shaping.energy = 0.0f;
  EXPECT_FLOAT_EQ(TotalEnergy(records->document, records->tables, records->shaping), 4.0f);
  EXPECT_FLOAT_EQ(records->shaping.energy, 4.0f);
  EXPECT_FLOAT_EQ(records->shaping.energyChange, 4.0f);  // first evaluation of a run
  records->document.atoms[1].x = 2.0f;
  TotalEnergy(records->document, records->tables, records->shaping);
  EXPECT_FLOAT_EQ(records->shaping.energy, 1.0f);
  EXPECT_FLOAT_EQ(records->shaping.energyChange, -3.0f);
}

TEST(TotalEnergy, MatchesTheReferenceOnRandomMolecules) {
  for (uint32_t seed = 1; seed <= 6; ++seed) {
    auto records = MakeRandomMolecule(20 + 37 * seed, seed);
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    ExpectSameComponents(ComputeEnergyComponents(records->document, records->tables),
                         test::ReferenceComponents(*records));
  }
}

TEST(TotalEnergy, OddBondListsStayFinite) {
  auto records = MakeRandomMolecule(30, 3);
  for (int32_t n = 1; n <= 7; ++n) AddTestBond(*records, 0, n);  // seven more bonds on atom 0
  AddTestBond(*records, 5, 5);
  AddTestBond(*records, 6, 9);
  AddTestBond(*records, 9, 6);
  AddTestBond(*records, 2, 31);                             // names an atom that is not in use
  records->document.atoms[4] = records->document.atoms[3];  // coincident atoms
  const EnergyComponents parts = ComputeEnergyComponents(records->document, records->tables);
  EXPECT_TRUE(std::isfinite(parts.total));
  for (uint32_t atom = 0; atom < records->document.atomCount; ++atom)
    EXPECT_TRUE(std::isfinite(LocalEnergy(records->document, records->tables, atom, kAllTerms)))
        << atom;
}

TEST(LocalEnergy, WithNoTermsIsZeroWhateverTheTrial) {
  auto records = MakeRandomMolecule(25, 9);
  const Vector3 far{100, 100, 100};
  EXPECT_EQ(LocalEnergy(records->document, records->tables, 3, 0), 0.0f);
  EXPECT_EQ(LocalEnergy(records->document, records->tables, 3, 0, &far), 0.0f);
  EXPECT_EQ(LocalEnergy(records->document, records->tables, 25, kAllTerms),
            0.0f);  // not an atom in use
}

// On a small molecule, every atom; on one large enough for the pair sums to
// be cut into chunks, atoms spread over the chunks.
TEST(LocalEnergy, MatchesTheReferenceForEveryTermSet) {
  auto records = MakeRandomMolecule(60, 4);
  auto large = test::MakeLatticeMolecule(1100, 8);
  std::mt19937 random(5);
  std::uniform_real_distribution<float> offset(-0.4f, 0.4f);
  for (uint32_t atom = 0; atom < records->document.atomCount; ++atom) {
    const uint32_t terms = random() % 64;
    const Atom& a = records->document.atoms[atom];
    const Vector3 trial{a.x + offset(random), a.y + offset(random), a.z + offset(random)};
    SCOPED_TRACE(testing::Message() << "atom " << atom << " terms " << terms);
    ExpectClose(LocalEnergy(records->document, records->tables, atom, terms),
                test::ReferenceLocalEnergy(*records, atom, terms, nullptr), "stored");
    ExpectClose(LocalEnergy(records->document, records->tables, atom, terms, &trial),
                test::ReferenceLocalEnergy(*records, atom, terms, &trial), "trial");
  }
  for (uint32_t atom = 0; atom < large->document.atomCount; atom += 137) {
    SCOPED_TRACE(testing::Message() << "large, atom " << atom);
    ExpectClose(LocalEnergy(large->document, large->tables, atom, kAllTerms),
                test::ReferenceLocalEnergy(*large, atom, kAllTerms, nullptr), "stored");
  }
}

// Moving one atom changes exactly the terms that contain it, so the change of
// each kind in the total equals the change of LocalEnergy with that kind's bit.
TEST(LocalEnergy, ChangesLikeTheTotalForSingleAtomMoves) {
  struct Kind {
    uint32_t bit;
    float EnergyComponents::*part;
  } kinds[] = {{kTermDistances, &EnergyComponents::distances},
               {kTermAngles, &EnergyComponents::angles},
               {kTermOutOfPlane, &EnergyComponents::outOfPlane},
               {kTermTorsions, &EnergyComponents::torsions},
               {kTermVanDerWaals, &EnergyComponents::lennardJones},
               {kTermCoulomb, &EnergyComponents::coulomb}};
  for (uint32_t seed = 11; seed <= 14; ++seed) {
    auto records = MakeRandomMolecule(40, seed);
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> offset(-0.3f, 0.3f);
    for (int move = 0; move < 25; ++move) {
      const uint32_t atom = random() % records->document.atomCount;
      Atom& a = records->document.atoms[atom];
      const Vector3 trial{a.x + offset(random), a.y + offset(random), a.z + offset(random)};
      const EnergyComponents before = ComputeEnergyComponents(records->document, records->tables);
      const float localBefore = LocalEnergy(records->document, records->tables, atom, kAllTerms);
      const float localAfter =
          LocalEnergy(records->document, records->tables, atom, kAllTerms, &trial);
      float kindBefore[6], kindAfter[6];
      for (int k = 0; k < 6; ++k) {
        kindBefore[k] = LocalEnergy(records->document, records->tables, atom, kinds[k].bit);
        kindAfter[k] = LocalEnergy(records->document, records->tables, atom, kinds[k].bit, &trial);
      }
      a.x = trial.x, a.y = trial.y, a.z = trial.z;
      const EnergyComponents after = ComputeEnergyComponents(records->document, records->tables);
      SCOPED_TRACE(testing::Message() << "seed " << seed << " atom " << atom);
      // Single-precision sums: allow a few units in the last place of the totals.
      const auto tolerance = [](float x, float y) {
        return 1e-5f + 1e-6f * std::max(std::fabs(x), std::fabs(y));
      };
      EXPECT_NEAR(after.total - before.total, localAfter - localBefore,
                  tolerance(after.total, before.total));
      for (int k = 0; k < 6; ++k) {
        const float b = before.*kinds[k].part, a = after.*kinds[k].part;
        EXPECT_NEAR(a - b, kindAfter[k] - kindBefore[k], tolerance(a, b)) << "bit " << kinds[k].bit;
      }
    }
  }
}

}  // namespace
}  // namespace tf
