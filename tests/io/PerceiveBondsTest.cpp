#include "io/PerceiveBonds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "base/FixedText.h"
#include "model/Document.h"
#include "support/MoleculeFileFixture.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using test::kC3;
using test::kH;
using test::MakeTestRecords;
using test::PutAtom;
using test::PutBond;
using test::Records;

using BondList = std::vector<std::pair<int32_t, int32_t>>;

BondList Bonds(const Records& records) {
  BondList bonds;
  for (uint32_t b = 0; b < records.document.bondCount; ++b)
    bonds.emplace_back(records.document.bonds[b].atom1, records.document.bonds[b].atom2);
  return bonds;
}

void ExpectCounts(const PerceivedBonds& actual, const PerceivedBonds& expected) {
  EXPECT_EQ(actual.added, expected.added);
  EXPECT_EQ(actual.refusedCapacity, expected.refusedCapacity);
  EXPECT_EQ(actual.refusedValence, expected.refusedValence);
  EXPECT_EQ(actual.refusedNoDistanceParameter, expected.refusedNoDistanceParameter);
  EXPECT_EQ(actual.refusedAlreadyBonded, expected.refusedAlreadyBonded);
}

std::string Hetatm(int serial, const char* name, float x, float y, float z) {
  char line[96];
  std::snprintf(line, sizeof line, "HETATM%5d %-4s LIG A   1    %8.3f%8.3f%8.3f\n", serial, name, x,
                y, z);
  return line;
}

// Reads scratch files with the shipped parameters.
class PerceiveBondsFileTest : public test::MoleculeFileTest {};

// Shipped parameters: C names type as C3 (sp3, reach 1.2 x 1.53), H as H
// (one bond), Q1 as the Unknown type, which has no distance parameters.
TEST_F(PerceiveBondsFileTest, ConectPairsFirstAndEachPairOnce) {
  WriteCompanions("", "");                 // no bonds, types from the names
  ReadText(Hetatm(10, "C1", 0, 0, 0) +     // 0
           Hetatm(11, "C2", 1.5f, 0, 0) +  // 1: also within reach of C1
           Hetatm(12, "C3", 10, 0, 0) +    // 2
           Hetatm(13, "C4", 20, 0, 0) +    // 3
           Hetatm(14, "C5", 30, 0, 0) +    // 4
           Hetatm(15, "C6", 40, 0, 0) +    // 5
           Hetatm(15, "C7", 50, 0, 0) +    // 6: the same serial as C6
           Hetatm(16, "Q1", 60, 0, 0) +    // 7
           Hetatm(17, "H1", 31, 0, 0) +    // 8: within reach of C5
           "CONECT   10   11\n"
           "CONECT   11   10\n"
           "CONECT   12   13   99   15   16\n"
           "CONECT   13   12   14\n"
           "CONECT   14   13\n"
           "CONECT   17   13\n"
           "CONECT   17   17\n"
           "END\n");
  ASSERT_EQ(records_->document.atomCount, 9u);
  PutBond(records_->document, 4, 3);  // read from a topology file, in the file's order

  ExpectCounts(PerceiveBonds(records_->document, records_->tables),
               {.added = 3,
                .refusedValence = 1,
                .refusedNoDistanceParameter = 1,
                .refusedAlreadyBonded = 1});
  // The hydrogen takes the CONECT partner; the nearer carbon found by
  // distance comes later and finds it saturated.
  EXPECT_EQ(Bonds(*records_), (BondList{{4, 3}, {0, 1}, {2, 3}, {3, 8}}));
}

TEST(PerceiveBonds, DistancePairsNearestFirstWithinReach) {
  auto records = MakeTestRecords();  // no file: no CONECT pairs
  const uint32_t hydrogen = PutAtom(records->document, 0, 0, 0, kH);
  PutAtom(records->document, 1.25f, 0, 0, kC3);  // within reach of the hydrogen (1.2 x 1.09)
  const uint32_t nearer = PutAtom(records->document, -1.1f, 0, 0, kC3);
  const uint32_t inside = PutAtom(records->document, 10, 0, 0, kC3);  // reach 1.2 x 1.54 = 1.848
  const uint32_t partner = PutAtom(records->document, 11.84f, 0, 0, kC3);
  PutAtom(records->document, 20, 0, 0, kC3);
  PutAtom(records->document, 21.86f, 0, 0, kC3);  // just out of reach
  PutAtom(records->document, 30, 0, 0, kH);
  PutAtom(records->document, 30.5f, 0, 0, kH);  // no H-H distance parameter
  PutAtom(records->document, std::numeric_limits<float>::quiet_NaN(), 0, 0, kC3);

  ExpectCounts(PerceiveBonds(records->document, records->tables),
               {.added = 2, .refusedValence = 1});
  EXPECT_EQ(Bonds(*records), (BondList{{hydrogen, nearer}, {inside, partner}}));
}

