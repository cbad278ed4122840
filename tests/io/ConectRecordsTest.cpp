#include "io/ConectRecords.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tf {
namespace {

std::vector<std::pair<int32_t, int32_t>> Pairs(std::string_view bytes) {
  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (const SerialPair& pair : ReadConectPairs(bytes)) pairs.emplace_back(pair.first, pair.second);
  return pairs;
}

using Expected = std::vector<std::pair<int32_t, int32_t>>;

TEST(ConectRecords, FixedColumnsWithBlankShortAndBadFieldsPassedOver) {
  EXPECT_EQ(Pairs("CONECT    1    2    3    4    5\n"
                  "CONECT    6    7\r\n"
                  "CONECT    8  abc    9 12.5\n"
                  "CONECT  ***   10\n"
                  "CONECT   11\n"
                  "CONECT   12   13   14   15   16   17\n"
                  "CONECT123451234612347\n"
                  "REMARK CONECT    1    2\n"
                  " CONECT   30   31\n"
                  "CONECT   20   21"),
            (Expected{{1, 2},
                      {1, 3},
                      {1, 4},
                      {1, 5},
                      {6, 7},
                      {8, 9},
                      {12, 13},
                      {12, 14},
                      {12, 15},
                      {12, 16},
                      {12345, 12346},
                      {12345, 12347},
                      {20, 21}}));
  EXPECT_TRUE(Pairs("").empty());
  EXPECT_TRUE(Pairs("CONECT").empty());
}

TEST(ConectRecords, FirstModelAndAfterTheModelsUpToEnd) {
  EXPECT_EQ(Pairs("MODEL        1\n"
                  "CONECT    1    2\n"
                  "ENDMDL\n"
                  "MODEL        2\n"
                  "CONECT    3    4\n"
                  "ENDMDL\n"
                  "CONECT    5    6\n"
                  "END\n"
                  "CONECT    7    8\n"),
            (Expected{{1, 2}, {5, 6}}));
}

}  // namespace
}  // namespace tf
