#pragma once
// Pictures of recorded frames for a program that has OpenGL contexts of its
// own (the desktop program's view).

#include <filesystem>
#include <string>

#include "view/Frame.h"

namespace tf {

// Draws `frame` as the window would show its presented rectangle, offscreen,
// and writes it as a PNG file at `path`, all or nothing. The drawing runs on a
// short-lived thread with its own EGL context, so the calling thread's
// current context (the window's) is neither replaced nor needed. Blocks until
// the file is written; false with the reason in `error` on failure.
bool WriteFramePicture(const Frame& frame, const std::filesystem::path& path, std::string* error);

}  // namespace tf
