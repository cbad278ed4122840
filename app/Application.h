#pragma once
// The running application: its records, the desktop it shows on, and the
// main window's own state. One instance lives from start-up to shutdown.

#include <cstdint>
#include <string>

#include "app/DesktopShell.h"
#include "app/EditSteps.h"
#include "app/LongCommand.h"
#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"
#include "shaping/ShapingRun.h"
#include "view/SceneSnapshot.h"
#include "view/ViewResources.h"
#include "view/ViewState.h"

namespace tf {

// The records the application owns, one job each: the program keeps one
// static instance, tests make theirs on the heap.
struct ApplicationRecords {
  Document document;        // what is saved, undone and shaped (modelLock)
  ForceFieldTables tables;  // loaded once at start-up, read-only afterwards
  ViewState view;           // camera, style, tool and gestures (window thread, renderLock)
  ShapingRun shaping;       // the worker, its flags and figures
  ViewResources resources;  // the device and what frames draw with (renderLock)
};

struct ShellState {
  std::u16string startDirectory;           // working directory at start; the manual is found here
  std::string configPath = "config.ini";   // the parameter file start-up loads
  int32_t atomInfoPanelWidth = 0;          // outer width, measured once after the panel is made
  bool panelsAlive = false;                // from their creation until the main window is destroyed
  int32_t lastMouseX = 0, lastMouseY = 0;  // client position of the previous move
  int32_t pressX = 0, pressY = 0;          // client position of the last button press
  int32_t skipNextDrag = 0;                // set by Open: the next left-button move is ignored
  bool outlineEnded = false;               // a full outline ended the left drag's gesture
  int32_t wheelTurned = 0;                 // wheel delta not yet made into zoom steps
  std::u16string picturePath;              // the last exported picture, proposed again
  bool longCommandRunning = false;         // the window waits for a long command
};

struct Application {
  Application(ApplicationRecords& records, DesktopShell& shell)
      : document(records.document),
        tables(records.tables),
        view(records.view),
        shaping(records.shaping),
        resources(records.resources),
        desktop(shell) {}

  Document& document;
  ForceFieldTables& tables;
  ViewState& view;
  ShapingRun& shaping;
  ViewResources& resources;
  DesktopShell& desktop;
  ShellState state;
  EditSteps edits;
  LongCommandThreads longCommands;  // last, so cancelled work ends before the rest goes
};

// The records a frame of the window is drawn from.
SceneSources WindowScene(Application& app);
SceneSources SceneOf(ApplicationRecords& records);

// Draws the window's next frame (Redraw of the view).
void Redraw(Application& app);

// Sends RefreshPanels to the Atom Information panel while it exists.
void SendRefreshPanels(Application& app);

// RefreshPanels, then Redraw: what follows almost every action.
void RefreshAndRedraw(Application& app);

// A panel was shown or hidden (by the View menu or its close box): its View
// menu item is checked while it is visible.
void PanelVisibilityChanged(Application& app, Panel panel, bool visible);

}  // namespace tf
