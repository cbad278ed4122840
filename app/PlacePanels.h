#pragma once
// Keeps the tool panels over the view: Atom Information at its top-right
// corner, Shaping at its bottom-left, both 10 pixels in from the sides.

#include <cstdint>

#include "app/Application.h"

namespace tf {

struct PanelPlacement {
  int32_t atomInfoLeft, atomInfoTop;  // screen pixels
  int32_t shapingLeft, shapingTop;
};

// Atom Information: left edge at client right - its width - 10, top edge 10
// pixels below the toolbar. Shaping: left edge at client left + 10, bottom
// edge 90 pixels above the client bottom.
PanelPlacement ComputePanelPlacement(const ScreenRect& client, int32_t toolbarHeight,
                                     int32_t atomInfoWidth, int32_t shapingHeight);

// Moves both panels (position only) to their places for the current client area.
void PlacePanels(Application& app);

}  // namespace tf
