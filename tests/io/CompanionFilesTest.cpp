#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/FixedText.h"
#include "io/MoleculeFiles.h"
#include "support/MoleculeFileFixture.h"

namespace tf {
namespace {

using test::MoleculeFileTest;

const std::string kSixAtoms =
    "ATOM 1 C1 LIG A 1 0 0 0\nATOM 2 C2 LIG A 1 1 0 0\nATOM 3 O3 LIG A 1 2 0 0\n"
    "ATOM 4 H4 LIG A 1 3 0 0\nATOM 5 N5 LIG A 1 4 0 0\nATOM 6 H6 LIG A 1 5 0 0\nEND\n";

TEST(CompanionPath, CutsAtTheFirstPdbOccurrence) {
  EXPECT_EQ(CompanionPath(u"/m/x.pdb", CompanionKind::Topology), u"/m/x.tftopology");
  EXPECT_EQ(CompanionPath(u"/m/x.pdb", CompanionKind::Atoms), u"/m/x.tfatoms");
  EXPECT_EQ(CompanionPath(u"/a.pdb.d/x.pdb", CompanionKind::Topology), u"/a.tftopology");
  EXPECT_EQ(CompanionPath(u"x.pdb.bak", CompanionKind::Atoms), u"x.tfatoms");
  EXPECT_EQ(CompanionPath(u"/m/x.PDB", CompanionKind::Atoms), u"");
  EXPECT_EQ(CompanionPath(u"/m/x.ent", CompanionKind::Topology), u"");
  // The companion must fit a 255-character path buffer.
  std::u16string fits(255 - 11, u'a'), tooLong(255 - 10, u'a');
  EXPECT_EQ(CompanionPath(fits + u".pdb", CompanionKind::Topology).size(), 255u);
  EXPECT_EQ(CompanionPath(tooLong + u".pdb", CompanionKind::Topology), u"");
}

TEST_F(MoleculeFileTest, TopologyKeepsFileOrderAndSkipsInvalidPairs) {
  WriteCompanions("5 2\r\n0\t1\n1 0\n0 1\n3 3\n-1 2\n2 6\n99999999999 1\n4 5\n", "");
  ReadText(kSixAtoms);
  ASSERT_EQ(records_->document.bondCount, 5u) << "the overflowing number ends the list";
  EXPECT_EQ(records_->document.bonds[0].atom1, 5);
  EXPECT_EQ(records_->document.bonds[0].atom2, 2);
  EXPECT_EQ(FindBond(records_->document, 2, 5), -1);
  EXPECT_EQ(records_->document.bonds[2].atom1, 1);
  EXPECT_EQ(records_->document.bonds[3].atom1, 0) << "duplicates are kept";
  EXPECT_EQ(records_->document.bonds[4].atom1, 3) << "a self-bond is kept as written";
}

TEST_F(MoleculeFileTest, TopologyStopsAtCapacity) {
  std::string topology;
  for (int i = 0; i < 1001; ++i)
    topology += std::to_string(i % 5) + "\t" + std::to_string(i % 5 + 1) + "\r\n";
  WriteCompanions(topology, "");
  ReadText(kSixAtoms);
  EXPECT_EQ(records_->document.bondCount, kMaxBonds);
  EXPECT_EQ(records_->document.bonds[999].atom1, 999 % 5);
}

TEST_F(MoleculeFileTest, AtomsFileReplacesTypesUntilAValueFails) {
  WriteCompanions("", "5\t0.1000\r\n4 -0.2\n80 0.3\n-1 0.4\n3 bad\n9 0.6\n");
  ReadText(kSixAtoms);
  ASSERT_EQ(records_->document.atomCount, 6u);
  EXPECT_EQ(records_->document.atoms[0].atomType, 5);
  EXPECT_FLOAT_EQ(records_->document.atoms[0].charge, 0.1f);
  EXPECT_EQ(records_->document.atoms[1].atomType, 4);
  // Indices outside the loaded table keep the type from the name.
  EXPECT_EQ(TypeName(2), u"O3");
  EXPECT_FLOAT_EQ(records_->document.atoms[2].charge, 0.3f);
  EXPECT_EQ(TypeName(3), u"H");
  EXPECT_FLOAT_EQ(records_->document.atoms[3].charge, 0.4f);
  EXPECT_EQ(records_->document.atoms[4].atomType, 3) << "the type before the bad charge is kept";
  EXPECT_EQ(records_->document.atoms[4].charge, 0.0f);
  EXPECT_EQ(TypeName(5), u"H");
  EXPECT_EQ(records_->document.atoms[5].charge, 0.0f);
}

TEST_F(MoleculeFileTest, APdbFileThatCannotBeReadTakesNoBondPair) {
  test::WriteBytes(ScratchPath(".tftopology"), "0 1\n");
  NewMolecule(records_->document);
  SetFilePath(records_->document, FromUtf8(ScratchPath(".pdb") + "missing.pdb"));
  ReadMolecule(records_->document, records_->tables);
  EXPECT_EQ(records_->document.bondCount, 0u);
}

TEST_F(MoleculeFileTest, OverlongPathsNeverOverflow) {
  std::u16string path = dir_.path().u16string() + u"/" + std::u16string(400, u'd');
  SetFilePath(records_->document, path + u".pdb");
  EXPECT_EQ(TextLength(records_->document.filePath), 255u);
  EXPECT_FALSE(ReadMolecule(records_->document, records_->tables).read);
  WriteMolecule(records_->document);
}

}  // namespace
}  // namespace tf
