// How well types and hydrogens are perceived on forty drug-like molecules
// (tests/data/perception, made by tools/make_perception_set.sh): the types
// read with the SDF file's bond orders are the reference for the same
// molecules written as MOL2, as XYZ, and as PDB files with and without
// hydrogens, which are read without companions.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "io/openbabel/ForeignReading.h"
#include "io/openbabel/Hydrogens.h"
#include "model/TableLookup.h"
#include "support/MoleculeFileFixture.h"

namespace tf {
namespace {

struct Score {
  uint32_t right = 0;
  uint32_t total = 0;
  double Percent() const { return total == 0 ? 0 : 100.0 * right / total; }
};

class PerceptionAccuracyTest : public test::MoleculeFileTest {
 protected:
  std::vector<int32_t> ReadRecord(MoleculeFormat format, const std::string& bytes, uint32_t k) {
    NewMolecule(records_->document);
    EXPECT_TRUE(ReadForeignMolecule(records_->document, records_->tables, bytes, format, "set", k));
    return Types();
  }
  std::vector<int32_t> ReadPdb(const std::string& path) {
    Read(path);
    EXPECT_TRUE(report_.read) << path;
    return Types();
  }
  std::vector<int32_t> Types() const {
    const Document& document = records_->document;
    std::vector<int32_t> types;
    for (uint32_t i = 0; i < document.atomCount; ++i) types.push_back(document.atoms[i].atomType);
    return types;
  }
  static void Compare(const std::vector<int32_t>& expected, const std::vector<int32_t>& actual,
                      Score& score) {
    EXPECT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
      ++score.total;
      if (actual[i] == expected[i]) ++score.right;
    }
  }
};

TEST_F(PerceptionAccuracyTest, TypesAndHydrogensOfFortyDrugLikeMolecules) {
  const std::string folder = test::TestData("perception/");
  const std::string sdf = test::ReadBytes(folder + "all.sdf");
  const std::string mol2 = test::ReadBytes(folder + "all.mol2");
  const std::string xyz = test::ReadBytes(folder + "all.xyz");
  const int32_t hydrogen = FindAtomTypeByName(records_->tables, u"H");
  Score fromMol2, fromXyz, fromPdb, fromHeavyPdb, hydrogenCounts;
  std::ifstream names(folder + "smiles.txt");
  std::string smiles, name;
  for (uint32_t k = 0; names >> smiles >> name; ++k) {
    SCOPED_TRACE(name);
    const std::vector<int32_t> reference = ReadRecord(MoleculeFormat::kSdf, sdf, k);
    std::vector<int32_t> heavyReference;
    uint32_t hydrogens = 0;
    for (int32_t type : reference) {
      if (type == hydrogen) {
        ++hydrogens;
      } else {
        heavyReference.push_back(type);
      }
    }
    Compare(reference, ReadRecord(MoleculeFormat::kMol2, mol2, k), fromMol2);
    Compare(reference, ReadRecord(MoleculeFormat::kXyz, xyz, k), fromXyz);
    Compare(reference, ReadPdb(folder + "pdb-h/" + name + ".pdb"), fromPdb);
    Compare(heavyReference, ReadPdb(folder + "pdb-heavy/" + name + ".pdb"), fromHeavyPdb);
    ++hydrogenCounts.total;
    const uint32_t added = AddHydrogens(records_->document, records_->tables).added;
    if (added == hydrogens) ++hydrogenCounts.right;
    if (added != hydrogens)
      std::printf("%s: %u hydrogens added, %u expected\n", name.c_str(), added, hydrogens);
  }
  ASSERT_EQ(hydrogenCounts.total, 40u);
  std::printf(
      "right types: MOL2 %.1f%%, XYZ %.1f%%, PDB with hydrogens %.1f%%, "
      "heavy-atom PDB %.1f%%; hydrogens added rightly to %u of %u molecules\n",
      fromMol2.Percent(), fromXyz.Percent(), fromPdb.Percent(), fromHeavyPdb.Percent(),
      hydrogenCounts.right, hydrogenCounts.total);
  EXPECT_EQ(fromMol2.right, fromMol2.total);
  EXPECT_GE(fromXyz.Percent(), 97);
  EXPECT_GE(fromPdb.Percent(), 97);
  EXPECT_GE(fromHeavyPdb.Percent(), 93);
  EXPECT_GE(hydrogenCounts.Percent(), 90);
}

}  // namespace
}  // namespace tf
