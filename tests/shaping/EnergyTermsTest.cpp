// Hand-computed values of each term on two- to four-atom systems.

#include "shaping/EnergyTerms.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ShapingFixtures.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using test::AddTestAtom;
using test::AddTestBond;
using test::kSp0;
using test::kSp2;
using test::kSp3;
using test::MakeShapingRecords;
using test::Records;
using test::SetAllStiffness;

constexpr float kPi = 3.14159265f;

TEST(EnergyTerms, StretchedBondGrowsWithTheSquareOfTheStretch) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.distances = 2.0f;
  records->tables.equilibriumDistance[kSp3][kSp2] = 1.5f;
  records->tables.equilibriumDistance[kSp2][kSp3] = 1.5f;
  const int32_t a = AddTestAtom(*records, kSp3, 0, 0, 0);
  const int32_t b = AddTestAtom(*records, kSp2, 2.0f, 0, 0);
  EXPECT_FLOAT_EQ(DistanceTerm(records->document, records->tables, a, b), 2.0f * 0.25f);
  EXPECT_FLOAT_EQ(DistanceTerm(records->document, records->tables, b, a), 2.0f * 0.25f);
  // A pair without a distance parameter is pulled towards length 0.
  records->tables.equilibriumDistance[kSp3][kSp2] = 0.0f;
  EXPECT_FLOAT_EQ(DistanceTerm(records->document, records->tables, a, b), 2.0f * 4.0f);
  // The trial position replaces whichever atom it names.
  const TrialMove move{b, {0.0f, 3.0f, 0.0f}};
  EXPECT_FLOAT_EQ(DistanceTerm(records->document, records->tables, a, b, &move), 2.0f * 9.0f);
}

TEST(EnergyTerms, RightAngleAtAnSp3VertexAgainstTheTetrahedralAngle) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.angles = 3.0f;
  const int32_t a = AddTestAtom(*records, kSp0, 1.5f, 0, 0);
  const int32_t b = AddTestAtom(*records, kSp0, 0, 0.7f, 0);
  const int32_t c = AddTestAtom(*records, kSp3, 0, 0, 0);
  const float bend = kPi / 2 - 1.91063321f;
  EXPECT_NEAR(AngleTerm(records->document, records->tables, a, b, c), 3.0f * bend * bend, 1e-6f);
  // The ideal angle comes from the vertex: a straight sp2 vertex is pi - 2pi/3 off.
  records->document.atoms[c].atomType = kSp2;
  const TrialMove straight{b, {-2.0f, 0, 0}};
  EXPECT_NEAR(AngleTerm(records->document, records->tables, a, b, c, &straight),
              3.0f * (kPi / 3) * (kPi / 3), 1e-5f);
}

TEST(EnergyTerms, PyramidalSp2CentreGivesTheSquaredHeight) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.outOfPlane = 1.5f;
  const int32_t p1 = AddTestAtom(*records, kSp0, 1, 0, 0);
  const int32_t p2 = AddTestAtom(*records, kSp0, -0.5f, 0.866f, 0);
  const int32_t p3 = AddTestAtom(*records, kSp0, -0.5f, -0.866f, 0);
  const int32_t c = AddTestAtom(*records, kSp2, 0.2f, 0.1f, 0.4f);
  EXPECT_NEAR(OutOfPlaneTerm(records->document, records->tables, p1, p2, p3, c), 1.5f * 0.16f,
              1e-6f);
  const TrialMove flat{c, {0.3f, -0.2f, 0.0f}};
  EXPECT_NEAR(OutOfPlaneTerm(records->document, records->tables, p1, p2, p3, c, &flat), 0.0f,
              1e-9f);
  // Lifting p1 tilts the plane to z = x + 0.5: h = (0.8 - 1.1) / sqrt(2).
  const TrialMove lifted{p1, {1.0f, 0.0f, 1.5f}};
  EXPECT_NEAR(OutOfPlaneTerm(records->document, records->tables, p1, p2, p3, c, &lifted),
              1.5f * 0.045f, 1e-6f);
}

// Chain a-b-c-d with the central bond along x and dihedral angle phi.
std::unique_ptr<Records> TorsionChain(int32_t typeB, int32_t typeC, float phi) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.torsionsSp2Sp2 = 0.7f;
  records->tables.stiffness.torsionsSp3Sp3 = 0.4f;
  AddTestAtom(*records, kSp0, 0, 1, 0);
  AddTestAtom(*records, typeB, 0, 0, 0);
  AddTestAtom(*records, typeC, 1.5f, 0, 0);
  AddTestAtom(*records, kSp0, 1.5f, std::cos(phi), std::sin(phi));
  return records;
}

