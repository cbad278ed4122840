// An opened molecule is centred in the view; a save puts its atoms back in
// the file's own frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "forcefield/FixedText.h"
#include "io/MoleculeFiles.h"
#include "model/CenterMolecule.h"
#include "support/MoleculeFileFixture.h"
#include "view/CameraOperations.h"

namespace tf {
namespace {

class FileOriginTest : public test::MoleculeFileTest {
 protected:
  // 1A8O lies far from its file's origin, around (20, 30, 15).
  void SetUp() override { Read(test::TestData("pdb/1A8O.pdb")); }

  std::unique_ptr<MoleculeStore> ReadFile(const std::string& path) {
    auto store = test::StoreWithShippedConfig();
    SetFilePath(*store, FromUtf8(path));
    ReadMolecule(*store);
    return store;
  }

  std::unique_ptr<MoleculeStore> SaveAndReadBack() {
    SetFilePath(*store_, FromUtf8(ScratchPath(".pdb")));
    EXPECT_TRUE(WriteMolecule(*store_));
    return ReadFile(ScratchPath(".pdb"));
  }

  static Vector3 BoxCentre(const MoleculeStore& store) {
    const Atom* begin = store.atoms;
    const Atom* end = store.atoms + store.atomCount;
    auto middle = [&](float Atom::*axis) {
      auto [low, high] = std::minmax_element(
          begin, end, [axis](const Atom& a, const Atom& b) { return a.*axis < b.*axis; });
      return ((*low).*axis + (*high).*axis) / 2;
    };
    return {middle(&Atom::x), middle(&Atom::y), middle(&Atom::z)};
  }
};

TEST_F(FileOriginTest, CentringPutsTheBoxAtTheOriginAndASaveGivesBackTheFile) {
  CenterMolecule(*store_);
  const Vector3 centre = BoxCentre(*store_);
  EXPECT_NEAR(centre.x, 0.0f, 1e-4f);
  EXPECT_NEAR(centre.y, 0.0f, 1e-4f);
  EXPECT_NEAR(centre.z, 0.0f, 1e-4f);
  test::ExpectSameMolecule(*ReadFile(test::TestData("pdb/1A8O.pdb")), *SaveAndReadBack(),
                           "centred and saved");

  // An empty molecule has no box to move.
  const Vector3 origin = store_->fileOrigin;
  store_->atomCount = 0;
  CenterMolecule(*store_);
  EXPECT_EQ(store_->fileOrigin.x, origin.x);
  EXPECT_EQ(store_->fileOrigin.y, origin.y);
  EXPECT_EQ(store_->fileOrigin.z, origin.z);
}

TEST_F(FileOriginTest, ARotatedSaveTurnsTheAtomsAboutTheBoxCentre) {
  const std::vector<Atom> before(store_->atoms, store_->atoms + store_->atomCount);
  const Vector3 c = BoxCentre(*store_);
  CenterMolecule(*store_);
  RotateModel(*store_, 90, 0);  // a quarter turn about y takes +z to +x
  auto saved = SaveAndReadBack();
  ASSERT_EQ(saved->atomCount, before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    const Atom& p = before[i];
    const Atom& q = saved->atoms[i];
    SCOPED_TRACE("atom " + std::to_string(i));
    EXPECT_NEAR(q.x, c.x + (p.z - c.z), 0.002f);
    EXPECT_NEAR(q.y, p.y, 0.002f);
    EXPECT_NEAR(q.z, c.z - (p.x - c.x), 0.002f);
  }
}

}  // namespace
}  // namespace tf
