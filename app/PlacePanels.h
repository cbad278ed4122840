#pragma once
// Keeps the tool panels over the view: Atom Information at its top-right
// corner, Shaping at its bottom-left.

#include "app/Application.h"

namespace tf {

// Moves both panels (position only) for the current client area: the Atom
// Information panel's left edge to client right - its width - 10 and its top
// 10 pixels below the toolbar; the Shaping panel's left edge to client left
// + 10 and its bottom edge 90 pixels above the client bottom.
void PlacePanels(Application& app);

}  // namespace tf
