#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/FixedText.h"
#include "io/MoleculeFiles.h"
#include "support/MoleculeFileFixture.h"

namespace tf {
namespace {

using test::MoleculeFileTest;

TEST_F(MoleculeFileTest, DepositedStructureWithLigandsAndWaters) {
  Read(test::TestData("pdb/1A8O.pdb"));
  ASSERT_EQ(records_->document.atomCount, 644u);
  // HETATM lines carry a chain identifier; their coordinates must not shift.
  ExpectAtom(0, 10, u"N", u"MSE", 151, 19.594f, 32.367f, 28.012f);
  ExpectAtom(1, 20, u"CA", u"MSE", 151, 20.255f, 33.101f, 26.891f);
  // A water whose residue number runs into the chain identifier ("A1000").
  int water = FindAtomBySerial(558);
  ASSERT_GE(water, 0);
  ExpectAtom(water, 558, u"O", u"HOH", 1000, 15.165f, 37.722f, 1.767f);
  EXPECT_TRUE(ReadCleanly());
}

TEST_F(MoleculeFileTest, InsertionCodesAndHydrogenNames) {
  Read(test::TestData("pdb/1avg.pdb"));
  ASSERT_EQ(records_->document.atomCount, 3730u);
  ExpectAtom(39, 40, u"N", u"LYS", 1, 22.191f, 13.317f, 73.207f);  // residue "1I"
  Read(test::TestData("pdb/2n0n_M1.pdb"));
  ASSERT_EQ(records_->document.atomCount, 183u) << "reading ends at ENDMDL";
  ExpectAtom(27, 28, u"HB11", u"AIB", 2, 6.719f, -9.475f, 1.989f);
}

TEST_F(MoleculeFileTest, HetatmWithoutChainAndShortLines) {
  Read(test::TestData("pdb/MOF-5.pdb"));
  ASSERT_EQ(records_->document.atomCount, 65u);
  ExpectAtom(0, 1, u"ZN", u"LIG", 1, 7.534f, 5.301f, 5.301f);
  EXPECT_EQ(TypeName(0), u"Zn");
  Read(test::TestData("pdb/short-atom.pdb"));
  ASSERT_EQ(records_->document.atomCount, 9u);
  ExpectAtom(1, 2, u"H", u"", 1, 1.320f, 8.480f, 12.003f);
  Read(test::TestData("pdb/a_structure.pdb"));
  ASSERT_EQ(records_->document.atomCount, 9u) << "first model only";
  ExpectAtom(8, 8, u"CA", u"PCA", 1, -0.189f, 5.321f, 14.250f);
}

TEST_F(MoleculeFileTest, TrajectoryReadsFirstFrameAndLargeFileStopsAtCapacity) {
  Read(test::TestData("pdb/water.pdb"));
  EXPECT_EQ(records_->document.atomCount, 297u) << "each frame ends with END";
  EXPECT_TRUE(ReadCleanly());

  // The same frames without their END lines: 29,700 atom records.
  std::string frames = test::ReadBytes(test::TestData("pdb/water.pdb"));
  std::string joined;
  for (std::size_t at = 0; at < frames.size();) {
    std::size_t end = frames.find('\n', at);
    std::string line = frames.substr(at, end == std::string::npos ? end : end + 1 - at);
    if (!line.starts_with("END")) joined += line;
    at = end == std::string::npos ? frames.size() : end + 1;
  }
  ReadText(joined);
  EXPECT_EQ(records_->document.atomCount, kMaxAtoms);
  ExpectAtom(6999, 169, u"O", u"", 57, 7.174f, 5.001f, 14.137f);
  EXPECT_TRUE(report_.atomLimitReached);
}

std::string AtomLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += "ATOM  " + std::string(5 - std::to_string(i % 99999 + 1).size(), ' ') +
            std::to_string(i % 99999 + 1) + "  O   HOH A   1       1.000   2.000   3.000\r\n";
  return text;
}

TEST_F(MoleculeFileTest, CapacityBoundaries) {
  struct Case {
    int records;
    std::string tail;
    uint32_t atoms;
    bool message;
  };
  const Case cases[] = {
      {6999, "END", 6999, false},
      {7000, "END", 7000, true},
      {7001, "END", 7000, true},
      {7000, "", 7000, true},  // the last line still ends with CR LF
  };
  for (const auto& c : cases) {
    ReadText(AtomLines(c.records) + c.tail);
    EXPECT_EQ(records_->document.atomCount, c.atoms) << c.records << " records";
    EXPECT_EQ(report_.atomLimitReached, c.message) << c.records << " records";
  }
  // End of file inside the 7000th record: no message.
  std::string text = AtomLines(7000);
  text.resize(text.size() - 2);
  ReadText(text);
  EXPECT_EQ(records_->document.atomCount, 7000u);
  EXPECT_FALSE(report_.atomLimitReached);
}

TEST_F(MoleculeFileTest, ColumnsThatDoNotHoldFallBackToWords) {
  ReadText(
      "HEADER    TEST\r\n"
      "REMARK ATOM 1 X X X 1 9 9 9\r\n"
      // Coordinates that touch each other, in standard columns.
      "ATOM      1  C   LIG A   1    -100.123-200.456 -30.789  1.00  0.00\r\n"
      // Serial running into the keyword.
      "HETATM12345  O   HOH B  12       1.000   2.000   3.000  1.00  0.00\r\n"
      // Shifted by a wide serial: read as words.
      "ATOM   12345678  N   ALA A   7      11.104   6.134  -6.504\r\n"
      // Not-a-number serial; four-character residue name.
      "ATOM  *****  CA  ALAA A   8       4.000   5.000   6.000\r\n"
      // Residue number "**" repeats the previous atom's.
      "ATOM      5  CB  ALA A  **       7.000   8.000   9.000\r\n"
      "ATOM      6 CG ALA A ** 1.5 2.5 3.5\r\n"
      "TER\r\n"
      "END\r\n"
      "ATOM      7  CD  ALA A   9       1.000   1.000   1.000\r\n");
  ASSERT_EQ(records_->document.atomCount, 6u);
  ExpectAtom(0, 1, u"C", u"LIG", 1, -100.123f, -200.456f, -30.789f);
  ExpectAtom(1, 12345, u"O", u"HOH", 12, 1.0f, 2.0f, 3.0f);
  ExpectAtom(2, 12345678, u"N", u"ALA", 7, 11.104f, 6.134f, -6.504f);
  ExpectAtom(3, 0, u"CA", u"ALAA", 8, 4.0f, 5.0f, 6.0f);
  ExpectAtom(4, 5, u"CB", u"ALA", 8, 7.0f, 8.0f, 9.0f);
  ExpectAtom(5, 6, u"CG", u"ALA", 8, 1.5f, 2.5f, 3.5f);
}

TEST_F(MoleculeFileTest, WordReadingOfNonStandardLines) {
  // HETATM read by words has no chain identifier; long words are cut.
  ReadText("HETATM 1 NAMELONGER RESIDUELONG 42 1.0 2.0 3.0\nATOM 2 N X A 3 4 5 6\n");
  ASSERT_EQ(records_->document.atomCount, 2u);
  ExpectAtom(0, 1, u"NAMEL", u"RESID", 42, 1.0f, 2.0f, 3.0f);
  ExpectAtom(1, 2, u"N", u"X", 3, 4.0f, 5.0f, 6.0f);
  // A number that cannot be read ends the records; the atom being read stays.
  ReadText("ATOM 1 N X A 3 4 5 6\nATOM 2 C X A 3 4 oops 6\nATOM 3 O X A 3 4 5 6\n");
  ASSERT_EQ(records_->document.atomCount, 2u);
  EXPECT_EQ(records_->document.atoms[1].x, 4.0f);
  EXPECT_EQ(records_->document.atoms[1].z, 0.0f);
  // End of file in the middle of a record keeps the partial atom.
  ReadText("ATOM 1 N X A 3 4.5");
  ASSERT_EQ(records_->document.atomCount, 1u);
  EXPECT_EQ(records_->document.atoms[0].x, 4.5f);
}

TEST_F(MoleculeFileTest, EmptyAndUnreadableFiles) {
  WriteCompanions("0\t1\r\n", "");
  ReadText("END\r\nATOM      1  C   LIG A   1       1.000   2.000   3.000\r\n");
  EXPECT_EQ(records_->document.atomCount, 0u);
  EXPECT_EQ(records_->document.bondCount, 0u);
  ReadText("");
  EXPECT_EQ(records_->document.atomCount, 0u);
  ReadText(std::string("ATOM\0\0\0\xff\xfe", 9));
  EXPECT_EQ(records_->document.atomCount, 1u);

  NewMolecule(records_->document);
  SetFilePath(records_->document, (dir_ / "absent.pdb").u16string());
  const ReadReport absent = ReadMolecule(records_->document, records_->tables);
  EXPECT_EQ(records_->document.atomCount, 0u);
  EXPECT_FALSE(absent.read);
}

TEST_F(MoleculeFileTest, TypesComeFromNamesInTableOrder) {
  const std::vector<std::pair<std::string, std::u16string>> names = {
      {"CA", u"C3"}, {"CB", u"C3"},  {"N", u"N3"},  {"O", u"O3"},  {"OG", u"O3"},
      {"HB2", u"H"}, {"CL1", u"Cl"}, {"BR", u"Br"}, {"FE", u"Fe"}, {"F1", u"F"},
      {"ZN", u"Zn"}, {"SG", u"S3"},  {"1HB", u"X"}, {"", u"X"},    {"Q", u"X"},
  };
  std::string text;
  for (const auto& [name, type] : names) {
    std::string padded = name + std::string(4 - name.size(), ' ');
    text += "ATOM      1  " + padded + "RES A   1       0.000   0.000   0.000\r\n";
  }
  ReadText(text);
  ASSERT_EQ(records_->document.atomCount, names.size());
  for (std::size_t i = 0; i < names.size(); ++i)
    EXPECT_EQ(TypeName(i), names[i].second) << "name " << names[i].first;
}

}  // namespace
}  // namespace tf
