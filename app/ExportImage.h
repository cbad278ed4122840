#pragma once
// File > Export Image...: a PNG picture of the view, drawn with OpenGL
// offscreen from a recorded frame, so it looks as the window does.

#include <string>
#include <string_view>

#include "app/Application.h"

namespace tf {

// The picture's path: ".png" appended unless the name already ends with it
// (in any case).
std::u16string PicturePath(std::u16string_view path);

// Asks for a name and a size (the view's own size proposed), asks before
// replacing an existing file ("No" returns to the dialog), then records the
// frame at that size and writes it. A failure shows its reason; an existing
// file is never left half-written.
void ExportImage(Application& app);

}  // namespace tf
