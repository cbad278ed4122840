#include "app/MainWindowProc.h"

#include <optional>

#include "app/Commands.h"
#include "app/DocumentFiles.h"
#include "app/EditSteps.h"
#include "app/MouseGestures.h"
#include "app/PlacePanels.h"
#include "charges/PartialCharges.h"
#include "model/AtomEditing.h"
#include "model/BondEditing.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"

namespace tf {
namespace {

// The key table; false for keys it does not hold. Shift turns the arrows
// from rotating into panning and triples the zoom step.
bool OnKey(Application& app, uint32_t key) {
  MoleculeStore& store = app.store;
  const bool shift = app.desktop.IsShiftDown();
  switch (key) {
    case VK_SPACE:
      ResetView(store);
      break;
    case VK_LEFT:
      shift ? Pan(store, -20, 0) : RotateModel(store, -10, 0);
      break;
    case VK_RIGHT:
      shift ? Pan(store, 20, 0) : RotateModel(store, 10, 0);
      break;
    case VK_UP:
      shift ? Pan(store, 0, 20) : RotateModel(store, 0, -10);
      break;
    case VK_DOWN:
      shift ? Pan(store, 0, -20) : RotateModel(store, 0, 10);
      break;
    case VK_DELETE:
      DeleteSelectedAtoms(store);
      break;
    case 'B':
      ToggleBond(store);
      break;
    case 'C':
      MainWindowProc(app, {.message = ComputeCharges});
      break;
    case 'P':
      OnCommand(app, kCmdPerceiveBonds);
      break;
    case VK_OEM_PLUS:
      Zoom(store, shift ? 3 : 1);
      break;
    case VK_OEM_MINUS:
      Zoom(store, shift ? -3 : -1);
      break;
    default:
      return false;
  }
  return true;
}

// Keys that change the document; the others only change the view.
bool IsEditingKey(uint32_t key) {
  return key == VK_DELETE || key == 'B' || key == 'C' || key == 'P';
}

void OnComputeCharges(Application& app) {
  app.desktop.SetWaitCursor(true);
  RecomputeCharges(app.store);
  app.desktop.SetWaitCursor(false);
  SendRefreshPanels(app);
}

void OnDestroy(Application& app) {
  app.desktop.DestroyPanel(Panel::AtomInfo);
  app.desktop.DestroyPanel(Panel::Shaping);
  app.state.panelsAlive = false;
  app.desktop.PostQuit(0);
}

}  // namespace

bool MainWindowProc(Application& app, const WindowMessage& message) {
  switch (message.message) {
    case WM_DESTROY:
      OnDestroy(app);
      return true;
    case WM_MOVE:
      PlacePanels(app);
      app.desktop.FocusMainWindow();
      return true;
    case WM_SIZE:
      Resize(app.store, message.x, message.y);
      Redraw(app.store);
      PlacePanels(app);
      app.desktop.FocusMainWindow();
      return true;
    case WM_PAINT:
    case WM_ACTIVATE:
      Redraw(app.store);
      return true;
    case WM_KEYDOWN:
      if (message.key == VK_ESCAPE) {
        CloseMainWindow(app);
      } else {
        std::optional<EditScope> step;
        if (IsEditingKey(message.key)) step.emplace(app);
        if (OnKey(app, message.key)) RefreshAndRedraw(app);
      }
      return true;
    case WM_COMMAND:
      OnCommand(app, message.command);
      return true;
    case WM_MOUSEMOVE:
      OnMouseMove(app, message);
      return true;
    case WM_LBUTTONDOWN: {
      const EditScope step(app);  // stays open while atoms are dragged
      OnLeftButtonDown(app, message);
      return true;
    }
    case WM_LBUTTONUP: {
      const EditScope step(app);
      OnLeftButtonUp(app, message);
      return true;
    }
    case WM_RBUTTONDOWN:
      OnRightButtonDown(app, message);
      return true;
    case WM_RBUTTONUP: {
      const EditScope step(app);
      OnRightButtonUp(app, message);
      return true;
    }
    case WM_MOUSEWHEEL:
      OnMouseWheel(app, message);
      return true;
    case RefreshPanels:  // the panel refreshes itself; the window has nothing to do
      return true;
    case ComputeCharges: {
      const EditScope step(app);
      OnComputeCharges(app);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace tf