TEST(EnergyTerms, TorsionsOfBothKinds) {
  struct Case {
    int32_t b, c;
    float phi, expected;
  } cases[] = {
      {kSp2, kSp2, 0.0f, 0.0f},            // cis, planar
      {kSp2, kSp2, kPi, 0.0f},             // trans, planar
      {kSp2, kSp2, kPi / 2, 0.7f * 2.0f},  // perpendicular
      {kSp3, kSp3, 0.0f, 0.4f * 2.0f},     // eclipsed
      {kSp3, kSp3, kPi, 0.0f},             // trans, staggered
      {kSp3, kSp3, kPi / 3, 0.0f},         // gauche, staggered
      {kSp3, kSp3, kPi / 2, 0.4f * 1.0f},  // cos(3 pi/2) = 0
      {kSp2, kSp3, kPi / 2, 0.0f},         // mixed kinds contribute nothing
      {kSp0, kSp0, kPi / 2, 0.0f},
  };
  for (const Case& c : cases) {
    auto records = TorsionChain(c.b, c.c, c.phi);
    EXPECT_NEAR(TorsionTerm(records->document, records->tables, 0, 1, 2, 3), c.expected, 2e-5f)
        << "types " << c.b << "/" << c.c << " phi " << c.phi;
    EXPECT_NEAR(TorsionTerm(records->document, records->tables, 3, 2, 1, 0), c.expected, 2e-5f)
        << "reversed chain";
  }
}

TEST(EnergyTerms, LennardJonesPairAtSigmaAndAtTheMinimum) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.lennardJones = 0.3f;
  // sigma = (2.0 + 3.0) / 2, epsilon = sqrt(0.1 * 0.2)
  const float sigma = 2.5f;
  const float epsilon = std::sqrt(0.02f);
  const int32_t a = AddTestAtom(*records, kSp0, 0, 0, 0);
  const int32_t b = AddTestAtom(*records, kSp3, 0, sigma, 0);
  EXPECT_NEAR(LennardJonesTerm(records->document, records->tables, a, b), 0.0f, 1e-7f);
  const TrialMove atMinimum{b, {0, sigma * std::pow(2.0f, 1.0f / 6.0f), 0}};
  EXPECT_NEAR(LennardJonesTerm(records->document, records->tables, a, b, &atMinimum),
              -0.3f * epsilon, 1e-6f);
  const TrialMove close{b, {0, sigma * 0.5f, 0}};  // t = 64: 4 eps (4096 - 64)
  EXPECT_NEAR(LennardJonesTerm(records->document, records->tables, a, b, &close),
              0.3f * 4 * epsilon * 4032.0f, 0.05f);
}

TEST(EnergyTerms, CoulombPair) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.coulomb = 332.0f;
  const int32_t a = AddTestAtom(*records, kSp0, 1, 1, 1, 0.5f);
  const int32_t b = AddTestAtom(*records, kSp0, 1, 1, 3, -0.25f);
  EXPECT_FLOAT_EQ(CoulombTerm(records->document, records->tables, a, b),
                  0.5f * 332.0f * -0.25f / 2.0f);
}

TEST(EnergyTerms, CoincidentAndCollinearAtomsGiveFiniteTerms) {
  auto records = MakeShapingRecords();
  SetAllStiffness(*records);
  const int32_t a = AddTestAtom(*records, kSp2, 1, 2, 3, 0.4f);
  const int32_t b = AddTestAtom(*records, kSp2, 1, 2, 3, 0.4f);  // on top of a
  const int32_t c = AddTestAtom(*records, kSp2, 2, 2, 3);
  const int32_t d = AddTestAtom(*records, kSp2, 3, 2, 3);  // a, c, d on one line
  const float values[] = {
      DistanceTerm(records->document, records->tables, a, b),
      AngleTerm(records->document, records->tables, a, b, c),
      AngleTerm(records->document, records->tables, a, d, c),
      OutOfPlaneTerm(records->document, records->tables, a, c, d, b),
      TorsionTerm(records->document, records->tables, a, b, c, d),
      TorsionTerm(records->document, records->tables, a, c, d, b),
      LennardJonesTerm(records->document, records->tables, a, b),
      CoulombTerm(records->document, records->tables, a, b),
  };
  for (float value : values) EXPECT_TRUE(std::isfinite(value)) << value;
  // A straight angle is exactly pi; the ideal sp2 angle is 2pi/3.
  EXPECT_NEAR(AngleTerm(records->document, records->tables, a, d, c), 2.0f * (kPi / 3) * (kPi / 3),
              1e-5f);
}

TEST(EnergyTerms, TypeIndicesOutsideTheTableReadTypeZero) {
  auto records = MakeShapingRecords();
  records->tables.stiffness.lennardJones = 1.0f;
  records->tables.stiffness.distances = 1.0f;
  const int32_t a = AddTestAtom(*records, -5, 0, 0, 0);
  const int32_t b = AddTestAtom(*records, 4000, 0, 3, 0);
  EXPECT_EQ(HybridizationOf(records->document, records->tables, a), 0);
  EXPECT_FLOAT_EQ(DistanceTerm(records->document, records->tables, a, b),
                  9.0f);  // no distance parameter
  const AtomType& zero = records->tables.atomTypes[0];
  EXPECT_FLOAT_EQ(LennardJonesTerm(records->document, records->tables, a, b),
                  LennardJonesEnergy({0, 0, 0}, {0, 3, 0}, PairSigma(zero, zero),
                                     PairEpsilon(zero, zero), 1.0f));
}

}  // namespace
}  // namespace tf