TEST(PerceiveBonds, RefusalsAtTheBondCapacity) {
  auto records = MakeTestRecords();
  for (int i = 0; i < 3; ++i) PutAtom(records->document, 1.5f * i, 0, 0, kC3);
  PutAtom(records->document, 50, 0, 0, kC3);
  PutAtom(records->document, 60, 0, 0, kC3);
  PutBond(records->document, 1, 2);
  while (records->document.bondCount < kMaxBonds - 1)
    PutBond(records->document, 3, 4);  // stand-ins elsewhere

  // (0,1) fills the list; (1,2) is bonded already, but the full list refuses first.
  ExpectCounts(PerceiveBonds(records->document, records->tables),
               {.added = 1, .refusedCapacity = 1});
  EXPECT_EQ(records->document.bondCount, kMaxBonds);
}

TEST(PerceiveBonds, PiledUpAndFarFlungAtomsAreNeverBonded) {
  auto records = MakeTestRecords();
  constexpr uint32_t kPiled = 40;
  for (uint32_t i = 0; i < kPiled; ++i) PutAtom(records->document, 5, 5, 5, kC3);
  const float huge = std::numeric_limits<float>::max();
  PutAtom(records->document, huge, -huge, 0, kC3);
  PutAtom(records->document, -huge, huge, 1e-30f, kC3);
  PutAtom(records->document, std::numeric_limits<float>::infinity(), 0, 0, kC3);

  PutAtom(records->document, 5.6f, 5, 5, kC3);  // within reach of the pile, not on it

  const PerceivedBonds perceived = PerceiveBonds(records->document, records->tables);
  EXPECT_EQ(perceived.added, 4u) << "only the atom beside the pile bonds, up to its valence";
  for (uint32_t b = 0; b < records->document.bondCount; ++b)
    EXPECT_EQ(records->document.bonds[b].atom2, static_cast<int32_t>(kPiled + 3));
}

TEST_F(PerceiveBondsFileTest, EstradiolReadAloneGetsItsTwentyThreeBondsFromDistancesAlone) {
  // Read without companions, the bonds are perceived as Perceive Bonds does.
  // The CONECT records number the atoms 1 to 20, not by their serials 5944
  // to 5963: no serial matches, and the bonds come from distances alone.
  Read(test::TestData("pdb/estradiol.pdb"));
  ASSERT_EQ(records_->document.atomCount, 20u);
  ExpectCounts(PerceiveBonds(records_->document, records_->tables), {.refusedAlreadyBonded = 23});
  BondList bonds = Bonds(*records_);
  std::sort(bonds.begin(), bonds.end());
  EXPECT_EQ(bonds, (BondList{{0, 1},   {0, 10},  {1, 2},   {2, 3},   {2, 4},   {4, 5},
                             {5, 6},   {5, 10},  {6, 7},   {7, 8},   {8, 9},   {8, 14},
                             {9, 10},  {9, 11},  {11, 12}, {12, 13}, {13, 14}, {13, 17},
                             {13, 19}, {14, 15}, {15, 16}, {16, 17}, {17, 18}}));
}

TEST(PerceiveBonds, DescriptionCountsInWords) {
  EXPECT_EQ(DescribePerceivedBonds({.added = 1}),
            "1 bond was added.\nNo candidate pair was refused.");
  EXPECT_EQ(DescribePerceivedBonds({.refusedAlreadyBonded = 1}),
            "0 bonds were added.\n1 candidate pair was refused: 0 over the bond capacity of 1000, "
            "0 over an atom's valence, 0 with no distance parameter, 1 already bonded.");
  EXPECT_EQ(DescribePerceivedBonds({.added = 23,
                                    .refusedCapacity = 4,
                                    .refusedValence = 3,
                                    .refusedNoDistanceParameter = 2}),
            "23 bonds were added.\n9 candidate pairs were refused: 4 over the bond capacity of "
            "1000, 3 over an atom's valence, 2 with no distance parameter, 0 already bonded.");
}

}  // namespace
}  // namespace tf
