// Charges of small molecules typed with the shipped parameter file: the signs
// and rough sizes a chemist expects.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/FixedText.h"
#include "charges/PartialCharges.h"
#include "support/ShippedConfig.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

struct TypedMolecule {
  std::vector<std::u16string> types;  // AtomType names of the shipped file
  std::vector<std::pair<int, int>> bonds;
};

std::vector<float> Charges(const TypedMolecule& molecule) {
  auto records = test::RecordsWithShippedConfig();
  const ForceFieldTables& tables = records->tables;
  for (const auto& name : molecule.types) {
    int type = -1;
    for (uint32_t t = 0; t < tables.atomTypeCount; ++t)
      if (TextView(tables.atomTypes[t].name) == name) type = static_cast<int>(t);
    EXPECT_GE(type, 0);
    Atom& atom = records->document.atoms[records->document.atomCount++];
    atom = Atom{};
    atom.atomType = type;
  }
  for (auto [a, b] : molecule.bonds)
    records->document.bonds[records->document.bondCount++] = {a, b};
  RecomputeCharges(records->document, records->tables);
  std::vector<float> charges;
  float sum = 0;
  for (uint32_t i = 0; i < records->document.atomCount; ++i) {
    charges.push_back(records->document.atoms[i].charge);
    sum += records->document.atoms[i].charge;
  }
  EXPECT_NEAR(sum, 0.0f, 1e-4f);
  return charges;
}

TEST(ShippedTypeCharges, PolarGroupsArePolarised) {
  // Methanol: C, O, H on O, three H on C.
  auto methanol =
      Charges({{u"C3", u"O3", u"H", u"H", u"H", u"H"}, {{0, 1}, {1, 2}, {0, 3}, {0, 4}, {0, 5}}});
  EXPECT_LT(methanol[1], -0.3f);
  EXPECT_GT(methanol[2], 0.2f);
  EXPECT_GT(methanol[3], 0.0f);

  // Acetone: carbonyl C, O, two methyl carbons with their hydrogens.
  TypedMolecule acetone{{u"C2", u"O2", u"C3", u"C3"}, {{0, 1}, {0, 2}, {0, 3}}};
  for (int carbon : {2, 3})
    for (int k = 0; k < 3; ++k) {
      acetone.bonds.push_back({carbon, static_cast<int>(acetone.types.size())});
      acetone.types.push_back(u"H");
    }
  auto acetoneCharges = Charges(acetone);
  EXPECT_GT(acetoneCharges[0], 0.1f);
  EXPECT_LT(acetoneCharges[1], -0.2f);

  // Methylamine: N with two H, methyl group.
  auto methylamine = Charges({{u"C3", u"N3", u"H", u"H", u"H", u"H", u"H"},
                              {{0, 1}, {1, 2}, {1, 3}, {0, 4}, {0, 5}, {0, 6}}});
  EXPECT_LT(methylamine[1], -0.2f);
  EXPECT_GT(methylamine[2], 0.1f);

  // Acetamide: CH3-C(=O)-NH2.
  auto acetamide = Charges({{u"C3", u"C2", u"O2", u"Nam", u"H", u"H", u"H", u"H", u"H"},
                            {{0, 1}, {1, 2}, {1, 3}, {3, 4}, {3, 5}, {0, 6}, {0, 7}, {0, 8}}});
  EXPECT_GT(acetamide[1], 0.2f);
  EXPECT_LT(acetamide[2], -0.2f);
  EXPECT_LT(acetamide[3], -0.1f);
  EXPECT_GT(acetamide[4], 0.1f);
}

TEST(ShippedTypeCharges, AromaticRings) {
  // Benzene: six equal carbons, slightly negative against their hydrogens.
  TypedMolecule benzene;
  for (int k = 0; k < 6; ++k) benzene.types.push_back(u"C2");
  for (int k = 0; k < 6; ++k) {
    benzene.types.push_back(u"H");
    benzene.bonds.push_back({k, (k + 1) % 6});
    benzene.bonds.push_back({k, k + 6});
  }
  auto benzeneCharges = Charges(benzene);
  for (int k = 0; k < 6; ++k) {
    EXPECT_NEAR(benzeneCharges[k], benzeneCharges[0], 1e-5f);
    EXPECT_LT(benzeneCharges[k], 0.0f);
    EXPECT_GT(benzeneCharges[k], -0.2f);
  }

  // Pyridine: the nitrogen takes negative charge, its neighbours turn positive.
  TypedMolecule pyridine{{u"N2", u"C2", u"C2", u"C2", u"C2", u"C2"}, {}};
  for (int k = 0; k < 6; ++k) pyridine.bonds.push_back({k, (k + 1) % 6});
  for (int k = 1; k < 6; ++k) {
    pyridine.bonds.push_back({k, static_cast<int>(pyridine.types.size())});
    pyridine.types.push_back(u"H");
  }
  auto pyridineCharges = Charges(pyridine);
  EXPECT_LT(pyridineCharges[0], -0.2f);
  EXPECT_GT(pyridineCharges[1], pyridineCharges[3]);
  EXPECT_NEAR(pyridineCharges[1], pyridineCharges[5], 1e-5f);
}

}  // namespace
}  // namespace tf
