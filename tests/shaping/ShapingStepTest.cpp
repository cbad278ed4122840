// The sweep of trial moves, the step-size schedule and the random sequence.

#include "shaping/ShapingStep.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ReferenceShaping.h"
#include "ShapingFixtures.h"
#include "shaping/Energy.h"

namespace tf {
namespace {

using test::AddTestAtom;
using test::AddTestBond;
using test::kSp0;
using test::MakeRandomMolecule;
using test::MakeShapingRecords;

TEST(ShapingRandom, SeededSequenceInRange) {
  ShapingRandom random(1);
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);
  ShapingRandom a(99), b(99);
  int32_t low = ShapingRandom::kMax, high = 0;
  for (int i = 0; i < 100000; ++i) {
    const int32_t value = a.Next();
    ASSERT_EQ(value, b.Next());
    low = std::min(low, value);
    high = std::max(high, value);
  }
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, ShapingRandom::kMax);
}

TEST(ShapingSchedule, HalvesEveryHundredIterationsInACycleOfAThousand) {
  auto records = MakeShapingRecords();
  records->shaping.energy = 12.0f;
  records->shaping.shapingIterations = 57;
  records->shaping.stepScale = 0.01f;
  BeginShapingRun(records->shaping);
  EXPECT_EQ(records->shaping.energy, 0.0f);
  EXPECT_EQ(records->shaping.shapingIterations, 0);
  EXPECT_EQ(records->shaping.stepScale, 1.0f);
  for (int iteration = 1; iteration <= 2000; ++iteration) {
    AdvanceShapingSchedule(records->shaping);
    const int cycle = iteration % 1000;
    const float expected = std::ldexp(1.0f, -(cycle / 100));
    ASSERT_EQ(records->shaping.stepScale, expected) << "after iteration " << iteration;
    ASSERT_EQ(records->shaping.shapingIterations, iteration % 100);
  }
  for (int i = 0; i < 900; ++i) AdvanceShapingSchedule(records->shaping);
  EXPECT_EQ(records->shaping.stepScale, 1.0f / 512);
}

TEST(ShapingStep, MatchesTheReferenceSweep) {
  for (uint32_t seed = 21; seed <= 23; ++seed) {
    auto fast = MakeRandomMolecule(45, seed);
    auto plain = MakeRandomMolecule(45, seed);
    fast->shaping.stepScale = plain->shaping.stepScale = 0.5f;
    ShapingRandom fastRandom(seed), plainRandom(seed);
    for (int sweep = 0; sweep < 4; ++sweep) {
      ShapingStep(fast->document, fast->tables, fast->shaping.stepScale, kAllTerms, fastRandom);
      test::ReferenceShapingStep(*plain, kAllTerms, plainRandom);
    }
    int moved = 0;
    for (uint32_t i = 0; i < fast->document.atomCount; ++i) {
      const Atom &a = fast->document.atoms[i], &b = plain->document.atoms[i];
      ASSERT_NEAR(a.x, b.x, 1e-5f) << "seed " << seed << " atom " << i;
      ASSERT_NEAR(a.y, b.y, 1e-5f);
      ASSERT_NEAR(a.z, b.z, 1e-5f);
      auto original = MakeRandomMolecule(45, seed);
      if (a.x != original->document.atoms[i].x) ++moved;
    }
    EXPECT_GT(moved, 10) << "the sweep should accept some moves";
  }
}

TEST(ShapingStep, EqualEnergiesAreRejected) {
  auto records = MakeRandomMolecule(30, 5);
  auto before = MakeRandomMolecule(30, 5);
  records->shaping.stepScale = 1.0f;
  ShapingRandom random(3);
  ShapingStep(records->document, records->tables, records->shaping.stepScale, 0,
              random);  // no terms: every trial ties at 0
  for (uint32_t i = 0; i < records->document.atomCount; ++i) {
    EXPECT_EQ(records->document.atoms[i].x, before->document.atoms[i].x);
    EXPECT_EQ(records->document.atoms[i].z, before->document.atoms[i].z);
  }
  // All three draws of every atom were still taken.
  ShapingRandom expected(3);
  for (uint32_t i = 0; i < 3 * records->document.atomCount; ++i) expected.Next();
  EXPECT_EQ(random.Next(), expected.Next());
}

