#include "app/ChooseMoleculeFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppFixture.h"
#include "base/FixedText.h"
#include "support/TempDir.h"

namespace tf::test {
namespace {

class SaveTest : public AppTest {
 protected:
  SaveTest() { AddCarbon(0, 0); }
  std::u16string PathIn(const std::string& name) const { return FromUtf8((dir_ / name).string()); }
  std::string CurrentPath() const { return ToUtf8(TextView(records_->document.filePath)); }

  TempDir dir_;
};

TEST_F(SaveTest, SaveAddsPdbUnlessTheTextOccursAnywhereInThePath) {
  const struct {
    const char* typed;
    const char* saved;
  } cases[] = {{"water", "water.pdb"}, {"WATER.PDB", "WATER.PDB.pdb"}, {"a.pdbx", "a.pdbx"}};
  for (const auto& c : cases) {
    desktop_.dialogAnswers.push_back(PathIn(c.typed));
    Send(CommandMessage(kCmdSave));
    EXPECT_EQ(CurrentPath(), (dir_ / c.saved).string());
    EXPECT_TRUE(std::filesystem::exists(dir_ / c.saved)) << c.typed;
  }
  const FileDialogRequest& last = desktop_.dialogRequests.back();
  EXPECT_FALSE(last.open);
  EXPECT_EQ(last.title, u"Save File");
  EXPECT_EQ(last.filters.at(last.selectedFilter), u"Protein Databank (*.pdb)");
  EXPECT_EQ(last.proposedPath, PathIn("WATER.PDB.pdb"));
}

TEST_F(SaveTest, ACancelledSaveChangesNothing) {
  Send(CommandMessage(kCmdSave));
  Send(CommandMessage(kCmdSave));
  EXPECT_EQ(CurrentPath(), "");
  EXPECT_EQ(desktop_.dialogRequests.back().proposedPath, u"");
  EXPECT_FALSE(std::filesystem::exists(".pdb"));
  EXPECT_TRUE(desktop_.TakeLog().empty());
}

TEST_F(SaveTest, APathThatWouldNotFitWithItsExtensionWritesNothing) {
  constexpr std::size_t kCapacity = kPathCapacity;
  const std::size_t prefix = PathIn("").size();
  for (const std::size_t length : {kCapacity - 5, kCapacity - 4}) {
    const std::string name(length - prefix, 'w');
    desktop_.dialogAnswers.push_back(PathIn(name));
    Send(CommandMessage(kCmdSave));
    const bool fits = length + 4 < kCapacity;
    EXPECT_EQ(std::filesystem::exists(dir_ / (name + ".pdb")), fits) << length;
    const std::vector<std::string> written = {"SetWaitCursor on", "SetWaitCursor off"};
    const std::vector<std::string> refused = {"ShowMessageBox Bad file. | Message | warning"};
    EXPECT_EQ(desktop_.TakeLog(), fits ? written : refused)
        << length;
  }
  EXPECT_EQ(CurrentPath().size(), kCapacity - 1) << "the fitting path stays current";
}

TEST_F(SaveTest, AnsweringNoToAQuestionAboutTheFileReturnsToTheDialog) {
  desktop_.dialogAnswers.push_back(PathIn("water.pdb"));
  Send(CommandMessage(kCmdSave));
  ASSERT_EQ(desktop_.questions.size(), 1u);
  EXPECT_EQ(desktop_.questions[0], u"water.pdb\nThis file does not exist.\nCreate the file?");
  WriteBytes(dir_ / "water.pdb", "old");

  desktop_.dialogAnswers.push_back(PathIn("water.pdb"));
  desktop_.questionAnswers.push_back(false);
  Send(CommandMessage(kCmdSave));  // No, then the second dialog is cancelled
  EXPECT_EQ(desktop_.questions.back(), u"water.pdb already exists.\nDo you want to replace it?");
  EXPECT_EQ(desktop_.dialogRequests.back().proposedPath, PathIn("water.pdb"));
  EXPECT_EQ(ReadBytes(dir_ / "water.pdb"), "old");

  desktop_.dialogAnswers.push_back(PathIn("missing.pdb"));
  desktop_.questionAnswers.push_back(false);
  Send(CommandMessage(kCmdOpen));
  EXPECT_EQ(desktop_.dialogRequests.back().title, u"Open File");
  EXPECT_EQ(records_->document.atomCount, 1u) << "nothing was opened";
}

}  // namespace
}  // namespace tf::test
