#pragma once
// The mouse rules of the main window. Left button: rotate on empty space,
// drag atoms from an atom (or from one made by Ctrl or a digit key), or draw
// an area with the Rectangular and Freeform tools; a left click on empty
// space clears the selection. Right button: pan while it is the only button
// and no modifier is held; a right click with Ctrl deletes the atom under it.
// The wheel zooms one step per notch of 120 units, forward out.

#include "app/Application.h"
#include "app/WindowMessages.h"

namespace tf {

// Clicks: a left release less than this many pixels from the press in both
// directions, a right release at most this many pixels away.
inline constexpr int32_t kLeftClickLimit = 10;
inline constexpr int32_t kRightClickLimit = 10;
inline constexpr int32_t kWheelNotch = 120;

void OnLeftButtonDown(Application& app, const WindowMessage& message);
void OnMouseMove(Application& app, const WindowMessage& message);
void OnLeftButtonUp(Application& app, const WindowMessage& message);
void OnRightButtonDown(Application& app, const WindowMessage& message);
void OnRightButtonUp(Application& app, const WindowMessage& message);
void OnMouseWheel(Application& app, const WindowMessage& message);

}  // namespace tf
