// An opened molecule is centred in the view; a save puts its atoms back in
// the file's own frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "base/FixedText.h"
#include "io/MoleculeFiles.h"
#include "model/CenterMolecule.h"
#include "support/MoleculeFileFixture.h"
#include "support/TestRecords.h"
#include "view/CameraOperations.h"

namespace tf {
namespace {

using test::Records;

class FileOriginTest : public test::MoleculeFileTest {
 protected:
  // 1A8O lies far from its file's origin, around (20, 30, 15).
  void SetUp() override { Read(test::TestData("pdb/1A8O.pdb")); }

  std::unique_ptr<Records> ReadFile(const std::string& path) {
    auto records = test::RecordsWithShippedConfig();
    SetFilePath(records->document, FromUtf8(path));
    ReadMolecule(records->document, records->tables);
    return records;
  }

  std::unique_ptr<Records> SaveAndReadBack() {
    SetFilePath(records_->document, FromUtf8(ScratchPath(".pdb")));
    EXPECT_TRUE(WriteMolecule(records_->document));
    return ReadFile(ScratchPath(".pdb"));
  }

  static Vector3 BoxCentre(const Records& records) {
    const Atom* begin = records.document.atoms;
    const Atom* end = records.document.atoms + records.document.atomCount;
    auto middle = [&](float Atom::*axis) {
      auto [low, high] = std::minmax_element(
          begin, end, [axis](const Atom& a, const Atom& b) { return a.*axis < b.*axis; });
      return ((*low).*axis + (*high).*axis) / 2;
    };
    return {middle(&Atom::x), middle(&Atom::y), middle(&Atom::z)};
  }
};

TEST_F(FileOriginTest, CentringPutsTheBoxAtTheOriginAndASaveGivesBackTheFile) {
  CenterMolecule(records_->document);
  const Vector3 centre = BoxCentre(*records_);
  EXPECT_NEAR(centre.x, 0.0f, 1e-4f);
  EXPECT_NEAR(centre.y, 0.0f, 1e-4f);
  EXPECT_NEAR(centre.z, 0.0f, 1e-4f);
  test::ExpectSameMolecule(ReadFile(test::TestData("pdb/1A8O.pdb"))->document,
                           SaveAndReadBack()->document, "centred and saved");

  // An empty molecule has no box to move.
  const Vector3 origin = records_->document.fileOrigin;
  records_->document.atomCount = 0;
  CenterMolecule(records_->document);
  EXPECT_EQ(records_->document.fileOrigin.x, origin.x);
  EXPECT_EQ(records_->document.fileOrigin.y, origin.y);
  EXPECT_EQ(records_->document.fileOrigin.z, origin.z);
}

TEST_F(FileOriginTest, ARotatedSaveTurnsTheAtomsAboutTheBoxCentre) {
  const std::vector<Atom> before(records_->document.atoms,
                                 records_->document.atoms + records_->document.atomCount);
  const Vector3 c = BoxCentre(*records_);
  CenterMolecule(records_->document);
  RotateModel(records_->view, records_->resources, records_->document, 90,
              0);  // a quarter turn about y takes +z to +x
  auto saved = SaveAndReadBack();
  ASSERT_EQ(saved->document.atomCount, before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    const Atom& p = before[i];
    const Atom& q = saved->document.atoms[i];
    SCOPED_TRACE("atom " + std::to_string(i));
    EXPECT_NEAR(q.x, c.x + (p.z - c.z), 0.002f);
    EXPECT_NEAR(q.y, p.y, 0.002f);
    EXPECT_NEAR(q.z, c.z - (p.x - c.x), 0.002f);
  }
}

}  // namespace
}  // namespace tf
