#include "app/qt/ProgramSession.h"

namespace tf {

ProgramSession::ProgramSession(const char* configPath)
    : store_(std::make_unique<MoleculeStore>()), app_{*store_, desktop_, {}} {
  if (configPath != nullptr) store_->configPath = configPath;
  desktop_.Attach(app_);
}

ProgramSession::~ProgramSession() {
  Shutdown();
}

StartupOutcome ProgramSession::Start() {
  return StartApplication(app_);
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
