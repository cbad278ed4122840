// Saving is all or nothing: a file that cannot be written leaves the old
// PDB, topology and atoms files byte for byte as they were, with no
// temporary file left beside them.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include "base/FixedText.h"
#include "io/MoleculeFiles.h"
#include "support/FailureSwitches.h"
#include "support/MoleculeFileFixture.h"

namespace tf {
namespace {

class MoleculeSaveTest : public test::MoleculeFileTest {
 protected:
  // Old files on disk; a different molecule (two atoms, one bond) in the document.
  void SetUp() override {
    test::WriteBytes(ScratchPath(".pdb"), "old pdb");
    test::WriteBytes(ScratchPath(".tftopology"), "old topology");
    test::WriteBytes(ScratchPath(".tfatoms"), "old atoms");
    for (int i = 0; i < 2; ++i) {
      Atom& atom = records_->document.atoms[records_->document.atomCount++];
      atom = Atom{};
      SetText(atom.name, u"C");
      atom.x = static_cast<float>(i);
      atom.charge = 0.25f;
    }
    records_->document.bonds[records_->document.bondCount++] = {0, 1};
    SetFilePath(records_->document, FromUtf8(ScratchPath(".pdb")));
  }

  // Every entry of the scratch folder, a folder reading as "<folder>".
  std::map<std::string, std::string> FolderContents() const {
    std::map<std::string, std::string> contents;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
      contents[entry.path().filename().string()] =
          entry.is_directory() ? "<folder>" : test::ReadBytes(entry.path());
    return contents;
  }
};

TEST_F(MoleculeSaveTest, ReplacesAllThreeKeepingTheirPermissions) {
  ::chmod(ScratchPath(".pdb").c_str(), 0640);
  EXPECT_TRUE(WriteMolecule(records_->document));
  const auto contents = FolderContents();
  ASSERT_EQ(contents.size(), 3u) << "no temporary stays behind";
  EXPECT_EQ(contents.at("scratch.tftopology"), "0\t1\r\n");
  EXPECT_EQ(contents.at("scratch.tfatoms"), "0\t0.2500\r\n0\t0.2500\r\n");
  EXPECT_TRUE(contents.at("scratch.pdb").ends_with("END"));
  struct stat status {};
  ASSERT_EQ(::stat(ScratchPath(".pdb").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST_F(MoleculeSaveTest, AnyFileFailingLeavesAllThreeAsTheyWere) {
  const auto before = FolderContents();
  for (const char* extension : {".pdb", ".tftopology", ".tfatoms"}) {
    ScopedWriteFailure failure(ScratchPath(extension));
    EXPECT_FALSE(WriteMolecule(records_->document)) << extension;
    EXPECT_EQ(FolderContents(), before) << extension;
  }
  // A folder in place of the last file: the others must not be replaced first.
  std::filesystem::remove(ScratchPath(".tfatoms"));
  std::filesystem::create_directory(ScratchPath(".tfatoms"));
  const auto withFolder = FolderContents();
  EXPECT_FALSE(WriteMolecule(records_->document));
  EXPECT_EQ(FolderContents(), withFolder);
}

TEST_F(MoleculeSaveTest, AFolderThatCannotBeWrittenChangesNothing) {
  // The companions of old.pdb.d/x.pdb are old.tftopology and old.tfatoms,
  // beside the missing folder.
  test::WriteBytes(dir_ / "old.tftopology", "old topology");
  test::WriteBytes(dir_ / "old.tfatoms", "old atoms");
  const auto before = FolderContents();
  SetFilePath(records_->document, FromUtf8((dir_ / "old.pdb.d" / "x.pdb").string()));
  EXPECT_FALSE(WriteMolecule(records_->document));
  EXPECT_EQ(FolderContents(), before);
}

}  // namespace
}  // namespace tf
