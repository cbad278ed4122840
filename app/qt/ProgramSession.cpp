#include "app/qt/ProgramSession.h"

#include <QFileInfo>
#include <QMetaObject>
#include <clocale>

#include "app/DocumentFiles.h"
#include "app/qt/MainWindow.h"
#include "app/qt/QtText.h"

namespace tf {

ProgramSession::ProgramSession(const char* configPath)
    : ownRecords_(std::make_unique<ApplicationRecords>()),
      records_(*ownRecords_),
      app_(records_, desktop_) {
  if (configPath != nullptr) app_.state.configPath = configPath;
  desktop_.Attach(app_);
}

ProgramSession::ProgramSession(ApplicationRecords& records, const char* configPath)
    : records_(records), app_(records_, desktop_) {
  if (configPath != nullptr) app_.state.configPath = configPath;
  desktop_.Attach(app_);
}

ProgramSession::~ProgramSession() {
  Shutdown();
}

StartupOutcome ProgramSession::Start() {
  // The application object took the desktop's locale; numbers are read and
  // written with "." whatever the desktop's language.
  std::setlocale(LC_NUMERIC, "C");
  return StartApplication(app_);
}

void ProgramSession::OpenFileArgument(const QStringList& arguments) {
  for (const QString& argument : arguments) {
    if (argument.startsWith('-')) continue;
    // Made absolute now: it names a file relative to where the program started.
    const std::u16string path = FromQString(QFileInfo(argument).absoluteFilePath());
    QMetaObject::invokeMethod(
        &Window(), [this, path] { OpenDocumentFile(app_, path); }, Qt::QueuedConnection);
    return;
  }
}

int ProgramSession::Shutdown() {
  if (shutDown_) return 0;
  shutDown_ = true;
  desktop_.DestroyMainWindow();
  const int exitCode = ShutdownApplication(app_);
  desktop_.ReleaseWindows();
  return exitCode;
}

}  // namespace tf
