#include "app/Application.h"

#include "app/WindowMessages.h"
#include "view/Graphics.h"

namespace tf {

void SendRefreshPanels(Application& app) {
  if (app.state.panelsAlive) app.desktop.RefreshAtomInfoPanel();
}

void RefreshAndRedraw(Application& app) {
  SendRefreshPanels(app);
  Redraw(app.store);
}

void PanelVisibilityChanged(Application& app, Panel panel, bool visible) {
  app.desktop.CheckViewItem(panel == Panel::AtomInfo ? kCmdViewAtomInfo : kCmdViewShaping, visible);
}

}  // namespace tf
