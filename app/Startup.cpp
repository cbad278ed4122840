#include "app/Startup.h"

#include <filesystem>
#include <system_error>

#include "app/AtomInfoPanel.h"
#include "app/ShapingPanel.h"
#include "app/WindowMessages.h"
#include "base/FixedText.h"
#include "forcefield/ParameterFile.h"
#include "shaping/ShapingStep.h"
#include "shaping/ShapingWorker.h"
#include "view/Graphics.h"

namespace tf {

namespace {

StartupOutcome Failure(const std::string& cause) {
  return {1, "tessaform: " + cause};
}

std::string ParameterFileFailure(const ReadReport& report, const std::string& config,
                                 const std::u16string& directory) {
  const std::string where = " in the working directory " + ToUtf8(directory);
  if (report.failure && report.failure->line == 0 && report.failure->reason == "cannot be opened")
    return config + " was not found" + where;
  std::string cause = config + where + " could not be loaded";
  if (report.failure) cause += " (" + DescribeProblem(*report.failure) + ")";
  return cause;
}

}  // namespace

void ConnectShell(Application& app) {
  DesktopShell& desktop = app.desktop;
  app.shaping.afterStep = [&app] { Redraw(app); };
  app.shaping.whenEnded = [&desktop] { desktop.PostRefreshPanels(); };
}

StartupOutcome StartApplication(Application& app) {
  DesktopShell& desktop = app.desktop;
  std::error_code error;
  app.state.startDirectory = FromUtf8(std::filesystem::current_path(error).string());
  const std::string& config = app.state.configPath;
  const ReadReport parameters = LoadParameterFile(app.tables, config.c_str());
  if (!parameters.read)
    return Failure(ParameterFileFailure(parameters, config, app.state.startDirectory));
  app.shaping.shapingSeed = ClockSeed();
  NewMolecule(app.document);
  app.view.modelStyle = kBallStick;
  app.view.selectionTool = kSelectTool;
  ConnectShell(app);

  if (!desktop.CreateMainWindow()) return Failure("the main window could not be created");
  desktop.CheckToolButton(kCmdSelectTool + app.view.selectionTool, true);
  const ClientSize client = desktop.MainClientSize();
  std::string cause;
  if (InitGraphics(app.resources, app.view, client.width, client.height, desktop.ToolbarHeight(),
                   &cause) != 0) {
    ReleaseGraphics(app.resources);
    return Failure("the graphics could not start: " + cause + " could not be made");
  }
  desktop.CheckModelRadio(kCmdWireframe + app.view.modelStyle);
  desktop.CreatePanels(AtomTypeListEntries(app.tables), CreateShapingPanel(app.shaping));
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
  ShutdownShaping(app.shaping);
  // The desktop may go before the records.
  app.shaping.afterStep = nullptr;
  app.shaping.whenEnded = nullptr;
  ReleaseGraphics(app.resources);
  return 0;
}

}  // namespace tf
