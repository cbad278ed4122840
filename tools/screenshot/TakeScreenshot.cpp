// tf-screenshot MOLECULE.pdb OUT.png: starts the program in this process
// (in the current folder, which must hold config.ini), opens the molecule as
// File > Open does, selects a few atoms, shows both panels, and saves a
// picture of the screen area the window and its panels cover. For the README;
// run it under xvfb-run (scripts/screenshot.sh does).

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "app/MainWindowProc.h"
#include "app/qt/AtomInfoPanelWidget.h"
#include "app/qt/MainWindow.h"
#include "app/qt/ProgramSession.h"
#include "app/qt/QtSetup.h"
#include "app/qt/ShapingPanelWidget.h"
#include "base/FixedText.h"
#include "io/MoleculeFileCommands.h"
#include "model/CenterMolecule.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tf-screenshot MOLECULE.pdb OUT.png\n");
    return 2;
  }
  tf::PrepareQt();
  QApplication application(argc, argv);
  tf::ProgramSession session;
  const tf::StartupOutcome outcome = session.Start();
  if (outcome.exitCode != 0) {
    std::fprintf(stderr, "%s\n", outcome.error.c_str());
    return 1;
  }
  tf::QtDesktop& desktop = session.Desktop();
  tf::Application& app = session.App();
  tf::MainWindow& window = *desktop.Window();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fprintf(stderr, "tf-screenshot: the window did not appear\n");
    return 1;
  }

  tf::OpenMoleculeFile(app.document, app.tables, tf::FromUtf8(argv[1]));
  tf::ResetView(app.view, app.resources);
  tf::CenterMolecule(app.document);
  tf::FitZoom(app.view, app.resources, app.document, app.tables);
  tf::RotateModel(app.view, app.resources, app.document, 20, -25);
  for (uint32_t atom : {6u}) {
    if (atom < app.document.atomCount) tf::SelectAtom(app.document, atom);
  }
  tf::MainWindowProc(app, tf::CommandMessage(tf::kCmdViewShaping));
  tf::RefreshAndRedraw(app);
  const uint64_t shown = window.View()->FramesShown();
  const bool drawn = QTest::qWaitFor([&] { return window.View()->FramesShown() > shown; }, 10000) &&
                     QTest::qWaitForWindowExposed(desktop.AtomInfoPanel()) &&
                     QTest::qWaitForWindowExposed(desktop.ShapingPanel());
  QApplication::processEvents();

  QRect area = window.frameGeometry();
  area = area.united(desktop.AtomInfoPanel()->frameGeometry());
  area = area.united(desktop.ShapingPanel()->frameGeometry());
  const QPixmap picture =
      window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  const bool saved = drawn && picture.save(QString::fromLocal8Bit(argv[2]), "PNG");
  session.Shutdown();
  if (!saved) {
    std::fprintf(stderr, "tf-screenshot: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
