#include "app/Application.h"

#include "app/WindowMessages.h"
#include "view/Graphics.h"

namespace tf {

SceneSources WindowScene(Application& app) {
  return {app.document, app.tables, app.shaping, app.view};
}

SceneSources SceneOf(ApplicationRecords& records) {
  return {records.document, records.tables, records.shaping, records.view};
}

void Redraw(Application& app) {
  Redraw(app.resources, WindowScene(app));
}

void SendRefreshPanels(Application& app) {
  if (app.state.panelsAlive) app.desktop.RefreshAtomInfoPanel();
}

void RefreshAndRedraw(Application& app) {
  SendRefreshPanels(app);
  Redraw(app);
}

void PanelVisibilityChanged(Application& app, Panel panel, bool visible) {
  app.desktop.CheckViewItem(panel == Panel::AtomInfo ? kCmdViewAtomInfo : kCmdViewShaping, visible);
}

}  // namespace tf
