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
#include "support/TestRecords.h"

namespace tf::test {

using Log = std::vector<std::string>;

struct Pixel {
  int32_t x, y;
};

class AppTest : public ::testing::Test {
 protected:
  AppTest() : records_(StartGraphics(700, 600, 24)), app_(*records_, desktop_) {
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
    AddAtom(records_->document, records_->tables, x, y, 0, 4);
    return records_->document.atomCount - 1;
  }
  Pixel PixelOf(uint32_t atom) const {
    const Vector2 p = WorldToScreen(records_->view.camera, records_->document.atoms[atom].x,
                                    records_->document.atoms[atom].y);
    return {static_cast<int32_t>(std::lround(p.x)), static_cast<int32_t>(std::lround(p.y))};
  }
  void Select(std::initializer_list<uint32_t> atoms) {
    std::lock_guard model(records_->document.modelLock);
    ClearSelection(records_->document);
    for (const uint32_t atom : atoms) SelectAtom(records_->document, atom);
  }
  bool IsSelected(uint32_t atom) const { return records_->document.atoms[atom].selected == 1; }

  FakeDesktop desktop_;  // outlives the records: a finishing worker still asks it to refresh
  GraphicsRecords records_;
  Application app_;
};

}  // namespace tf::test
