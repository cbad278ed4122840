#include "forcefield/ParameterFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/FixedText.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf {
namespace {

constexpr const char* kMinimal =
    "[CHEMICAL_TYPES]\n"
    "Hydrogen H 1.2 0xFFFFFF\n"
    "Carbon C 1.7 909090\n"
    "[ATOM_TYPES]\n"
    "H Hydrogen sp0 2.5 0.03 Hydrogen\n"
    "C3 Carbon sp3 3.5 0.066 Carbon\n"
    "[INTERATOMIC_DISTANCES]\n"
    "H C3 1.09\n"
    "[STIFFNESS]\n"
    "DISTANCES 300\n"
    "COULOMB 332.06\n";

class ParameterFileTest : public ::testing::Test {
 protected:
  ReadReport Load(const std::string& text) {
    test::WriteBytes(dir_ / "config.ini", text);
    tables_ = std::make_unique<ForceFieldTables>();
    return LoadParameterFile(*tables_, (dir_ / "config.ini").c_str());
  }

  test::TempDir dir_;
  std::unique_ptr<ForceFieldTables> tables_;
};

TEST_F(ParameterFileTest, LoadsEveryRecordKind) {
  ASSERT_TRUE(Load(kMinimal));
  const ForceFieldTables& t = *tables_;
  ASSERT_EQ(t.chemicalTypeCount, 2u);
  EXPECT_EQ(TextView(t.chemicalTypes[1].name), u"Carbon");
  EXPECT_EQ(TextView(t.chemicalTypes[1].symbol), u"C");
  EXPECT_FLOAT_EQ(t.chemicalTypes[1].radius, 1.7f);
  EXPECT_EQ(t.chemicalTypes[0].colour, 0xFFFFFFu);
  EXPECT_EQ(t.chemicalTypes[1].colour, 0x909090u);
  ASSERT_EQ(t.atomTypeCount, 2u);
  EXPECT_EQ(t.atomTypes[1].chemicalType, 1);
  EXPECT_EQ(t.atomTypes[1].hybridization, 3);
  EXPECT_FLOAT_EQ(t.atomTypes[1].ljSigma, 3.5f);
  EXPECT_FLOAT_EQ(t.atomTypes[1].ljEpsilon, 0.066f);
  EXPECT_EQ(TextView(t.atomTypes[1].description), u"Carbon");
  EXPECT_FLOAT_EQ(t.equilibriumDistance[0][1], 1.09f);
  EXPECT_FLOAT_EQ(t.equilibriumDistance[1][0], 1.09f);
  EXPECT_EQ(t.equilibriumDistance[1][1], 0.0f);
  EXPECT_FLOAT_EQ(t.stiffness.distances, 300.0f);
  EXPECT_FLOAT_EQ(t.stiffness.coulomb, 332.06f);
  EXPECT_EQ(t.stiffness.angles, 0.0f);  // missing key: the term contributes nothing
  EXPECT_EQ(t.defaultAtomType, 1u);
  EXPECT_EQ(t.idealAngle[0], 0.0f);
  EXPECT_EQ(t.idealAngle[1], 3.14159274f);
  EXPECT_EQ(t.idealAngle[2], 2.09439516f);
  EXPECT_EQ(t.idealAngle[3], 1.91063321f);
}

TEST_F(ParameterFileTest, CommentsHeadersAndLineRules) {
  const std::string text =
      "anything [ATOM_TYPES] before the first header is ignored\n"
      "[CHEMICAL_TYPES] Hydrogen H 1.2 FFFFFF // header and record share a line\n"
      "// a comment line\n"
      "Carbon C\n"
      "   1.7 0x909090 trailing words are a comment\n"
      "[ATOM_TYPES]\n"
      "H Hydrogen SP3 2.5 0.03 Hydrogen\n"
      "C3 Carbon sp3 3.5 0.066 Carbon\n"
      "[CHEMICAL_TYPES] Carbon sp2 3.5 0.07 Header\n"
      "[INTERATOMIC_DISTANCES]\n"
      "C3 C3 1.53\n"
      "H C3 1.0\n"
      "C3 H 1.09\n"
      "[STIFFNESS]\n"
      "ANGLES 50 ANGLES\n"
      "NO_SUCH_KEY 7\n"
      "ANGLES 60\n";
  ASSERT_TRUE(Load(text));
  const ForceFieldTables& t = *tables_;
  ASSERT_EQ(t.chemicalTypeCount, 2u);
  EXPECT_FLOAT_EQ(t.chemicalTypes[1].radius, 1.7f);
  ASSERT_EQ(t.atomTypeCount, 3u);
  EXPECT_EQ(t.atomTypes[0].hybridization, 0);  // "SP3" is not a hybridization token
  // A header out of order is the first word of a record, cut to 9 characters.
  EXPECT_EQ(TextView(t.atomTypes[2].name), u"[CHEMICAL");
  EXPECT_EQ(t.atomTypes[2].chemicalType, 1);
  EXPECT_EQ(t.atomTypes[2].hybridization, 2);
  EXPECT_FLOAT_EQ(t.equilibriumDistance[1][1], 1.53f);
  EXPECT_FLOAT_EQ(t.equilibriumDistance[0][1], 1.09f);  // later line overwrites
  EXPECT_FLOAT_EQ(t.stiffness.angles, 60.0f);
}

TEST_F(ParameterFileTest, RestOfLineSkipStopsAfter256Characters) {
  // Past 256 characters the rest of a long line is read as records again.
  // After "2" the skip takes a blank, 254 characters and a blank.
  std::string text = kMinimal;
  text += "LENNARD_JONES 2 " + std::string(254, 'x') + " COULOMB 5\n";
  ASSERT_TRUE(Load(text));
  EXPECT_FLOAT_EQ(tables_->stiffness.lennardJones, 2.0f);
  EXPECT_FLOAT_EQ(tables_->stiffness.coulomb, 5.0f);
}

TEST_F(ParameterFileTest, NameLengthsAreCutButReferencesCompareWhole) {
  std::string base =
      "[CHEMICAL_TYPES]\nHydrogen H 1 0\nCarbonTwelve C 1 0\n[ATOM_TYPES]\nH Hydrogen sp0 1 1 x\n";
  EXPECT_FALSE(Load(base + "C3 CarbonTwelve sp3 1 1 x\n"));
  ASSERT_TRUE(Load(base + "C3 CarbonTwe sp3 1 1 x\n"));
  EXPECT_EQ(TextView(tables_->chemicalTypes[1].name), u"CarbonTwe");
  ASSERT_TRUE(Load(base + "C3456789AB CarbonTwe sp3 1 1 x\n[INTERATOMIC_DISTANCES]\n"
                          "C3456789ABCD H 1.1\n"));
  EXPECT_FLOAT_EQ(tables_->equilibriumDistance[1][0], 1.1f);
  EXPECT_FALSE(
      Load("[CHEMICAL_TYPES]\nHydrogen H 1 0\nCarbon CARBON 1 0\n[ATOM_TYPES]\n"
           "H Hydrogen sp0 1 1 x\nC3 Carbon sp3 1 1 x\n"))
      << "symbol CARB is no carbon";
  EXPECT_EQ(TextView(tables_->chemicalTypes[1].symbol), u"CARB");
}

struct FailingCase {
  const char* what;
  std::string text;
};

TEST_F(ParameterFileTest, RejectsBrokenFiles) {
  const std::string chem = "[CHEMICAL_TYPES]\nHydrogen H 1 0\nCarbon C 1 0\n";
  const std::string types = "[ATOM_TYPES]\nH Hydrogen sp0 1 1 x\nC3 Carbon sp3 1 1 x\n";
  std::string manyChemicals = "[CHEMICAL_TYPES]\n";
  for (int i = 0; i < 21; ++i) manyChemicals += "T" + std::to_string(i) + " C 1 0\n";
  std::string manyTypes = chem + "[ATOM_TYPES]\nH Hydrogen sp0 1 1 x\n";
  for (int i = 0; i < 80; ++i) manyTypes += "C" + std::to_string(i) + " Carbon sp3 1 1 x\n";
  const FailingCase cases[] = {
      {"empty file", ""},
      {"no sp3 carbon", chem + "[ATOM_TYPES]\nH Hydrogen sp0 1 1 x\nC2 Carbon sp2 1 1 x\n"},
      {"sp3 carbon only at position 0", chem + "[ATOM_TYPES]\nC3 Carbon sp3 1 1 x\n"},
      {"unknown chemical type", chem + "[ATOM_TYPES]\nH Hydrogen sp0 1 1 x\nC3 Carb sp3 1 1 x\n"},
      {"unknown atom type in distances", chem + types + "[INTERATOMIC_DISTANCES]\nH C9 1\n"},
      {"byte-order mark before the first header", "\xEF\xBB\xBF" + chem + types},
      {"radius not a number", "[CHEMICAL_TYPES]\nHydrogen H big 0\n" + types},
      {"colour not hexadecimal", "[CHEMICAL_TYPES]\nHydrogen H 1 zz\n" + types},
      {"colour too large", "[CHEMICAL_TYPES]\nHydrogen H 1 1FFFFFFFF\n" + types},
      {"sigma not a number", chem + "[ATOM_TYPES]\nH Hydrogen sp0 - 1 x\n"},
      {"distance not a number", chem + types + "[INTERATOMIC_DISTANCES]\nH C3 short\n"},
      {"stiffness not a number", chem + types + "[INTERATOMIC_DISTANCES]\n[STIFFNESS]\nANGLES x\n"},
      {"record cut short by the end", chem + "[ATOM_TYPES]\nH Hydrogen sp0 1 1 x\nC3 Carbon sp3 1"},
      {"more than 20 chemical types", manyChemicals},
      {"more than 80 atom types", manyTypes},
      {"word longer than 255", chem + "[ATOM_TYPES]\nH Hydrogen sp0 1 1 " + std::string(256, 'd') +
                                   "\nC3 Carbon sp3 1 1 x\n"},
  };
  for (const auto& c : cases) EXPECT_FALSE(Load(c.text)) << c.what;
  EXPECT_TRUE(Load(chem + "[ATOM_TYPES]\nH Hydrogen sp0 1 1 " + std::string(255, 'd') +
                   "\nC3 Carbon sp3 1 1 x\n"))
      << "a 255-character word fits";
}

TEST_F(ParameterFileTest, MissingFileFailsAndLeavesTablesAlone) {
  auto tables = std::make_unique<ForceFieldTables>();
  tables->chemicalTypeCount = 5;
  EXPECT_FALSE(LoadParameterFile(*tables, (dir_ / "absent.ini").c_str()));
  EXPECT_EQ(tables->chemicalTypeCount, 5u);
}

TEST_F(ParameterFileTest, ReloadStartsFromEmptyTables) {
  ASSERT_TRUE(Load(kMinimal));
  ForceFieldTables& t = *tables_;
  test::WriteBytes(dir_ / "config.ini",
                   "[CHEMICAL_TYPES]\nCarbon C 1 0\n[ATOM_TYPES]\n"
                   "C2 Carbon sp2 1 1 x\n");
  EXPECT_FALSE(LoadParameterFile(t, (dir_ / "config.ini").c_str()))
      << "the earlier file's sp3 carbon must not carry over";
  EXPECT_EQ(t.equilibriumDistance[0][1], 0.0f);
}

}  // namespace
}  // namespace tf
