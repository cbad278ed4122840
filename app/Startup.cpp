#include "app/Startup.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "app/AtomInfoPanel.h"
#include "app/ShapingPanel.h"
#include "app/WindowMessages.h"
#include "forcefield/FixedText.h"
#include "forcefield/ParameterFile.h"
#include "shaping/ShapingWorker.h"
#include "view/Graphics.h"

namespace tf {
namespace {

StartupOutcome Failure(const std::string& cause) {
  return {1, "tessaform: " + cause};
}

// InitGraphics reports only that it failed; find out whether the parameter
// file was the cause.
std::string GraphicsFailureCause(const MoleculeStore& store, const std::u16string& directory) {
  const std::string config = store.configPath;
  std::error_code error;
  if (!std::filesystem::exists(config, error))
    return config + " was not found in the working directory " + ToUtf8(directory);
  const auto tables = std::make_unique<ForceFieldTables>();
  if (!LoadParameterFile(*tables, store.configPath))
    return config + " in the working directory " + ToUtf8(directory) + " could not be loaded";
  return "the graphics could not start";
}

}  // namespace

void ConnectShell(Application& app) {
  DesktopShell& desktop = app.desktop;
  ShellCallbacks& shell = app.store.shell;
  shell.showMessage = [&desktop](std::u16string_view text, std::u16string_view caption,
                                 MessageIcon icon) { desktop.ShowMessageBox(text, caption, icon); };
  shell.setBondButtonLabel = [&desktop](std::u16string_view label) {
    desktop.SetBondButtonLabel(label);
  };
  shell.clientSize = [&desktop] { return desktop.MainClientSize(); };
  shell.refreshPanels = [&desktop] { desktop.PostRefreshPanels(); };
}

StartupOutcome StartApplication(Application& app) {
  MoleculeStore& store = app.store;
  DesktopShell& desktop = app.desktop;
  std::error_code error;
  app.state.startDirectory = FromUtf8(std::filesystem::current_path(error).string());
  ConnectShell(app);
  if (!desktop.CreateMainWindow()) return Failure("the main window could not be created");
  desktop.CheckToolButton(kCmdSelectTool + store.selectionTool, true);
  if (InitGraphics(store, desktop.ToolbarHeight()) != 0) {
    ReleaseGraphics(store);
    return Failure(GraphicsFailureCause(store, app.state.startDirectory));
  }
  desktop.CheckModelRadio(kCmdWireframe + store.modelStyle);
  desktop.CreatePanels(AtomTypeListEntries(store.tables), CreateShapingPanel(store));
  app.state.panelsAlive = true;
  app.state.atomInfoPanelWidth = desktop.OuterPanelSize(Panel::AtomInfo).width;
  desktop.ShowPanel(Panel::AtomInfo, true);
  desktop.ShowPanel(Panel::Shaping, false);
  desktop.ShowMainWindow();
  return {};
}

int ShutdownApplication(Application& app) {
  if (app.state.panelsAlive) {
    app.desktop.DestroyPanel(Panel::AtomInfo);
    app.desktop.DestroyPanel(Panel::Shaping);
    app.state.panelsAlive = false;
  }
  ShutdownShaping(app.store);
  app.store.shell = ShellCallbacks{};  // the desktop may go before the store
  ReleaseGraphics(app.store);
  return 0;
}

}  // namespace tf
