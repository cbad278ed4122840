#pragma once
// The command table: per command id, what it does and whether it changes the
// document (then it runs as one step of the undo history), and the keys that
// run commands. Menu items, toolbar buttons, accelerators and keys all come
// here. Unknown ids (the panels' own controls among them) do nothing.

#include <cstdint>
#include <string_view>

#include "app/Application.h"

namespace tf {

// Commands only keys give; they have no menu item.
inline constexpr int32_t kCmdResetView = 50001;  // Space
inline constexpr int32_t kCmdTurnLeft = 50002;   // the arrows turn the model 10 degrees
inline constexpr int32_t kCmdTurnRight = 50003;
inline constexpr int32_t kCmdTurnUp = 50004;
inline constexpr int32_t kCmdTurnDown = 50005;
inline constexpr int32_t kCmdPanLeft = 50006;  // Shift+arrows move the view 2 units
inline constexpr int32_t kCmdPanRight = 50007;
inline constexpr int32_t kCmdPanUp = 50008;
inline constexpr int32_t kCmdPanDown = 50009;
inline constexpr int32_t kCmdDeleteSelected = 50010;  // Delete
inline constexpr int32_t kCmdToggleBond = 50011;      // B
inline constexpr int32_t kCmdZoomIn = 50012;          // + (Shift: three steps)
inline constexpr int32_t kCmdZoomOut = 50013;         // -
inline constexpr int32_t kCmdZoomInFast = 50014;
inline constexpr int32_t kCmdZoomOutFast = 50015;

// Runs the command: inside an edit step when it changes the document.
void OnCommand(Application& app, int32_t command);

// The command a main-keyboard key gives, with Shift held or not; 0 for keys
// that give none (Esc is the window's own).
int32_t KeyCommand(uint32_t key, bool shift);

// The manual that ships beside the program, in the start directory.
inline constexpr char16_t kManualFileName[] = u"Tessaform.html";

}  // namespace tf
