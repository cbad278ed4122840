#include "app/Commands.h"

#include <iterator>
#include <mutex>
#include <optional>

#include "app/ChemistryCommands.h"
#include "app/DocumentFiles.h"
#include "app/EditSteps.h"
#include "app/ExportImage.h"
#include "app/WindowMessages.h"
#include "base/FixedText.h"
#include "model/AtomEditing.h"
#include "model/BondEditing.h"
#include "shaping/ShapingWorker.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"

namespace tf {

namespace {

// The tool buttons are plain push buttons: the check moves here, first off
// the current tool, then onto the chosen one (so choosing it again keeps it).
void ChooseTool(Application& app, int32_t command) {
  app.desktop.CheckToolButton(kCmdSelectTool + app.view.selectionTool, false);
  app.desktop.CheckToolButton(command, true);
  {
    std::lock_guard render(app.resources.renderLock);  // frames read the tool
    app.view.selectionTool = command - kCmdSelectTool;
  }
  Redraw(app);
}

void ChooseModelStyle(Application& app, int32_t command) {
  app.desktop.CheckModelRadio(command);
  {
    std::lock_guard render(app.resources.renderLock);
    app.view.modelStyle = command - kCmdWireframe;
  }
  Redraw(app);
}

void ToggleColorByStrain(Application& app, int32_t) {
  bool on = false;
  {
    std::lock_guard render(app.resources.renderLock);
    on = app.view.colorByStrain = !app.view.colorByStrain;
  }
  app.desktop.CheckViewItem(kCmdColorByStrain, on);
  Redraw(app);
}

std::u16string ManualPath(const Application& app) {
  return app.state.startDirectory + u"/" + kManualFileName;
}

void TogglePanel(Application& app, Panel panel) {
  app.desktop.ShowPanel(panel, !app.desktop.IsPanelVisible(panel));
  app.desktop.FocusMainWindow();
}

void Turn(Application& app, int32_t yaw, int32_t pitch) {
  RotateModel(app.view, app.resources, app.document, yaw, pitch);
}

void PanView(Application& app, int32_t dx, int32_t dy) {
  Pan(app.view, app.resources, dx, dy);
}

void ZoomView(Application& app, int32_t step) {
  Zoom(app.view, app.resources, step);
}

void ToggleBondOfSelection(Application& app) {
  const std::u16string_view label = ToggleBond(app.document, app.tables);
  if (!label.empty()) app.desktop.SetBondButtonLabel(label);
}

struct CommandEntry {
  int32_t command;
  bool changesDocument;
  void (*run)(Application& app, int32_t command);
};

constexpr CommandEntry kCommands[] = {
    {kCmdUndo, false, [](Application& app, int32_t) { UndoEdit(app); }},
    {kCmdRedo, false, [](Application& app, int32_t) { RedoEdit(app); }},
    {kCmdStartShaping, true,
     [](Application& app, int32_t) { StartShaping(app.shaping, app.document, app.tables); }},
    {kCmdStopShaping, true, [](Application& app, int32_t) { StopShaping(app.shaping); }},
    {kCmdMinimize, true,
     [](Application& app, int32_t) { StartMinimizing(app.shaping, app.document, app.tables); }},
    {kCmdCharges, true, [](Application& app, int32_t) { ComputeChargesOfDocument(app); }},
    {kCmdSelectTool, false, ChooseTool},
    {kCmdRectangularTool, false, ChooseTool},
    {kCmdFreeformTool, false, ChooseTool},
    {kCmdNew, false, [](Application& app, int32_t) { NewDocument(app); }},
    {kCmdOpen, false, [](Application& app, int32_t) { OpenDocument(app); }},
    {kCmdSave, false, [](Application& app, int32_t) { SaveDocument(app); }},
    {kCmdSaveAs, false, [](Application& app, int32_t) { SaveDocumentAs(app); }},
    {kCmdNewFromSmiles, false, [](Application& app, int32_t) { NewDocumentFromSmiles(app); }},
    {kCmdExportImage, false, [](Application& app, int32_t) { ExportImage(app); }},
    {kCmdExit, false, [](Application& app, int32_t) { CloseMainWindow(app); }},
    {kCmdViewAtomInfo, false, [](Application& app, int32_t) { TogglePanel(app, Panel::AtomInfo); }},
    {kCmdViewShaping, false, [](Application& app, int32_t) { TogglePanel(app, Panel::Shaping); }},
    {kCmdColorByStrain, false, ToggleColorByStrain},
    {kCmdWireframe, false, ChooseModelStyle},
    {kCmdSpacefill, false, ChooseModelStyle},
    {kCmdSticks, false, ChooseModelStyle},
    {kCmdBallStick, false, ChooseModelStyle},
    {kCmdPerceiveBonds, true, [](Application& app, int32_t) { PerceiveBondsOfDocument(app); }},
    {kCmdPerceiveTypes, true, [](Application& app, int32_t) { PerceiveTypesOfDocument(app); }},
    {kCmdAddHydrogens, true, [](Application& app, int32_t) { AddHydrogensToDocument(app); }},
    {kCmdViewHelp, false, [](Application& app, int32_t) { app.desktop.OpenFile(ManualPath(app)); }},
    {kCmdAbout, false,
     [](Application& app, int32_t) { app.desktop.ShowAboutBox(ManualPath(app)); }},
    {kCmdResetView, false, [](Application& app, int32_t) { ResetView(app.view, app.resources); }},
    {kCmdTurnLeft, false, [](Application& app, int32_t) { Turn(app, -10, 0); }},
    {kCmdTurnRight, false, [](Application& app, int32_t) { Turn(app, 10, 0); }},
    {kCmdTurnUp, false, [](Application& app, int32_t) { Turn(app, 0, -10); }},
    {kCmdTurnDown, false, [](Application& app, int32_t) { Turn(app, 0, 10); }},
    {kCmdPanLeft, false, [](Application& app, int32_t) { PanView(app, -20, 0); }},
    {kCmdPanRight, false, [](Application& app, int32_t) { PanView(app, 20, 0); }},
    {kCmdPanUp, false, [](Application& app, int32_t) { PanView(app, 0, 20); }},
    {kCmdPanDown, false, [](Application& app, int32_t) { PanView(app, 0, -20); }},
    {kCmdDeleteSelected, true,
     [](Application& app, int32_t) { DeleteSelectedAtoms(app.document); }},
    {kCmdToggleBond, true, [](Application& app, int32_t) { ToggleBondOfSelection(app); }},
    {kCmdZoomIn, false, [](Application& app, int32_t) { ZoomView(app, 1); }},
    {kCmdZoomOut, false, [](Application& app, int32_t) { ZoomView(app, -1); }},
    {kCmdZoomInFast, false, [](Application& app, int32_t) { ZoomView(app, 3); }},
    {kCmdZoomOutFast, false, [](Application& app, int32_t) { ZoomView(app, -3); }},
};

const CommandEntry* FindCommand(int32_t command) {
  for (const CommandEntry& entry : kCommands)
    if (entry.command == command) return &entry;
  return nullptr;
}

struct KeyEntry {
  uint32_t key;
  int32_t command;
  int32_t shiftCommand;
};

constexpr KeyEntry kKeys[] = {
    {VK_SPACE, kCmdResetView, kCmdResetView},
    {VK_LEFT, kCmdTurnLeft, kCmdPanLeft},
    {VK_RIGHT, kCmdTurnRight, kCmdPanRight},
    {VK_UP, kCmdTurnUp, kCmdPanUp},
    {VK_DOWN, kCmdTurnDown, kCmdPanDown},
    {VK_DELETE, kCmdDeleteSelected, kCmdDeleteSelected},
    {'B', kCmdToggleBond, kCmdToggleBond},
    {'C', kCmdCharges, kCmdCharges},
    {'P', kCmdPerceiveBonds, kCmdPerceiveBonds},
    {VK_OEM_PLUS, kCmdZoomIn, kCmdZoomInFast},
    {VK_OEM_MINUS, kCmdZoomOut, kCmdZoomOutFast},
};

}  // namespace

void OnCommand(Application& app, int32_t command) {
  const CommandEntry* entry = FindCommand(command);
  if (entry == nullptr) return;
  std::optional<EditScope> step;
  if (entry->changesDocument) step.emplace(app);
  entry->run(app, command);
}

int32_t KeyCommand(uint32_t key, bool shift) {
  for (const KeyEntry& entry : kKeys)
    if (entry.key == key) return shift ? entry.shiftCommand : entry.command;
  return 0;
}

}  // namespace tf
