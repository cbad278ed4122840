#pragma once
// Start-up and shutdown of the program around the desktop's event loop.

#include <string>

#include "app/Application.h"

namespace tf {

struct StartupOutcome {
  int exitCode = 0;   // 0: the program runs; otherwise it ends with this code
  std::string error;  // with a failure: one line for standard error, naming the cause
};

// Routes the shaping worker's requests to the desktop: a frame after each
// step and a panel refresh when it ends.
void ConnectShell(Application& app);

// In order: remember the working directory; load the parameter file
// (state.configPath), seed shaping from the clock and empty the document; the
// main window with its menu and toolbar (the Select button checked); the
// graphics with the toolbar's height; the Model radio mark on the current
// style; both panels; then the Atom Information panel and the main window
// shown, the Shaping panel hidden. A missing or unloadable parameter file, a
// window or graphics that cannot start end it with exit code 1 and the cause
// the failing step reported, without a dialog; what was made is released, and
// the event loop should not run.
StartupOutcome StartApplication(Application& app);

// After the event loop: the panels if they are still there, shaping stopped
// and its worker joined, the worker's callbacks detached from the desktop,
// then the graphics released. Returns exit code 0.
int ShutdownApplication(Application& app);

}  // namespace tf
