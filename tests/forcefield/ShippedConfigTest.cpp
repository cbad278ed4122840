// The shipped parameter file: loads, and gives the charge model and the
// editor what they rely on.

#include <gtest/gtest.h>

#include "base/FixedText.h"
#include "support/ShippedConfig.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

int TypeIndex(const ForceFieldTables& t, std::u16string_view name) {
  for (uint32_t i = 0; i < t.atomTypeCount; ++i)
    if (TextView(t.atomTypes[i].name) == name) return static_cast<int>(i);
  return -1;
}

std::u16string_view Symbol(const ForceFieldTables& t, int type) {
  return TextView(t.chemicalTypes[t.atomTypes[type].chemicalType].symbol);
}

TEST(ShippedConfig, ChargeClassPositionsHoldTheMatchingChemistry) {
  auto records = test::RecordsWithShippedConfig();
  const ForceFieldTables& t = records->tables;
  struct Expected {
    int position;
    std::u16string_view symbol;
    int hybridization;
  };
  // Position p carries charge class p - 1.
  const Expected expected[] = {
      {1, u"F", 0}, {2, u"CL", 0}, {3, u"H", 0}, {4, u"C", 3}, {5, u"C", 2},
      {6, u"N", 3}, {7, u"N", 2},  {8, u"N", 2}, {9, u"O", 3}, {10, u"O", 2},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(Symbol(t, e.position), e.symbol) << "position " << e.position;
    EXPECT_EQ(t.atomTypes[e.position].hybridization, e.hybridization) << "position " << e.position;
  }
  EXPECT_EQ(t.defaultAtomType, 4u);
  EXPECT_GT(t.stiffness.coulomb, 300.0f);
  EXPECT_GT(t.stiffness.distances, 0.0f);
  EXPECT_GT(t.stiffness.angles, 0.0f);
  EXPECT_GT(t.stiffness.torsionsSp3Sp3, 0.0f);
}

TEST(ShippedConfig, BondLengthsAreSymmetricAndChemicallyPlausible) {
  auto records = test::RecordsWithShippedConfig();
  const ForceFieldTables& t = records->tables;
  for (uint32_t i = 0; i < kMaxAtomTypes; ++i)
    for (uint32_t j = 0; j < kMaxAtomTypes; ++j) {
      EXPECT_EQ(t.equilibriumDistance[i][j], t.equilibriumDistance[j][i]);
      float d = t.equilibriumDistance[i][j];
      if (d != 0.0f) {
        EXPECT_GE(d, 0.7f);
        EXPECT_LE(d, 2.8f);
      }
    }
  auto distance = [&](std::u16string_view a, std::u16string_view b) {
    return t.equilibriumDistance[TypeIndex(t, a)][TypeIndex(t, b)];
  };
  EXPECT_FLOAT_EQ(distance(u"C3", u"C3"), 1.53f);
  EXPECT_FLOAT_EQ(distance(u"C2", u"O2"), 1.23f);
  EXPECT_FLOAT_EQ(distance(u"O3", u"H"), 0.96f);
  EXPECT_EQ(distance(u"C3", u"O2"), 0.0f) << "a carbonyl oxygen sits on an sp2 carbon only";
  EXPECT_EQ(distance(u"H", u"F"), 0.0f);
  // Every type of a known element can take part in at least one bond.
  for (uint32_t i = 0; i < t.atomTypeCount; ++i) {
    if (TextView(t.atomTypes[i].description) == u"Unknown") continue;
    bool any = false;
    for (uint32_t j = 0; j < t.atomTypeCount; ++j) any = any || t.equilibriumDistance[i][j] > 0;
    EXPECT_TRUE(any) << "type " << i;
  }
}

}  // namespace
}  // namespace tf
