#include "app/Commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/AppFixture.h"
#include "app/AtomInfoPanel.h"
#include "base/FixedText.h"
#include "io/MoleculeFileCommands.h"
#include "support/ShippedConfig.h"
#include "support/TempDir.h"
#include "support/TestRecords.h"

namespace tf::test {
namespace {

TEST_F(AppTest, ShiftTriplesTheZoomKeysAndTurnsArrowsIntoPans) {
  const struct {
    uint32_t key;
    bool shift;
    float zoom;
  } keys[] = {{VK_OEM_PLUS, false, 2.1f}, {VK_OEM_PLUS, true, 2.4f}, {VK_OEM_MINUS, false, 2.3f},
              {VK_OEM_MINUS, true, 2.0f}, {VK_ADD, false, 2.0f},     {VK_SUBTRACT, true, 2.0f}};
  for (const auto& k : keys) {
    desktop_.shift = k.shift;
    Send(KeyDownMessage(k.key));
    EXPECT_NEAR(records_->view.camera.zoom, k.zoom, 1e-5) << k.key << " shift " << k.shift;
  }
  EXPECT_EQ(desktop_.refreshes, 4) << "the keypad keys are no keys of the window";

  const float y = records_->view.camera.target.y;
  desktop_.shift = true;
  Send(KeyDownMessage(VK_UP));
  EXPECT_NEAR(records_->view.camera.target.y, y + 2, 1e-5);
}

TEST_F(AppTest, EscAndExitCloseTheWindowWhoseDestructionEndsTheLoop) {
  Send(KeyDownMessage(VK_ESCAPE));
  EXPECT_EQ(desktop_.TakeLog(), Log{"DestroyMainWindow"});
  Send(CommandMessage(kCmdExit));
  EXPECT_EQ(desktop_.TakeLog(), Log{"DestroyMainWindow"});
  EXPECT_EQ(desktop_.refreshes, 0);

  Send({.message = WM_DESTROY});
  EXPECT_EQ(desktop_.TakeLog(),
            (Log{"DestroyPanel AtomInfo", "DestroyPanel Shaping", "PostQuit 0"}));
  Send(KeyDownMessage(VK_SPACE));
  Send({.message = WM_MOVE});
  EXPECT_EQ(desktop_.refreshes, 0) << "no panel to refresh any more";
  EXPECT_EQ(desktop_.TakeLog(), Log{"FocusMainWindow"});
}

TEST_F(AppTest, ToolAndModelCommandsMoveTheirMarks) {
  Send(CommandMessage(kCmdRectangularTool));
  EXPECT_EQ(desktop_.TakeLog(), (Log{"CheckToolButton 1021 off", "CheckToolButton 1022 on"}));
  EXPECT_EQ(records_->view.selectionTool, kRectangularTool);
  Send(CommandMessage(kCmdRectangularTool));
  EXPECT_EQ(desktop_.TakeLog(), (Log{"CheckToolButton 1022 off", "CheckToolButton 1022 on"}));
  Send(CommandMessage(kCmdSticks));
  EXPECT_EQ(desktop_.TakeLog(), Log{"CheckModelRadio 40013"});
  EXPECT_EQ(records_->view.modelStyle, kSticks);
}

TEST_F(AppTest, ViewCommandsToggleThePanelsWhoseVisibilityChecksTheirItems) {
  desktop_.visible[Panel::AtomInfo] = true;
  Send(CommandMessage(kCmdViewAtomInfo));
  Send(CommandMessage(kCmdViewAtomInfo));
  EXPECT_EQ(desktop_.TakeLog(), (Log{"ShowPanel AtomInfo off", "FocusMainWindow",
                                     "ShowPanel AtomInfo on", "FocusMainWindow"}));
  PanelVisibilityChanged(app_, Panel::Shaping, true);
  EXPECT_EQ(desktop_.TakeLog(), Log{"CheckViewItem 40010 on"});
}

// Client (100, 150)-(800, 750), toolbar 24; panels 200 wide and 150 high.
TEST_F(AppTest, MovingOrSizingTheWindowPlacesThePanelsOverTheViewCorners) {
  app_.state.atomInfoPanelWidth = 200;
  const Log placed{"MovePanel AtomInfo 590 184", "MovePanel Shaping 110 510", "FocusMainWindow"};
  Send({.message = WM_MOVE});
  EXPECT_EQ(desktop_.TakeLog(), placed);
  Send(SizeMessage(800, 500));
  EXPECT_EQ(desktop_.TakeLog(), placed);
  EXPECT_EQ(records_->view.camera.viewportWidth, 800);
}

TEST_F(AppTest, ChargesShowTheWaitCursorWhileTheyCompute) {
  OpenMoleculeFile(records_->document, records_->tables,
                   FromUtf8(SourcePath("share/samples/alanine-dipeptide.pdb")));
  ASSERT_GT(records_->document.atomCount, 2u);
  for (uint32_t i = 0; i < records_->document.atomCount; ++i)
    records_->document.atoms[i].charge = 0;
  const auto charged = [&] {
    for (uint32_t i = 0; i < records_->document.atomCount; ++i)
      if (records_->document.atoms[i].charge != 0) return true;
    return false;
  };
  std::vector<bool> chargedAtCursor;
  desktop_.onWaitCursor = [&] { chargedAtCursor.push_back(charged()); };
  Send(KeyDownMessage('C'));
  EXPECT_EQ(desktop_.TakeLog(), (Log{"SetWaitCursor on", "SetWaitCursor off"}));
  EXPECT_EQ(chargedAtCursor, (std::vector<bool>{false, true}));
  EXPECT_EQ(desktop_.refreshes, 2) << "after the charges and after the key";
}

TEST_F(AppTest, OpenCentresTheMoleculeAndThePanelShowsTheFilesCoordinates) {
  Send(CommandMessage(kCmdOpen));  // cancelled
  EXPECT_EQ(desktop_.refreshes + app_.state.skipNextDrag, 0);
  const std::u16string path = FromUtf8(SourcePath("share/samples/alanine-dipeptide.pdb"));
  desktop_.dialogAnswers.push_back(path);
  Send(CommandMessage(kCmdOpen));
  ASSERT_GT(records_->document.atomCount, 2u);
  float left = 1e9f, right = -1e9f;
  const PixelRect view = records_->view.camera.presentRect;
  for (uint32_t i = 0; i < records_->document.atomCount; ++i) {
    left = std::min(left, records_->document.atoms[i].x),
    right = std::max(right, records_->document.atoms[i].x);
    const Pixel p = PixelOf(i);
    EXPECT_TRUE(p.x > view.left && p.x < view.right && p.y > view.top && p.y < view.bottom) << i;
  }
  EXPECT_NEAR(left + right, 0, 1e-3);
  EXPECT_EQ(app_.state.skipNextDrag, 1);
  EXPECT_EQ(desktop_.refreshes, 1);

  auto asInFile = RecordsWithShippedConfig();
  OpenMoleculeFile(asInFile->document, asInFile->tables, path);
  ASSERT_GT(std::fabs(asInFile->document.atoms[0].x - records_->document.atoms[0].x), 0.1f)
      << "centring moved it";
  Select({0});
  AtomInfoTexts texts;
  FillAtomInfo(records_->document, records_->tables, texts);
  char expected[32];
  std::snprintf(expected, sizeof expected, "%.3f", asInFile->document.atoms[0].x);
  EXPECT_EQ(ToUtf8(texts.x), expected);
}

// A number that cannot be read ends the atom records: what came before is
// kept, and the window says where reading stopped instead of staying silent.
TEST_F(AppTest, OpenSaysWhereReadingStoppedAndKeepsTheAtomsBeforeIt) {
  TempDir folder;
  WriteBytes(folder / "corrupt.pdb",
             "ATOM      1  C1  BEN A   1       0.000   1.400   0.000\n"
             "ATOM      2  C2  BEN A   1       1.212   0.700   0.000\n"
             "ATOM      3  C3  BEN A   1       1.212  -0.7x0   0.000\n"
             "ATOM      4  C4  BEN A   1       0.000  -1.400   0.000\n");
  desktop_.dialogAnswers.push_back(FromUtf8((folder / "corrupt.pdb").string()));
  desktop_.TakeLog();
  Send(CommandMessage(kCmdOpen));
  EXPECT_EQ(records_->document.atomCount, 3u) << "the records before it and the one it is in";
  const Log log = desktop_.TakeLog();
  EXPECT_NE(std::find(log.begin(), log.end(),
                      "ShowMessageBox Reading stopped at line 3 of corrupt.pdb: ATOM      3  C3  "
                      "BEN A   1       1.212  -0.7x0   0.000 | Message | warning"),
            log.end());
}

TEST_F(AppTest, HelpOpensTheHtmlManualOfTheStartDirectory) {
  app_.state.startDirectory = u"/opt/tessaform";
  Send(CommandMessage(kCmdViewHelp));
  Send(CommandMessage(kCmdAbout));
  Send(CommandMessage(1013));  // a panel's control: not a command of the window
  EXPECT_EQ(desktop_.TakeLog(), (Log{"OpenFile /opt/tessaform/Tessaform.html",
                                     "ShowAboutBox /opt/tessaform/Tessaform.html"}));
}

}  // namespace
}  // namespace tf::test
