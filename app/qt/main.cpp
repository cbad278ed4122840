// tessaform [FILE.pdb]: the desktop program. Runs in the folder that holds
// config.ini (the manual and samples sit beside it); a file named on the
// command line is opened once the window is up.

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/qt/ProgramSession.h"
#include "app/qt/QtSetup.h"
#include "app/qt/StartupClock.h"

namespace {

bool startingQt = true;

// Until the application object exists, Qt's complaints about the display are
// replaced by one line of ours; a fatal one ends the program with code 1.
void StartupMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (!startingQt) {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    return;
  }
  if (type == QtFatalMsg) {
    const char* display = std::getenv("DISPLAY");
    std::fprintf(stderr,
                 "tessaform: cannot open the display%s%s%s (start the program on a desktop)\n",
                 display ? " \"" : "", display ? display : "", display ? "\"" : "");
    std::_Exit(1);
  }
}

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "tessaform: no display: DISPLAY is not set (start the program on a desktop)\n");
    return 1;
  }
  tf::PrepareQt();
  qInstallMessageHandler(StartupMessageHandler);
  QApplication application(argc, argv);
  startingQt = false;
  qInstallMessageHandler(nullptr);
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setApplicationName("Tessaform");
  QGuiApplication::setDesktopFileName("tessaform");

  static tf::ApplicationRecords records;
  tf::ProgramSession session(records, nullptr);
  const tf::StartupOutcome outcome = session.Start();
  if (outcome.exitCode != 0) {
    std::fprintf(stderr, "%s\n", outcome.error.c_str());
    session.Shutdown();
    return outcome.exitCode;
  }
  session.OpenFileArgument(QApplication::arguments().mid(1));
  tf::ReportFirstFrameIfAsked(session.Desktop());
  const int loopCode = QApplication::exec();
  const int exitCode = session.Shutdown();
  return loopCode != 0 ? loopCode : exitCode;
}