TEST(ShapingStep, DistancesAloneContractAStretchedBondAndIgnoreOverlaps) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.distances = 5.0f;
  records->tables.stiffness.lennardJones = 1.0f;
  const int32_t a = AddTestAtom(*records, kSp0, 0, 0, 0);
  const int32_t b = AddTestAtom(*records, kSp0, 3, 0, 0);
  const int32_t c = AddTestAtom(*records, kSp0, 0, 0.5f, 0);  // overlaps a, not bonded
  AddTestBond(*records, a, b);
  BeginShapingRun(records->shaping);
  ShapingRandom random(8);
  for (int iteration = 0; iteration < 400; ++iteration) {
    ShapingStep(records->document, records->tables, records->shaping.stepScale, kTermDistances,
                random);
    AdvanceShapingSchedule(records->shaping);
  }
  const Atom &pa = records->document.atoms[a], &pb = records->document.atoms[b],
             &pc = records->document.atoms[c];
  const float length = std::hypot(pa.x - pb.x, pa.y - pb.y, pa.z - pb.z);
  EXPECT_NEAR(length, 1.0f, 0.05f);
  EXPECT_EQ(pc.y, 0.5f);  // c is in no selected term and never moves
  EXPECT_EQ(pc.x, 0.0f);
}

TEST(ShapingStep, NonFiniteTrialEnergiesNeverMoveAnAtom) {
  // A negative Lennard-Jones constant this large makes close trials -inf.
  auto records = MakeShapingRecords();
  records->tables.stiffness.lennardJones = -5.0e37f;
  records->tables.atomTypes[0].ljSigma = 1.0f;
  records->tables.atomTypes[0].ljEpsilon = 1.0f;
  AddTestAtom(*records, kSp0, 0, 0, 0);
  AddTestAtom(*records, kSp0, 1.0f, 0, 0);
  records->shaping.stepScale = 1.0f;
  ShapingRandom random(17);
  for (int sweep = 0; sweep < 200; ++sweep) {
    ShapingStep(records->document, records->tables, records->shaping.stepScale, kTermVanDerWaals,
                random);
    for (uint32_t atom = 0; atom < 2; ++atom)
      ASSERT_TRUE(
          std::isfinite(LocalEnergy(records->document, records->tables, atom, kTermVanDerWaals)))
          << "sweep " << sweep << " atom " << atom;
  }
  const float r = std::fabs(records->document.atoms[1].x - records->document.atoms[0].x);
  EXPECT_LT(r, 1.0f);  // finite improvements were still taken
}

TEST(ShapingStep, OddMoleculesAndEmptyDocumentsAreSafe) {
  auto empty = MakeShapingRecords();
  empty->shaping.stepScale = 1.0f;
  ShapingRandom random(2);
  ShapingStep(empty->document, empty->tables, empty->shaping.stepScale, kAllTerms, random);
  EXPECT_EQ(TotalEnergy(empty->document, empty->tables, empty->shaping), 0.0f);

  auto records = MakeRandomMolecule(20, 6);
  for (int32_t n = 1; n <= 6; ++n) AddTestBond(*records, 0, n);
  AddTestBond(*records, 4, 4);
  AddTestBond(*records, 4, 400);
  records->document.atoms[7] = records->document.atoms[8];
  records->shaping.stepScale = 0.3f;
  for (int sweep = 0; sweep < 5; ++sweep)
    ShapingStep(records->document, records->tables, records->shaping.stepScale, kAllTerms, random);
  for (uint32_t i = 0; i < records->document.atomCount; ++i)
    ASSERT_TRUE(std::isfinite(records->document.atoms[i].x + records->document.atoms[i].y +
                              records->document.atoms[i].z));
  EXPECT_TRUE(std::isfinite(TotalEnergy(records->document, records->tables, records->shaping)));
}

}  // namespace
}  // namespace tf
