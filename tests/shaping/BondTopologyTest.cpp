// Neighbour order, exclusions, odd bond lists from files, and the cache
// following every change of the bonds.

#include "shaping/BondTopology.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "ReferenceShaping.h"
#include "ShapingFixtures.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using test::AddTestAtom;
using test::AddTestBond;
using test::MakeShapingRecords;
using test::Records;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::vector<int32_t> ToVector(std::span<const int32_t> items) {
  return {items.begin(), items.end()};
}

std::unique_ptr<Records> RecordsWithAtoms(uint32_t count) {
  auto records = MakeShapingRecords();
  for (uint32_t i = 0; i < count; ++i) AddTestAtom(*records, 3, static_cast<float>(i), 0, 0);
  return records;
}

TEST(BondTopology, NeighboursFollowBondListOrderInEitherDirection) {
  auto records = RecordsWithAtoms(5);
  AddTestBond(*records, 3, 1);
  AddTestBond(*records, 1, 0);
  AddTestBond(*records, 4, 1);
  AddTestBond(*records, 1, 2);
  BondTopology topology;
  topology.Build(records->document);
  EXPECT_THAT(ToVector(topology.Neighbours(1)), ElementsAre(3, 0, 4, 2));
  EXPECT_THAT(ToVector(topology.Neighbours(0)), ElementsAre(1));
  for (int32_t atom = 0; atom < 5; ++atom)
    EXPECT_EQ(ToVector(topology.Neighbours(atom)), test::ReferenceNeighbours(*records, atom));
}

TEST(BondTopology, ExcludesBondedAndOneThreePairsOnly) {
  auto records = RecordsWithAtoms(6);  // chain 0-1-2-3-4 and a lone atom 5
  AddTestBond(*records, 0, 1);
  AddTestBond(*records, 2, 1);
  AddTestBond(*records, 2, 3);
  AddTestBond(*records, 3, 4);
  BondTopology topology;
  topology.Build(records->document);
  EXPECT_THAT(ToVector(topology.Exclusions(0)), ElementsAre(1, 2));  // 0-3 is 1-4: counted
  EXPECT_THAT(ToVector(topology.Exclusions(2)), ElementsAre(0, 1, 3, 4));
  EXPECT_THAT(ToVector(topology.Exclusions(5)), IsEmpty());
  for (int32_t a = 0; a < 6; ++a)
    for (int32_t b = 0; b < 6; ++b) {
      if (a == b) continue;
      const auto list = topology.Exclusions(a);
      const bool listed = std::find(list.begin(), list.end(), b) != list.end();
      EXPECT_EQ(listed, test::ReferenceExcluded(*records, a, b)) << a << "-" << b;
    }
}

TEST(BondTopology, OddBondListsFromFilesGetLargerListsAndNoStrayIndices) {
  auto records = RecordsWithAtoms(8);
  for (int32_t n = 1; n <= 6; ++n) AddTestBond(*records, 0, n);  // six bonds on atom 0
  AddTestBond(*records, 7, 7);                                   // self-bond
  AddTestBond(*records, 2, 0);                                   // same pair again, reversed
  AddTestBond(*records, 3, 8);                                   // atom 8 is not in use
  AddTestBond(*records, -1, 4);
  BondTopology topology;
  topology.Build(records->document);
  EXPECT_THAT(ToVector(topology.Neighbours(0)), ElementsAre(1, 2, 3, 4, 5, 6, 2));
  EXPECT_THAT(ToVector(topology.Neighbours(7)), ElementsAre(7));
  EXPECT_THAT(ToVector(topology.Neighbours(3)), ElementsAre(0));
  EXPECT_EQ(topology.UsableBonds().size(), 8u);
  EXPECT_THAT(ToVector(topology.Exclusions(7)), IsEmpty());
  EXPECT_THAT(ToVector(topology.Exclusions(1)), ElementsAre(0, 2, 3, 4, 5, 6));
}

TEST(BondTopology, CacheFollowsEveryChangeOfTheBonds) {
  auto records = RecordsWithAtoms(4);
  AddTestBond(*records, 0, 1);
  AddTestBond(*records, 1, 2);
  EXPECT_THAT(ToVector(CurrentTopology(records->document).Neighbours(1)), ElementsAre(0, 2));

  records->document.bonds[1] = {1, 3};  // edited in place: same count
  EXPECT_THAT(ToVector(CurrentTopology(records->document).Neighbours(1)), ElementsAre(0, 3));

  records->document.bondCount = 1;  // removed
  EXPECT_THAT(ToVector(CurrentTopology(records->document).Neighbours(1)), ElementsAre(0));

  AddTestBond(*records, 3, 1);  // stale record replaced
  EXPECT_THAT(ToVector(CurrentTopology(records->document).Neighbours(1)), ElementsAre(0, 3));

  records->document.atomCount = 3;  // atom 3 deleted: its bond no longer counts
  EXPECT_THAT(ToVector(CurrentTopology(records->document).Neighbours(1)), ElementsAre(0));

  auto other = RecordsWithAtoms(4);  // another document with other bonds
  AddTestBond(*other, 2, 1);
  EXPECT_THAT(ToVector(CurrentTopology(other->document).Neighbours(1)), ElementsAre(2));
  EXPECT_THAT(ToVector(CurrentTopology(records->document).Neighbours(1)), ElementsAre(0));
}

}  // namespace
}  // namespace tf
