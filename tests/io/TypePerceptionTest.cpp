#include "io/openbabel/TypePerception.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "base/FixedText.h"
#include "charges/PartialCharges.h"
#include "forcefield/ParameterFile.h"
#include "io/MoleculeFileCommands.h"
#include "io/MoleculeFiles.h"
#include "io/openbabel/ForeignReading.h"
#include "model/TableLookup.h"
#include "support/MoleculeFileFixture.h"

namespace tf {
namespace {

using test::MoleculeFileTest;

// The samples' atoms files hold the types the program gave them and the
// charges of those types: read without companions, perception gives both back.
TEST_F(MoleculeFileTest, SamplesReadAloneGetBackTheirTypesAndCharges) {
  for (const char* name :
       {"water", "methanol", "ethanol", "acetone", "benzene", "alanine-dipeptide"}) {
    SCOPED_TRACE(name);
    const std::string sample = test::SourcePath("share/samples/") + name;
    test::WriteBytes(ScratchPath(".pdb"), test::ReadBytes(sample + ".pdb"));
    Read(ScratchPath(".pdb"));
    auto withCompanions = test::RecordsWithShippedConfig();
    SetFilePath(withCompanions->document, FromUtf8(sample + ".pdb"));
    ASSERT_TRUE(ReadMolecule(withCompanions->document, withCompanions->tables));
    const Document& alone = records_->document;
    ASSERT_EQ(alone.atomCount, withCompanions->document.atomCount);
    EXPECT_EQ(alone.bondCount, withCompanions->document.bondCount);
    RecomputeCharges(records_->document, records_->tables);
    for (uint32_t i = 0; i < alone.atomCount; ++i) {
      EXPECT_EQ(alone.atoms[i].atomType, withCompanions->document.atoms[i].atomType) << i;
      EXPECT_NEAR(alone.atoms[i].charge, withCompanions->document.atoms[i].charge, 5e-5) << i;
    }
    // Perceiving again changes nothing; it counts the carbons it retypes.
    EXPECT_EQ(PerceiveAtomTypes(records_->document, records_->tables), 0u);
    const int32_t c3 = FindAtomTypeByName(records_->tables, u"C3");
    const int32_t c2 = FindAtomTypeByName(records_->tables, u"C2");
    uint32_t sp2Carbons = 0;
    for (uint32_t i = 0; i < alone.atomCount; ++i) {
      if (alone.atoms[i].atomType != c2) continue;
      ++sp2Carbons;
      records_->document.atoms[i].atomType = c3;
    }
    EXPECT_EQ(PerceiveAtomTypes(records_->document, records_->tables), sp2Carbons);
  }
}

// One molecule per role, record by record of one SDF file.
// Real molecules read alone and typed: the pi levels from LAPACK give the
// charges of the Jacobi method, also where the filling is not unique.
TEST_F(MoleculeFileTest, ChargesOfRealMoleculesDoNotDependOnTheEigenSolver) {
  PiSolverCounts counts;
  for (const char* name : {"tests/data/pdb/estradiol", "tests/data/pdb/hemo",
                           "tests/data/pdb/MOF-5", "tests/data/pdb/1A8O", "tests/data/pdb/2n0n_M1",
                           "share/samples/benzene", "share/samples/alanine-dipeptide"}) {
    SCOPED_TRACE(name);
    test::WriteBytes(ScratchPath(".pdb"), test::ReadBytes(test::SourcePath(name) + ".pdb"));
    Read(ScratchPath(".pdb"));
    Document& document = records_->document;
    ASSERT_TRUE(RecomputeCharges(document, records_->tables, {.lapackFromOrder = 1 << 30}));
    std::vector<float> jacobi(document.atomCount);
    for (uint32_t i = 0; i < document.atomCount; ++i) jacobi[i] = document.atoms[i].charge;
    ASSERT_TRUE(
        RecomputeCharges(document, records_->tables, {.lapackFromOrder = 1, .counts = &counts}));
    for (uint32_t i = 0; i < document.atomCount; ++i)
      EXPECT_NEAR(document.atoms[i].charge, jacobi[i], 1e-6) << i;
  }
  EXPECT_GT(counts.lapack, 0);
  EXPECT_GT(counts.jacobi, 0);
}

TEST_F(MoleculeFileTest, EachChemicalRoleGetsItsType) {
  const std::string bytes = test::ReadBytes(test::TestData("formats/roles.sdf"));
  const char* expected[] = {
      "H:3 C3:1 C1:1 N1:1",        // acetonitrile: nitrile
      "H:5 C2:5 N2:1",             // pyridine
      "H:5 C2:4 Nam:1",            // pyrrole
      "H:5 C3:1 C2:1 Nam:1 O2:1",  // acetamide
      "H:5 C3:1 N3:1",             // methylamine
      "H:4 C2:4 O3:1",             // furan
      "H:7 C3:2 C2:1 N2:1",        // an imine
      "H:7 C2:6 Nam:1",            // aniline
      "F:1 Cl:1 C3:1 Br:1 I:1",    // halogens (the file leaves out the hydrogen)
      "H:6 C3:2 S3:1",             // dimethyl sulfide
      "H:9 C3:3 O3:3 P3:1",        // trimethyl phosphite
      "H:12 C3:4 X:1",             // silicon has no type of its own
      "H:4 C2:2 C1:2",             // vinylacetylene: alkene and alkyne
      "Zn:1",                      // a metal by element
  };
  for (uint32_t record = 0; record < std::size(expected); ++record) {
    NewMolecule(records_->document);
    const ReadReport report = ReadForeignMolecule(records_->document, records_->tables, bytes,
                                                  MoleculeFormat::kSdf, "roles.sdf", record);
    ASSERT_TRUE(report) << record;
    EXPECT_EQ(report.moleculesInFile, std::size(expected));
    EXPECT_EQ(test::TypeSummary(*records_), expected[record]) << "record " << record;
  }
}

// A user's parameter file with other type names: types are matched by
// element, hybridization and charge-class position, never by name.
TEST_F(MoleculeFileTest, RenamedTypesOfAUserParameterFileStillMatch) {
  std::string config = test::ReadBytes(test::SourcePath("share/config.ini"));
  for (const auto& [from, to] : {std::pair{"C2", "Car"}, {"Nam", "Npi"}, {"N2", "Npy"}})
    config = std::regex_replace(config, std::regex(std::string("(\\s)") + from + "(?=\\s)"),
                                std::string("$1") + to);
  ASSERT_TRUE(LoadParameterText(records_->tables, config, "user.ini"));
  ASSERT_NE(FindAtomTypeByName(records_->tables, u"Car"), -1);
  NewMolecule(records_->document);
  const ReadReport report = ReadForeignMolecule(
      records_->document, records_->tables, test::ReadBytes(test::TestData("formats/roles.sdf")),
      MoleculeFormat::kSdf, "roles.sdf", 1);
  ASSERT_TRUE(report);
  EXPECT_EQ(test::TypeSummary(*records_), "H:5 Car:5 Npy:1");
}

}  // namespace
}  // namespace tf
