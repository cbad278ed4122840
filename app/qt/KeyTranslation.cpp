#include "app/qt/KeyTranslation.h"

#include "app/WindowMessages.h"

namespace tf {

uint32_t VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint32_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9 && !keypad)
    return static_cast<uint32_t>('0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
    return VK_F1 + static_cast<uint32_t>(key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    default:
      return 0;
  }
}

std::optional<int> MainKeyboardDigit(const QKeyEvent& event) {
  if (event.modifiers().testFlag(Qt::KeypadModifier)) return std::nullopt;
  const int key = event.key();
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key - Qt::Key_0;
  // With Shift held the key reports its shifted symbol; the X11 key codes of
  // the digit row (1 to 9, then 0) still name the digit.
  constexpr quint32 kFirstDigitRowCode = 10, kLastDigitRowCode = 19;
  const quint32 code = event.nativeScanCode();
  if (code >= kFirstDigitRowCode && code <= kLastDigitRowCode)
    return static_cast<int>((code - kFirstDigitRowCode + 1) % 10);
  return std::nullopt;
}

uint32_t MouseKeyState(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  uint32_t state = 0;
  if (buttons.testFlag(Qt::LeftButton)) state |= MK_LBUTTON;
  if (buttons.testFlag(Qt::RightButton)) state |= MK_RBUTTON;
  if (modifiers.testFlag(Qt::ShiftModifier)) state |= MK_SHIFT;
  if (modifiers.testFlag(Qt::ControlModifier)) state |= MK_CONTROL;
  return state;
}

}  // namespace tf
