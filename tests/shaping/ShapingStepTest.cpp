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
using test::MakeShapingStore;

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
  auto store = MakeShapingStore();
  store->energy = 12.0f;
  store->shapingIterations = 57;
  store->stepScale = 0.01f;
  BeginShapingRun(*store);
  EXPECT_EQ(store->energy, 0.0f);
  EXPECT_EQ(store->shapingIterations, 0);
  EXPECT_EQ(store->stepScale, 1.0f);
  for (int iteration = 1; iteration <= 2000; ++iteration) {
    AdvanceShapingSchedule(*store);
    const int cycle = iteration % 1000;
    const float expected = std::ldexp(1.0f, -(cycle / 100));
    ASSERT_EQ(store->stepScale, expected) << "after iteration " << iteration;
    ASSERT_EQ(store->shapingIterations, iteration % 100);
  }
  for (int i = 0; i < 900; ++i) AdvanceShapingSchedule(*store);
  EXPECT_EQ(store->stepScale, 1.0f / 512);
}

TEST(ShapingStep, MatchesTheReferenceSweep) {
  for (uint32_t seed = 21; seed <= 23; ++seed) {
    auto fast = MakeRandomMolecule(45, seed);
    auto plain = MakeRandomMolecule(45, seed);
    fast->stepScale = plain->stepScale = 0.5f;
    ShapingRandom fastRandom(seed), plainRandom(seed);
    for (int sweep = 0; sweep < 4; ++sweep) {
      ShapingStep(*fast, kAllTerms, fastRandom);
      test::ReferenceShapingStep(*plain, kAllTerms, plainRandom);
    }
    int moved = 0;
    for (uint32_t i = 0; i < fast->atomCount; ++i) {
      const Atom &a = fast->atoms[i], &b = plain->atoms[i];
      ASSERT_NEAR(a.x, b.x, 1e-5f) << "seed " << seed << " atom " << i;
      ASSERT_NEAR(a.y, b.y, 1e-5f);
      ASSERT_NEAR(a.z, b.z, 1e-5f);
      auto original = MakeRandomMolecule(45, seed);
      if (a.x != original->atoms[i].x) ++moved;
    }
    EXPECT_GT(moved, 10) << "the sweep should accept some moves";
  }
}

TEST(ShapingStep, EqualEnergiesAreRejected) {
  auto store = MakeRandomMolecule(30, 5);
  auto before = MakeRandomMolecule(30, 5);
  store->stepScale = 1.0f;
  ShapingRandom random(3);
  ShapingStep(*store, 0, random);  // no terms: every trial ties at 0
  for (uint32_t i = 0; i < store->atomCount; ++i) {
    EXPECT_EQ(store->atoms[i].x, before->atoms[i].x);
    EXPECT_EQ(store->atoms[i].z, before->atoms[i].z);
  }
  // All three draws of every atom were still taken.
  ShapingRandom expected(3);
  for (uint32_t i = 0; i < 3 * store->atomCount; ++i) expected.Next();
  EXPECT_EQ(random.Next(), expected.Next());
}

TEST(ShapingStep, DistancesAloneContractAStretchedBondAndIgnoreOverlaps) {
  auto store = MakeShapingStore();
  store->tables.stiffness.distances = 5.0f;
  store->tables.stiffness.lennardJones = 1.0f;
  const int32_t a = AddTestAtom(*store, kSp0, 0, 0, 0);
  const int32_t b = AddTestAtom(*store, kSp0, 3, 0, 0);
  const int32_t c = AddTestAtom(*store, kSp0, 0, 0.5f, 0);  // overlaps a, not bonded
  AddTestBond(*store, a, b);
  BeginShapingRun(*store);
  ShapingRandom random(8);
  for (int iteration = 0; iteration < 400; ++iteration) {
    ShapingStep(*store, kTermDistances, random);
    AdvanceShapingSchedule(*store);
  }
  const Atom &pa = store->atoms[a], &pb = store->atoms[b], &pc = store->atoms[c];
  const float length = std::hypot(pa.x - pb.x, pa.y - pb.y, pa.z - pb.z);
  EXPECT_NEAR(length, 1.0f, 0.05f);
  EXPECT_EQ(pc.y, 0.5f);  // c is in no selected term and never moves
  EXPECT_EQ(pc.x, 0.0f);
}

TEST(ShapingStep, NonFiniteTrialEnergiesNeverMoveAnAtom) {
  // A negative Lennard-Jones constant this large makes close trials -inf.
  auto store = MakeShapingStore();
  store->tables.stiffness.lennardJones = -5.0e37f;
  store->tables.atomTypes[0].ljSigma = 1.0f;
  store->tables.atomTypes[0].ljEpsilon = 1.0f;
  AddTestAtom(*store, kSp0, 0, 0, 0);
  AddTestAtom(*store, kSp0, 1.0f, 0, 0);
  store->stepScale = 1.0f;
  ShapingRandom random(17);
  for (int sweep = 0; sweep < 200; ++sweep) {
    ShapingStep(*store, kTermVanDerWaals, random);
    for (uint32_t atom = 0; atom < 2; ++atom)
      ASSERT_TRUE(std::isfinite(LocalEnergy(*store, atom, kTermVanDerWaals)))
          << "sweep " << sweep << " atom " << atom;
  }
  const float r = std::fabs(store->atoms[1].x - store->atoms[0].x);
  EXPECT_LT(r, 1.0f);  // finite improvements were still taken
}

TEST(ShapingStep, OddMoleculesAndEmptyStoresAreSafe) {
  auto empty = MakeShapingStore();
  empty->stepScale = 1.0f;
  ShapingRandom random(2);
  ShapingStep(*empty, kAllTerms, random);
  EXPECT_EQ(TotalEnergy(*empty), 0.0f);

  auto store = MakeRandomMolecule(20, 6);
  for (int32_t n = 1; n <= 6; ++n) AddTestBond(*store, 0, n);
  AddTestBond(*store, 4, 4);
  AddTestBond(*store, 4, 400);
  store->atoms[7] = store->atoms[8];
  store->stepScale = 0.3f;
  for (int sweep = 0; sweep < 5; ++sweep) ShapingStep(*store, kAllTerms, random);
  for (uint32_t i = 0; i < store->atomCount; ++i)
    ASSERT_TRUE(std::isfinite(store->atoms[i].x + store->atoms[i].y + store->atoms[i].z));
  EXPECT_TRUE(std::isfinite(TotalEnergy(*store)));
}

}  // namespace
}  // namespace tf
