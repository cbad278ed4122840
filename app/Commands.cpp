#include "app/Commands.h"

#include <mutex>
#include <optional>

#include "app/DocumentFiles.h"
#include "app/EditSteps.h"
#include "app/ExportImage.h"
#include "app/MainWindowProc.h"
#include "forcefield/FixedText.h"
#include "io/PerceiveBonds.h"
#include "shaping/ShapingWorker.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"

namespace tf {
namespace {

// The tool buttons are plain push buttons: the check moves here, first off
// the current tool, then onto the chosen one (so choosing it again keeps it).
void ChooseTool(Application& app, int32_t command) {
  MoleculeStore& store = app.store;
  app.desktop.CheckToolButton(kCmdSelectTool + store.selectionTool, false);
  app.desktop.CheckToolButton(command, true);
  {
    std::lock_guard render(store.renderLock);  // frames read the tool
    store.selectionTool = command - kCmdSelectTool;
  }
  Redraw(store);
}

void ChooseModelStyle(Application& app, int32_t command) {
  MoleculeStore& store = app.store;
  app.desktop.CheckModelRadio(command);
  {
    std::lock_guard render(store.renderLock);
    store.modelStyle = command - kCmdWireframe;
  }
  Redraw(store);
}

// Bonds for a molecule read without its bond list; the counts are reported
// once the view shows them.
void PerceiveBondsOfDocument(Application& app) {
  const PerceivedBonds perceived = PerceiveBonds(app.store);
  RefreshAndRedraw(app);
  ShowMessage(app.store.shell, FromUtf8(DescribePerceivedBonds(perceived)),
              MessageIcon::Information);
}

std::u16string ManualPath(const Application& app) {
  return app.state.startDirectory + u"/" + kManualFileName;
}

void TogglePanel(Application& app, Panel panel) {
  app.desktop.ShowPanel(panel, !app.desktop.IsPanelVisible(panel));
  app.desktop.FocusMainWindow();
}

bool ChangesDocument(int32_t command) {
  switch (command) {
    case kCmdStartShaping:
    case kCmdStopShaping:
    case kCmdCharges:
    case kCmdPerceiveBonds:
      return true;
    default:
      return false;
  }
}

}  // namespace

void OnCommand(Application& app, int32_t command) {
  MoleculeStore& store = app.store;
  std::optional<EditScope> step;
  if (ChangesDocument(command)) step.emplace(app);
  switch (command) {
    case kCmdUndo:
      UndoEdit(app);
      return;
    case kCmdRedo:
      RedoEdit(app);
      return;
    case kCmdStartShaping:
      StartShaping(store);
      return;
    case kCmdStopShaping:
      StopShaping(store);
      return;
    case kCmdCharges:
      MainWindowProc(app, {.message = ComputeCharges});
      return;
    case kCmdSelectTool:
    case kCmdRectangularTool:
    case kCmdFreeformTool:
      ChooseTool(app, command);
      return;
    case kCmdNew:
      NewDocument(app);
      return;
    case kCmdOpen:
      OpenDocument(app);
      return;
    case kCmdSave:
      SaveDocument(app);
      return;
    case kCmdExportImage:
      ExportImage(app);
      return;
    case kCmdExit:
      CloseMainWindow(app);
      return;
    case kCmdViewAtomInfo:
      TogglePanel(app, Panel::AtomInfo);
      return;
    case kCmdViewShaping:
      TogglePanel(app, Panel::Shaping);
      return;
    case kCmdWireframe:
    case kCmdSpacefill:
    case kCmdSticks:
    case kCmdBallStick:
      ChooseModelStyle(app, command);
      return;
    case kCmdPerceiveBonds:
      PerceiveBondsOfDocument(app);
      return;
    case kCmdViewHelp:
      app.desktop.OpenFile(ManualPath(app));
      return;
    case kCmdAbout:
      app.desktop.ShowAboutBox(ManualPath(app));
      return;
    default:
      return;
  }
}

}  // namespace tf
