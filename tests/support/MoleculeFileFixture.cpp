#include "support/MoleculeFileFixture.h"

#include <cmath>
#include <filesystem>

#include "base/FixedText.h"
#include "io/MoleculeFiles.h"
#include "support/TestRecords.h"

namespace tf::test {

MoleculeFileTest::MoleculeFileTest() : records_(RecordsWithShippedConfig()) {}

void MoleculeFileTest::Read(const std::string& path) {
  NewMolecule(records_->document);
  SetFilePath(records_->document, FromUtf8(path));
  report_ = ReadMolecule(records_->document, records_->tables);
}

std::string MoleculeFileTest::ScratchPath(const std::string& extension) const {
  return (dir_ / ("scratch" + extension)).string();
}

void MoleculeFileTest::ReadText(const std::string& text) {
  WriteBytes(ScratchPath(".pdb"), text);
  if (!companionsPending_) {
    std::filesystem::remove(ScratchPath(".tftopology"));
    std::filesystem::remove(ScratchPath(".tfatoms"));
  }
  companionsPending_ = false;
  Read(ScratchPath(".pdb"));
}

void MoleculeFileTest::WriteCompanions(const std::string& topology, const std::string& atoms) {
  WriteBytes(ScratchPath(".tftopology"), topology);
  WriteBytes(ScratchPath(".tfatoms"), atoms);
  companionsPending_ = true;
}

void MoleculeFileTest::ExpectAtom(std::size_t index, int32_t serial, std::u16string_view name,
                                  std::u16string_view fragment, int32_t number, float x, float y,
                                  float z) const {
  ASSERT_LT(index, records_->document.atomCount);
  const Atom& atom = records_->document.atoms[index];
  SCOPED_TRACE("atom " + std::to_string(index));
  EXPECT_EQ(atom.serial, serial);
  EXPECT_EQ(TextView(atom.name), name);
  EXPECT_EQ(TextView(atom.fragmentName), fragment);
  EXPECT_EQ(atom.fragmentNumber, number);
  EXPECT_FLOAT_EQ(atom.x, x);
  EXPECT_FLOAT_EQ(atom.y, y);
  EXPECT_FLOAT_EQ(atom.z, z);
  EXPECT_EQ(atom.selected, 0);
}

int MoleculeFileTest::FindAtomBySerial(int32_t serial) const {
  for (uint32_t i = 0; i < records_->document.atomCount; ++i)
    if (records_->document.atoms[i].serial == serial) return static_cast<int>(i);
  return -1;
}

std::u16string MoleculeFileTest::TypeName(std::size_t index) const {
  return std::u16string(
      TextView(records_->tables.atomTypes[records_->document.atoms[index].atomType].name));
}

std::string TypeSummary(const Records& records) {
  std::vector<int> counts(kMaxAtomTypes + 1, 0);
  for (uint32_t i = 0; i < records.document.atomCount; ++i) {
    const int32_t type = records.document.atoms[i].atomType;
    ++counts[type >= 0 && type < kMaxAtomTypes ? type : kMaxAtomTypes];
  }
  std::string summary;
  for (int t = 0; t <= kMaxAtomTypes; ++t) {
    if (counts[t] == 0) continue;
    const std::string name =
        t < kMaxAtomTypes ? ToUtf8(TextView(records.tables.atomTypes[t].name)) : "?";
    summary += (summary.empty() ? "" : " ") + name + ":" + std::to_string(counts[t]);
  }
  return summary;
}

void ExpectSameMolecule(const Document& expected, const Document& actual,
                        const std::string& context) {
  SCOPED_TRACE(context);
  ASSERT_EQ(actual.atomCount, expected.atomCount);
  ASSERT_EQ(actual.bondCount, expected.bondCount);
  for (uint32_t i = 0; i < expected.atomCount; ++i) {
    const Atom& a = expected.atoms[i];
    const Atom& b = actual.atoms[i];
    SCOPED_TRACE("atom " + std::to_string(i));
    EXPECT_EQ(TextView(b.name), TextView(a.name));
    EXPECT_EQ(b.serial, a.serial);
    EXPECT_EQ(TextView(b.fragmentName), TextView(a.fragmentName));
    EXPECT_EQ(b.fragmentNumber, a.fragmentNumber);
    EXPECT_NEAR(b.x, a.x, 0.0005f);
    EXPECT_NEAR(b.y, a.y, 0.0005f);
    EXPECT_NEAR(b.z, a.z, 0.0005f);
    EXPECT_EQ(b.atomType, a.atomType);
    EXPECT_NEAR(b.charge, a.charge, 0.00005f);
  }
  for (uint32_t i = 0; i < expected.bondCount; ++i) {
    EXPECT_EQ(actual.bonds[i].atom1, expected.bonds[i].atom1);
    EXPECT_EQ(actual.bonds[i].atom2, expected.bonds[i].atom2);
  }
}

}  // namespace tf::test
