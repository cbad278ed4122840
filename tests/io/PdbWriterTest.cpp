#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/FixedText.h"
#include "io/MoleculeFiles.h"
#include "support/MoleculeFileFixture.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using test::MoleculeFileTest;

class PdbWriterTest : public MoleculeFileTest {
 protected:
  Atom& AddAtom(std::u16string_view name, std::u16string_view fragment, int32_t number,
                int32_t serial, float x, float y, float z) {
    Atom& atom = records_->document.atoms[records_->document.atomCount++];
    atom = Atom{};
    SetText(atom.name, name);
    SetText(atom.fragmentName, fragment);
    atom.fragmentNumber = number;
    atom.serial = serial;
    atom.x = x, atom.y = y, atom.z = z;
    AssignTypeFromName(records_->document, records_->tables, records_->document.atomCount - 1);
    return atom;
  }

  std::string Write(const std::string& path) {
    SetFilePath(records_->document, FromUtf8(path));
    WriteMolecule(records_->document);
    return test::ReadBytes(path);
  }

  // Writes the document, reads it back into a second one and compares.
  void ExpectRoundTrip(const std::string& context) {
    std::string path = ScratchPath(".pdb");
    Write(path);
    auto copy = test::RecordsWithShippedConfig();
    SetFilePath(copy->document, FromUtf8(path));
    ReadMolecule(copy->document, copy->tables);
    test::ExpectSameMolecule(records_->document, copy->document, context);
  }
};

TEST_F(PdbWriterTest, WritesStandardColumnsWithCrLfAndFinalEnd) {
  AddAtom(u"N", u"ALA", 1, 1, 11.104f, 6.134f, -6.504f);
  AddAtom(u"HB12", u"ALA", 1, 2, 0.0f, -0.0004f, 100.5f);
  AddAtom(u"CA", u"NAGA", 1234, 3, -999.999f, 1.0f, 2.0f);
  std::string text = Write(ScratchPath(".pdb"));
  EXPECT_EQ(text,
            "ATOM      1  N   ALA A   1      11.104   6.134  -6.504\r\n"
            "ATOM      2 HB12 ALA A   1       0.000  -0.000 100.500\r\n"
            "ATOM      3  CA  NAGAA1234    -999.999   1.000   2.000\r\n"
            "END");
}

TEST_F(PdbWriterTest, WideValuesShiftTheLineButReadBack) {
  AddAtom(u"HG123", u"RESID", -12345, 123456789, -12345.678f, 0.5f, 99999.5f);
  AddAtom(u"C", u"", 0, 0, 1.0f, 2.0f, 3.0f);
  AddAtom(u"CB", u"BIG", 1, 1, 1234.5f, 9999.999f, -9999.999f);
  AddAtom(u"O\u0416", u"W\u00E9", 7, -5, 1.0f, 2.0f, 3.0f);  // beyond 8 bits and Latin-1
  std::string text = Write(ScratchPath(".pdb"));
  EXPECT_NE(text.find("ATOM123456789 HG123 RESID A-12345    -12345.678   0.500"), std::string::npos)
      << text;
  EXPECT_NE(text.find("  O?  "), std::string::npos) << text;
  SetText(records_->document.atoms[3].name, u"O?");
  ExpectRoundTrip("shifted lines");
}

TEST_F(PdbWriterTest, RealStructuresAndSamplesRoundTrip) {
  const char* files[] = {
      "1A8O.pdb",          "1avg.pdb",       "2n0n_M1.pdb",        "MOF-5.pdb", "a_structure.pdb",
      "disordered.pdb",    "hemo.pdb",       "insertion-code.pdb", "ions.pdb",  "occupancy.pdb",
      "psfgen-output.pdb", "short-atom.pdb", "water.pdb"};
  for (const char* file : files) {
    Read(test::TestData(std::string("pdb/") + file));
    ASSERT_GT(records_->document.atomCount, 0u) << file;
    ExpectRoundTrip(file);
  }
  for (const auto& entry : std::filesystem::directory_iterator(test::SourcePath("share/samples"))) {
    if (entry.path().extension() != ".pdb") continue;
    Read(entry.path().string());
    ASSERT_GT(records_->document.atomCount, 0u) << entry.path();
    ExpectRoundTrip(entry.path().filename().string());
  }
}

TEST_F(PdbWriterTest, CompanionsCarryBondsTypesAndCharges) {
  AddAtom(u"O", u"HOH", 1, 1, 0, 0, 0).charge = -0.834f;
  AddAtom(u"H1", u"HOH", 1, 2, 0.9572f, 0, 0).charge = 0.417f;
  AddAtom(u"H2", u"HOH", 1, 3, -0.24f, 0.927f, 0).charge = 0.417f;
  records_->document.atoms[1].atomType = 11;
  records_->document.bonds[0] = {0, 1};
  records_->document.bonds[1] = {2, 0};
  records_->document.bondCount = 2;
  Write(ScratchPath(".pdb"));
  EXPECT_EQ(test::ReadBytes(ScratchPath(".tftopology")), "0\t1\r\n2\t0\r\n");
  EXPECT_EQ(test::ReadBytes(ScratchPath(".tfatoms")), "9\t-0.8340\r\n11\t0.4170\r\n3\t0.4170\r\n");
  ExpectRoundTrip("water with companions");
}

TEST_F(PdbWriterTest, EmptyMoleculeWritesEmptyCompanions) {
  EXPECT_EQ(Write(ScratchPath(".pdb")), "END");
  EXPECT_TRUE(std::filesystem::exists(ScratchPath(".tftopology")));
  EXPECT_EQ(test::ReadBytes(ScratchPath(".tftopology")), "");
  EXPECT_EQ(test::ReadBytes(ScratchPath(".tfatoms")), "");
}

}  // namespace
}  // namespace tf
