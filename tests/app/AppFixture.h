#pragma once
// The application on the recording device with the shipped parameter file,
// a 700 x 600 client area (toolbar 24) and a fake desktop; the panels exist.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <mutex>

#include "app/FakeDesktop.h"
#include "app/MainWindowProc.h"
#include "app/Startup.h"
#include "model/AtomEditing.h"
#include "support/GraphicsStore.h"

namespace tf::test {

using Log = std::vector<std::string>;

struct Pixel {
  int32_t x, y;
};

class AppTest : public ::testing::Test {
 protected:
  AppTest() : store_(StartGraphics(700, 600, 24)), app_{*store_, desktop_, {}, {}} {
    ConnectShell(app_);
    app_.state.panelsAlive = true;
  }

  void Send(const WindowMessage& message) { MainWindowProc(app_, message); }
  void LeftDrag(Pixel from, Pixel to, uint32_t keyState = 0) {
    Send(MouseMessage(WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON | keyState));
    Send(MouseMessage(WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON | keyState));
    Send(MouseMessage(WM_LBUTTONUP, to.x, to.y, keyState));
  }
  // A carbon (ChemicalType 4 of the shipped file) at world (x, y, 0).
  uint32_t AddCarbon(float x, float y) {
    AddAtom(*store_, x, y, 0, 4);
    return store_->atomCount - 1;
  }
  Pixel PixelOf(uint32_t atom) const {
    const Vector2 p = WorldToScreen(store_->camera, store_->atoms[atom].x, store_->atoms[atom].y);
    return {static_cast<int32_t>(std::lround(p.x)), static_cast<int32_t>(std::lround(p.y))};
  }
  void Select(std::initializer_list<uint32_t> atoms) {
    std::lock_guard model(store_->modelLock);
    ClearSelection(*store_);
    for (const uint32_t atom : atoms) SelectAtom(*store_, atom);
  }
  bool IsSelected(uint32_t atom) const { return store_->atoms[atom].selected == 1; }

  FakeDesktop desktop_;  // outlives the store: a finishing worker still asks it to refresh
  GraphicsStore store_;
  Application app_;
};

}  // namespace tf::test
