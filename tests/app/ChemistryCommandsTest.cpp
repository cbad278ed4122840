// Perceive Types, Add Hydrogens, New from SMILES and saving in other formats
// through the dispatcher.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "app/AppFixture.h"
#include "base/FixedText.h"
#include "model/TableLookup.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"

namespace tf::test {
namespace {

class ChemistryCommandsTest : public AppTest {
 protected:
  bool Showed(const Log& log, const std::string& text) const {
    return std::find(log.begin(), log.end(), "ShowMessageBox " + text) != log.end();
  }
  void AddBenzeneCarbons() {
    for (int k = 0; k < 6; ++k)
      AddCarbon(1.4f * std::cos(k * M_PI / 3), 1.4f * std::sin(k * M_PI / 3));
    Send(KeyDownMessage('P'));
    ASSERT_EQ(records_->document.bondCount, 6u);
  }
};

TEST_F(ChemistryCommandsTest, PerceiveTypesAndAddHydrogensAreOneUndoStepEach) {
  AddBenzeneCarbons();
  const int32_t c2 = FindAtomTypeByName(records_->tables, u"C2");
  desktop_.TakeLog();
  const std::size_t steps = app_.edits.history.UndoSteps();
  Send(CommandMessage(kCmdPerceiveTypes));
  EXPECT_TRUE(Showed(desktop_.TakeLog(), "6 atom types were changed. | Message | information"));
  EXPECT_EQ(records_->document.atoms[5].atomType, c2);
  Send(CommandMessage(kCmdAddHydrogens));
  EXPECT_TRUE(Showed(desktop_.TakeLog(), "6 hydrogens were added. | Message | information"));
  EXPECT_EQ(records_->document.atomCount, 12u);
  EXPECT_EQ(app_.edits.history.UndoSteps(), steps + 2);

  Send(CommandMessage(kCmdUndo));
  EXPECT_EQ(records_->document.atomCount, 6u);
  EXPECT_EQ(records_->document.atoms[5].atomType, c2);
  Send(CommandMessage(kCmdUndo));
  EXPECT_NE(records_->document.atoms[5].atomType, c2);
}

// Every command that runs away from the window thread shows its name, and
// cancelled leaves the document as it was, with no step and no message.
TEST_F(ChemistryCommandsTest, CancelledLongCommandsChangeNothing) {
  AddBenzeneCarbons();
  for (uint32_t i = 0; i < 6; ++i) records_->document.atoms[i].charge = 0.25f;  // not the model's
  desktop_.dialogAnswers.push_back(FromUtf8(SourcePath("share/samples/ethanol.pdb")));
  desktop_.smilesAnswers.push_back(u"CCO");
  desktop_.TakeLog();
  const std::size_t steps = app_.edits.history.UndoSteps();
  DocumentState before;
  {
    std::lock_guard model(records_->document.modelLock);
    before = CaptureDocument(records_->document, app_.view.camera.rotation);
  }
  desktop_.longCommands.clear();
  desktop_.cancelLongCommands = true;
  for (int32_t command : {kCmdCharges, kCmdPerceiveBonds, kCmdPerceiveTypes, kCmdAddHydrogens,
                          kCmdOpen, kCmdNewFromSmiles})
    Send(CommandMessage(command));
  EXPECT_EQ(desktop_.longCommands,
            (std::vector<std::u16string>{u"Charges", u"Perceive Bonds", u"Perceive Types",
                                         u"Add Hydrogens", u"Open", u"New from SMILES"}));
  for (const std::string& line : desktop_.TakeLog())
    EXPECT_EQ(line.rfind("ShowMessageBox", 0), std::string::npos) << line;
  EXPECT_EQ(app_.edits.history.UndoSteps(), steps);
  std::lock_guard model(records_->document.modelLock);
  EXPECT_TRUE(SameDocument(CaptureDocument(records_->document, app_.view.camera.rotation), before));
}

TEST_F(ChemistryCommandsTest, NewFromSmilesBuildsAMoleculeOrSaysWhyNot) {
  AddCarbon(0, 0);
  desktop_.smilesAnswers.push_back(u"C1CC(");
  Send(CommandMessage(kCmdNewFromSmiles));
  EXPECT_TRUE(Showed(desktop_.TakeLog(),
                     "The SMILES string cannot be built: cannot be parsed | Message | warning"));
  EXPECT_EQ(records_->document.atomCount, 1u) << "nothing changed";

  desktop_.smilesAnswers.push_back(u"CCO");
  Send(CommandMessage(kCmdNewFromSmiles));
  ASSERT_EQ(records_->document.atomCount, 9u);
  EXPECT_EQ(TextView(records_->document.filePath), u"");
  EXPECT_EQ(TextView(records_->document.atoms[2].name), u"O1");
  Send(CommandMessage(kCmdUndo));
  EXPECT_EQ(records_->document.atomCount, 1u) << "one step of the history";
}

TEST_F(ChemistryCommandsTest, SaveAsWritesTheChosenFormatAndSaveOffersItAgain) {
  TempDir dir;
  AddBenzeneCarbons();
  desktop_.dialogAnswers.push_back(FromUtf8((dir / "ring").string()));
  desktop_.filterAnswers.push_back(1);  // MDL SDF
  Send(CommandMessage(kCmdSaveAs));
  EXPECT_EQ(desktop_.dialogRequests.back().selectedFilter, 0) << "PDB comes first";
  EXPECT_EQ(desktop_.dialogRequests.back().filters.size(), 4u);
  ASSERT_TRUE(std::filesystem::exists(dir / "ring.sdf"));
  EXPECT_FALSE(std::filesystem::exists(dir / "ring.tfatoms"));
  EXPECT_EQ(ToUtf8(TextView(records_->document.filePath)), (dir / "ring.sdf").string());

  Send(CommandMessage(kCmdSave));  // cancelled
  EXPECT_EQ(desktop_.dialogRequests.back().selectedFilter, 1) << "Save keeps to SDF";
}

}  // namespace
}  // namespace tf::test
