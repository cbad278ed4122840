// The GUI tests drive the real window; they need a display (ctest runs them
// under Xvfb) and one application object for the whole run.

#include <gtest/gtest.h>

#include <QApplication>

#include "app/qt/QtSetup.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  tf::PrepareQt();
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  return RUN_ALL_TESTS();
}
