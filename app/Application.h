#pragma once
// The running application: the document, the desktop it shows on, and the
// main window's own state. One instance lives from start-up to shutdown.

#include <cstdint>
#include <string>

#include "app/DesktopShell.h"
#include "app/EditSteps.h"
#include "model/MoleculeStore.h"

namespace tf {

struct ShellState {
  std::u16string startDirectory;           // working directory at start; the manual is found here
  int32_t atomInfoPanelWidth = 0;          // outer width, measured once after the panel is made
  bool panelsAlive = false;                // from their creation until the main window is destroyed
  int32_t lastMouseX = 0, lastMouseY = 0;  // client position of the previous move
  int32_t pressX = 0, pressY = 0;          // client position of the last button press
  int32_t skipNextDrag = 0;                // set by Open: the next left-button move is ignored
  bool outlineEnded = false;               // a full outline ended the left drag's gesture
  int32_t wheelTurned = 0;                 // wheel delta not yet made into zoom steps
  std::u16string picturePath;              // the last exported picture, proposed again
};

struct Application {
  MoleculeStore& store;
  DesktopShell& desktop;
  ShellState state;
  EditSteps edits;
};

// Sends RefreshPanels to the Atom Information panel while it exists.
void SendRefreshPanels(Application& app);

// RefreshPanels, then Redraw: what follows almost every action.
void RefreshAndRedraw(Application& app);

// A panel was shown or hidden (by the View menu or its close box): its View
// menu item is checked while it is visible.
void PanelVisibilityChanged(Application& app, Panel panel, bool visible);

}  // namespace tf
