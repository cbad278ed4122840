#pragma once
// The main window's dispatcher: every key, mouse gesture, command and window
// event reaches the document, the camera, the worker and the panels here.
// Runs on the window thread only and never holds modelLock while it redraws.

#include "app/Application.h"
#include "app/WindowMessages.h"

namespace tf {

// Handles one message. Returns false for messages the window does not take,
// which the shell leaves to its own default handling. The shell sends WM_PAINT
// when the window needs drawing again (exposed, restored), never from the
// view's replay of a presented frame: WM_PAINT redraws, and every redraw
// presents a new frame.
bool MainWindowProc(Application& app, const WindowMessage& message);

}  // namespace tf
