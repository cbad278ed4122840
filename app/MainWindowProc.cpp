#include "app/MainWindowProc.h"

#include <optional>

#include "app/Commands.h"
#include "app/DocumentFiles.h"
#include "app/EditSteps.h"
#include "app/MouseGestures.h"
#include "app/PlacePanels.h"
#include "view/Graphics.h"

namespace tf {

namespace {

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
      Resize(app.resources, app.view, message.x, message.y);
      Redraw(app);
      PlacePanels(app);
      app.desktop.FocusMainWindow();
      return true;
    case WM_PAINT:
    case WM_ACTIVATE:
      Redraw(app);
      return true;
    case WM_KEYDOWN:
      if (message.key == VK_ESCAPE) {
        CloseMainWindow(app);
      } else if (const int32_t command = KeyCommand(message.key, app.desktop.IsShiftDown())) {
        OnCommand(app, command);
        RefreshAndRedraw(app);
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
    case RefreshPanels:  // the panel refreshes itself; a run that ended left its step open
      CloseFinishedStep(app);
      return true;
    case ComputeCharges:
      OnCommand(app, kCmdCharges);
      return true;
    default:
      return false;
  }
}

}  // namespace tf
