#include "model/BondReach.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "support/TestRecords.h"

namespace tf {
namespace {

using test::Records;

// Every pair tried, straight from the definition: within reach, at least
// half an Angstrom apart.
std::vector<std::tuple<float, int, int>> AllPairsWithinReach(const Records& records) {
  std::vector<std::tuple<float, int, int>> pairs;
  auto typeOk = [](int32_t type) { return type >= 0 && type < kMaxAtomTypes; };
  for (uint32_t i = 0; i < records.document.atomCount; ++i) {
    for (uint32_t j = i + 1; j < records.document.atomCount; ++j) {
      const Atom& a = records.document.atoms[i];
      const Atom& b = records.document.atoms[j];
      if (!typeOk(a.atomType) || !typeOk(b.atomType)) continue;
      const double reach = 1.2 * records.tables.equilibriumDistance[a.atomType][b.atomType];
      const double dx = double{a.x} - b.x, dy = double{a.y} - b.y, dz = double{a.z} - b.z;
      const double squared = dx * dx + dy * dy + dz * dz;
      if (squared < reach * reach && squared >= 0.25)
        pairs.emplace_back(static_cast<float>(squared), i, j);
    }
  }
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

TEST(BondReach, CellGridFindsExactlyThePairsOfTheDefinitionNearestFirst) {
  auto records = test::MakeTestRecords();
  std::mt19937 random(11);
  std::uniform_real_distribution<float> coordinate(-6.0f, 6.0f);
  // Types of the test tables plus two outside the table.
  const int32_t types[] = {test::kH, test::kC3, test::kC2, test::kO2, test::kN3, test::kC1, -1, 99};
  std::uniform_int_distribution<int> pick(0, 7);
  for (int i = 0; i < 700; ++i)
    test::PutAtom(records->document, coordinate(random), coordinate(random), coordinate(random),
                  types[pick(random)]);

  std::vector<std::tuple<float, int, int>> found;
  for (const ReachPair& pair : PairsWithinBondReach(records->document, records->tables))
    found.emplace_back(pair.squaredDistance, pair.first, pair.second);
  const auto expected = AllPairsWithinReach(*records);
  EXPECT_GT(expected.size(), 300u);
  EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace tf
