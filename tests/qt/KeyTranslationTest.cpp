// Qt key and mouse events in the window's own terms.

#include <gtest/gtest.h>

#include "app/WindowMessages.h"
#include "app/qt/KeyTranslation.h"

namespace tf::test {
namespace {

QKeyEvent Press(int key, Qt::KeyboardModifiers modifiers = {}, quint32 scanCode = 0) {
  return QKeyEvent(QEvent::KeyPress, key, modifiers, scanCode, 0, 0);
}

TEST(KeyTranslationTest, KeypadKeysAreNotTheMainKeyboardsZoomKeysOrDigits) {
  EXPECT_EQ(VirtualKeyOf(Press(Qt::Key_Equal)), VK_OEM_PLUS);
  EXPECT_EQ(VirtualKeyOf(Press(Qt::Key_Plus, Qt::ShiftModifier)), VK_OEM_PLUS);
  EXPECT_EQ(VirtualKeyOf(Press(Qt::Key_Underscore, Qt::ShiftModifier)), VK_OEM_MINUS);
  EXPECT_EQ(VirtualKeyOf(Press(Qt::Key_Plus, Qt::KeypadModifier)), VK_ADD);
  EXPECT_EQ(VirtualKeyOf(Press(Qt::Key_Minus, Qt::KeypadModifier)), VK_SUBTRACT);
  EXPECT_EQ(VirtualKeyOf(Press(Qt::Key_B)), uint32_t{'B'});
  EXPECT_EQ(VirtualKeyOf(Press(Qt::Key_Tab)), 0u);

  EXPECT_EQ(MainKeyboardDigit(Press(Qt::Key_7)), 7);
  EXPECT_EQ(MainKeyboardDigit(Press(Qt::Key_7, Qt::KeypadModifier)), std::nullopt);
  // Shift+3 reports "#"; the key code of the digit row still names the digit.
  EXPECT_EQ(MainKeyboardDigit(Press(Qt::Key_NumberSign, Qt::ShiftModifier, 12)), 3);
  EXPECT_EQ(MainKeyboardDigit(Press(Qt::Key_ParenRight, Qt::ShiftModifier, 19)), 0);
  EXPECT_EQ(MainKeyboardDigit(Press(Qt::Key_Q, {}, 24)), std::nullopt);
}

TEST(KeyTranslationTest, MouseFlagsCarryButtonsAndModifiers) {
  EXPECT_EQ(MouseKeyState(Qt::RightButton, {}), MK_RBUTTON);
  EXPECT_EQ(
      MouseKeyState(Qt::LeftButton | Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier),
      MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL);
  EXPECT_EQ(MouseKeyState(Qt::MiddleButton, Qt::AltModifier), 0u);
}

}  // namespace
}  // namespace tf::test
