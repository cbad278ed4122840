#pragma once
// Qt input in the main window's own terms: virtual keys for key events and
// key-state flags for mouse events.

#include <QKeyEvent>
#include <QMouseEvent>
#include <cstdint>
#include <optional>

namespace tf {

// The virtual key of a key press, or 0 for keys the window does not know.
// The keypad's plus and minus are VK_ADD and VK_SUBTRACT, never the main
// keyboard's zoom keys.
uint32_t VirtualKeyOf(const QKeyEvent& event);

// The main keyboard digit a key event is about (keypad digits are other keys).
std::optional<int> MainKeyboardDigit(const QKeyEvent& event);

// MK_ flags: the buttons still down and the modifiers held.
uint32_t MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace tf
