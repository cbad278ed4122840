#pragma once
// The words the main window is spoken to in: message numbers, virtual keys,
// key-state flags and command ids, with the classic desktop values so menus,
// accelerators and toolbar buttons of any shell map onto one table.

#include <cstdint>

namespace tf {

// Messages.
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
// Application messages: the document changed (re-read it); compute charges now.
inline constexpr uint32_t RefreshPanels = 0x8000;
inline constexpr uint32_t ComputeCharges = 0x8001;

// Virtual keys. Digits and letters are their upper-case characters.
inline constexpr uint32_t VK_ESCAPE = 0x1B;
inline constexpr uint32_t VK_SPACE = 0x20;
inline constexpr uint32_t VK_LEFT = 0x25;
inline constexpr uint32_t VK_UP = 0x26;
inline constexpr uint32_t VK_RIGHT = 0x27;
inline constexpr uint32_t VK_DOWN = 0x28;
inline constexpr uint32_t VK_DELETE = 0x2E;
inline constexpr uint32_t VK_ADD = 0x6B;       // keypad plus: not a zoom key
inline constexpr uint32_t VK_SUBTRACT = 0x6D;  // keypad minus: not a zoom key
inline constexpr uint32_t VK_F1 = 0x70;
inline constexpr uint32_t VK_F2 = 0x71;
inline constexpr uint32_t VK_F3 = 0x72;
inline constexpr uint32_t VK_F4 = 0x73;
inline constexpr uint32_t VK_F5 = 0x74;
inline constexpr uint32_t VK_F6 = 0x75;
inline constexpr uint32_t VK_OEM_PLUS = 0xBB;   // the equals/plus key of the main keyboard
inline constexpr uint32_t VK_OEM_MINUS = 0xBD;  // the minus key of the main keyboard

// Key-state flags of mouse messages: buttons still down and modifiers held.
inline constexpr uint32_t MK_LBUTTON = 1;
inline constexpr uint32_t MK_RBUTTON = 2;
inline constexpr uint32_t MK_SHIFT = 4;
inline constexpr uint32_t MK_CONTROL = 8;

// Command ids of the menu, toolbar and accelerators.
inline constexpr int32_t kCmdStartShaping = 1011;  // F5
inline constexpr int32_t kCmdStopShaping = 1012;   // F6
inline constexpr int32_t kCmdCharges = 1020;
inline constexpr int32_t kCmdSelectTool = 1021;       // F1; the tools are 1021 + SelectionTool
inline constexpr int32_t kCmdRectangularTool = 1022;  // F2
inline constexpr int32_t kCmdFreeformTool = 1023;     // F3
inline constexpr int32_t kCmdNew = 40005;             // Ctrl+N
inline constexpr int32_t kCmdOpen = 40006;            // Ctrl+O
inline constexpr int32_t kCmdSave = 40007;            // Ctrl+S
inline constexpr int32_t kCmdExit = 40008;            // Alt+F4
inline constexpr int32_t kCmdViewAtomInfo = 40009;
inline constexpr int32_t kCmdViewShaping = 40010;
inline constexpr int32_t kCmdWireframe = 40011;  // the styles are 40011 + ModelStyle
inline constexpr int32_t kCmdSpacefill = 40012;
inline constexpr int32_t kCmdSticks = 40013;
inline constexpr int32_t kCmdBallStick = 40014;
inline constexpr int32_t kCmdViewHelp = 40015;
inline constexpr int32_t kCmdAbout = 40016;
inline constexpr int32_t kCmdUndo = 40017;  // Ctrl+Z
inline constexpr int32_t kCmdRedo = 40018;  // Ctrl+Y, Ctrl+Shift+Z
inline constexpr int32_t kCmdExportImage = 40019;
inline constexpr int32_t kCmdPerceiveBonds = 40020;  // P
inline constexpr int32_t kCmdPerceiveTypes = 40021;
inline constexpr int32_t kCmdAddHydrogens = 40022;
inline constexpr int32_t kCmdNewFromSmiles = 40023;
inline constexpr int32_t kCmdSaveAs = 40024;
inline constexpr int32_t kCmdMinimize = 40025;  // Ctrl+M
inline constexpr int32_t kCmdColorByStrain = 40026;

// One message to the main window, unpacked. Positions are signed client
// pixels (origin top-left of the client area, toolbar strip included), so a
// drag that leaves the window past its left or top edge stays small.
struct WindowMessage {
  uint32_t message = 0;
  uint32_t key = 0;        // WM_KEYDOWN: virtual key
  int32_t command = 0;     // WM_COMMAND: command id
  uint32_t keyState = 0;   // mouse messages: MK_ flags at the time of the message
  int32_t wheelDelta = 0;  // WM_MOUSEWHEEL: positive away from the user
  int32_t x = 0, y = 0;    // mouse: client position; WM_SIZE: new client width, height
};

inline WindowMessage KeyDownMessage(uint32_t key) {
  return {.message = WM_KEYDOWN, .key = key};
}
inline WindowMessage CommandMessage(int32_t command) {
  return {.message = WM_COMMAND, .command = command};
}
inline WindowMessage MouseMessage(uint32_t message, int32_t x, int32_t y, uint32_t keyState = 0) {
  return {.message = message, .keyState = keyState, .x = x, .y = y};
}
inline WindowMessage WheelMessage(int32_t delta) {
  return {.message = WM_MOUSEWHEEL, .wheelDelta = delta};
}
inline WindowMessage SizeMessage(int32_t width, int32_t height) {
  return {.message = WM_SIZE, .x = width, .y = height};
}

}  // namespace tf
