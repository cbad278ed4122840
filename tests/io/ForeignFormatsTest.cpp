#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "base/FixedText.h"
#include "io/MoleculeFileCommands.h"
#include "io/MoleculeFiles.h"
#include "support/MoleculeFileFixture.h"

namespace tf {
namespace {

using test::MoleculeFileTest;

constexpr char kParacetamolTypes[] = "H:9 C3:1 C2:7 Nam:1 O3:1 O2:1";

class ForeignFormatsTest : public MoleculeFileTest {
 protected:
  ReadReport Open(const std::string& path, uint32_t record = 0) {
    return OpenMoleculeFile(records_->document, records_->tables, FromUtf8(path), record);
  }
};

TEST_F(ForeignFormatsTest, EveryFormatGivesTheSameAtomsBondsNamesAndTypes) {
  for (const char* extension : {"sdf", "mol2", "xyz", "cif", "cml"}) {
    SCOPED_TRACE(extension);
    const std::string path = test::TestData("formats/paracetamol.") + extension;
    const ReadReport report = Open(path);
    ASSERT_TRUE(report) << (report.failure ? DescribeProblem(*report.failure) : "");
    const Document& document = records_->document;
    EXPECT_EQ(TextView(document.filePath), FromUtf8(path));
    ASSERT_EQ(document.atomCount, 20u);
    EXPECT_EQ(document.bondCount, 20u);
    EXPECT_EQ(test::TypeSummary(*records_), kParacetamolTypes);
    EXPECT_EQ(TextView(document.atoms[0].name), u"C1");
    EXPECT_EQ(TextView(document.atoms[2].name), u"O1");
    EXPECT_EQ(TextView(document.atoms[3].name), u"N1");
    EXPECT_EQ(TextView(document.atoms[19].name), u"H9");
    EXPECT_NEAR(document.atoms[0].x, 1.1116f, 1e-4);
    EXPECT_NEAR(document.atoms[8].z, 1.546f, 1e-4);
    float charges = 0;
    for (uint32_t i = 0; i < document.atomCount; ++i) charges += std::abs(document.atoms[i].charge);
    EXPECT_EQ(charges > 0.5f, std::string(extension) == "mol2") << "only MOL2 has charges";
    if (std::string(extension) == "sdf") {  // no residues in the file
      EXPECT_EQ(TextView(document.atoms[0].fragmentName), u"LIG");
      EXPECT_EQ(document.atoms[0].fragmentNumber, 1);
    }
  }
}

TEST_F(ForeignFormatsTest, AFileOfSeveralMoleculesOpensTheChosenOneAndCountsThem) {
  const ReadReport first = Open(test::TestData("perception/all.sdf"));
  ASSERT_TRUE(first);
  EXPECT_EQ(first.moleculesInFile, 40u);
  EXPECT_EQ(records_->document.atomCount, 21u);  // aspirin
  const ReadReport third = Open(test::TestData("perception/all.mol2"), 2);
  ASSERT_TRUE(third);
  EXPECT_EQ(records_->document.atomCount, 33u);  // ibuprofen
  const ReadReport past = Open(test::TestData("perception/all.xyz"), 40);
  ASSERT_FALSE(past);
  EXPECT_EQ(past.failure->reason, "holds 40 molecules, no molecule 41");
}

TEST_F(ForeignFormatsTest, MalformedFilesAreRefusedWithAReasonAndTheDocumentStays) {
  ASSERT_TRUE(Open(test::TestData("formats/paracetamol.sdf")));
  const std::string sdf = test::ReadBytes(test::TestData("formats/paracetamol.sdf"));
  const std::pair<const char*, std::string> cases[] = {
      {"cut.sdf", sdf.substr(0, sdf.find("C   0") + 3)},
      {"counts.sdf", "title\n\n\nnot a counts line\nM  END\n$$$$\n"},
      {"short.xyz", "3\ncomment\nC 0 0\n"},
      {"empty.cml", ""},
      {"no-atoms.cif", "data_x\nloop_\n_atom_site.id\n_atom_site.type_symbol\n"},
      {"binary.mol2", std::string("\0\x01\xff@<TRIPOS>ATOM\n", 18)},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    const std::string path = ScratchPath(std::string("-") + name);
    test::WriteBytes(path, bytes);
    const ReadReport report = Open(path);
    EXPECT_FALSE(report.read);
    ASSERT_TRUE(report.failure);
    EXPECT_EQ(report.failure->file, path);
    EXPECT_FALSE(report.failure->reason.empty());
    EXPECT_EQ(records_->document.atomCount, 20u) << "the open document stays";
    EXPECT_EQ(test::TypeSummary(*records_), kParacetamolTypes);
  }
}

TEST_F(ForeignFormatsTest, EachWriterRoundTripsTheMolecule) {
  Read(test::SourcePath("share/samples/alanine-dipeptide.pdb"));
  ASSERT_TRUE(ReadCleanly());
  auto original = test::RecordsWithShippedConfig();
  SetFilePath(original->document, records_->document.filePath);
  ASSERT_TRUE(ReadMolecule(original->document, original->tables));
  for (const char* extension : {"sdf", "mol2", "xyz"}) {
    SCOPED_TRACE(extension);
    const std::string path = ScratchPath(std::string(".") + extension);
    ASSERT_TRUE(SaveMoleculeFile(records_->document, records_->tables, FromUtf8(path)));
    EXPECT_EQ(TextView(records_->document.filePath), FromUtf8(path)) << "Save keeps to it";
    auto reread = test::RecordsWithShippedConfig();
    ASSERT_TRUE(OpenMoleculeFile(reread->document, reread->tables, FromUtf8(path)));
    ASSERT_EQ(reread->document.atomCount, original->document.atomCount);
    EXPECT_EQ(reread->document.bondCount, original->document.bondCount);
    EXPECT_EQ(test::TypeSummary(*reread), test::TypeSummary(*original));
    for (uint32_t i = 0; i < original->document.atomCount; ++i) {
      const Atom& a = original->document.atoms[i];
      const Atom& b = reread->document.atoms[i];
      EXPECT_EQ(b.atomType, a.atomType) << i;
      EXPECT_NEAR(b.x, a.x, 1e-4);
      EXPECT_NEAR(b.z, a.z, 1e-4);
      if (std::string(extension) == "mol2") {
        EXPECT_NEAR(b.charge, a.charge, 1e-4) << i;
        EXPECT_EQ(TextView(b.fragmentName), TextView(a.fragmentName));
      }
    }
  }
  // CML and mmCIF are read, not written: the save fails and writes nothing.
  EXPECT_FALSE(
      SaveMoleculeFile(records_->document, records_->tables, FromUtf8(ScratchPath(".cml"))));
  EXPECT_FALSE(std::filesystem::exists(ScratchPath(".cml")));
}

TEST_F(ForeignFormatsTest, WhatDoesNotFitTheDocumentIsCounted) {
  std::string atoms, bonds;
  constexpr uint32_t kChain = 1101;
  for (uint32_t i = 1; i <= kChain; ++i) {
    atoms += std::to_string(i) + " C" + std::to_string(i) + " " + std::to_string(1.5 * i) +
             " 0 0 C.3 1 LIG 0.0\n";
    if (i > 1)
      bonds +=
          std::to_string(i - 1) + " " + std::to_string(i - 1) + " " + std::to_string(i) + " 1\n";
  }
  test::WriteBytes(ScratchPath(".mol2"), "@<TRIPOS>MOLECULE\nchain\n" + std::to_string(kChain) +
                                             " " + std::to_string(kChain - 1) +
                                             "\nSMALL\nNO_CHARGES\n\n@<TRIPOS>ATOM\n" + atoms +
                                             "@<TRIPOS>BOND\n" + bonds);
  ReadReport report = Open(ScratchPath(".mol2"));
  ASSERT_TRUE(report);
  EXPECT_EQ(records_->document.bondCount, kMaxBonds);
  EXPECT_EQ(report.bondsLeftOut, kChain - 1 - kMaxBonds);

  std::string xyz = std::to_string(kMaxAtoms + 3) + "\nlattice\n";
  for (uint32_t i = 0; i < kMaxAtoms + 3; ++i)
    xyz += "He " + std::to_string(4 * (i % 100)) + " " + std::to_string(4 * (i / 100)) + " 0\n";
  test::WriteBytes(ScratchPath(".xyz"), xyz);
  report = Open(ScratchPath(".xyz"));
  ASSERT_TRUE(report);
  EXPECT_EQ(records_->document.atomCount, kMaxAtoms);
  EXPECT_EQ(report.atomsLeftOut, 3u);
}

}  // namespace
}  // namespace tf
