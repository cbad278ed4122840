#include "app/MouseGestures.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "app/Saturate.h"
#include "model/AtomEditing.h"
#include "model/Picking.h"
#include "view/AreaGesture.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"

namespace tf {
namespace {

int32_t Delta(int32_t a, int32_t b) {
  return SaturateToInt32(int64_t{a} - b);
}

int64_t Distance(int32_t a, int32_t b) {
  const int64_t delta = static_cast<int64_t>(a) - b;
  return delta < 0 ? -delta : delta;
}

// Selection primitives do not lock; a frame copies the flags under modelLock.
template <typename Change>
void ChangeSelection(Application& app, Change change) {
  std::lock_guard model(app.document.modelLock);
  change();
}

// The front-most atom under client pixel (x, y), or -1.
int32_t PickAtomAtPixel(Application& app, int32_t x, int32_t y) {
  return PickAtom(app.document, app.tables, app.view.modelStyle,
                  ScreenToWorld(app.view.camera, x, y));
}

// Frames draw the gesture, so its state changes under renderLock.
void BeginAreaSelection(Application& app, int32_t x, int32_t y) {
  ViewState& view = app.view;
  {
    std::lock_guard render(app.resources.renderLock);
    view.areaSelecting = 1;
    if (view.selectionTool == kRectangularTool) {
      view.rectStart = {static_cast<float>(x), static_cast<float>(y)};
    } else {
      view.outlineCount = 0;  // a gesture cut short by a tool change left points behind
    }
  }
  AddOutlinePoint(view, app.resources, app.document, x, y);
  if (view.selectionTool == kFreeformTool) AddOutlinePoint(view, app.resources, app.document, x, y);
}

// Ctrl makes an atom of ChemicalType 0; otherwise the lowest main-keyboard
// digit held names the ChemicalType. -1: make no atom.
int32_t ChemicalTypeToAdd(Application& app, uint32_t keyState) {
  if (keyState & MK_CONTROL) return 0;
  const uint32_t digits = app.desktop.DigitKeysDown() & 0x3FFu;
  return digits == 0 ? -1 : std::countr_zero(digits);
}

void PressOnAtom(Application& app, int32_t atom, bool shift) {
  Document& document = app.document;
  const uint32_t i = static_cast<uint32_t>(atom);
  ChangeSelection(app, [&] {
    if (shift) {
      document.atoms[i].selected ? DeselectAtom(document, i) : SelectAtom(document, i);
    } else if (!document.atoms[i].selected) {
      ClearSelection(document);
      SelectAtom(document, i);
    }
  });
  app.view.draggingAtoms = 1;
}

void PressOnEmptySpace(Application& app, const WindowMessage& message, bool shift) {
  const int32_t chemicalType = ChemicalTypeToAdd(app, message.keyState);
  if (chemicalType < 0) return;  // a following drag rotates the model
  Document& document = app.document;
  if (!shift) ChangeSelection(app, [&] { ClearSelection(document); });
  app.view.draggingAtoms = 1;
  if (!CameraMapsPixels(app.view.camera)) return;
  const Vector2 at = ScreenToWorld(app.view.camera, message.x, message.y);
  const int32_t added = AddAtom(document, app.tables, at.x, at.y, 0.0f, chemicalType);
  if (added >= 0) ChangeSelection(app, [&] { SelectAtom(document, static_cast<uint32_t>(added)); });
}

}  // namespace

void OnLeftButtonDown(Application& app, const WindowMessage& message) {
  ShellState& state = app.state;
  state.pressX = message.x;
  state.pressY = message.y;
  // The press anchors the drag too, so its first move never jumps, whether or
  // not the shell reports moves while no button is down.
  state.lastMouseX = message.x;
  state.lastMouseY = message.y;
  state.outlineEnded = false;
  if (app.view.selectionTool != kSelectTool) {
    BeginAreaSelection(app, message.x, message.y);
    return;
  }
  const bool shift = (message.keyState & MK_SHIFT) != 0;
  const int32_t hit = PickAtomAtPixel(app, message.x, message.y);
  if (hit >= 0) {
    PressOnAtom(app, hit, shift);
  } else {
    PressOnEmptySpace(app, message, shift);
  }
  RefreshAndRedraw(app);
}

void OnMouseMove(Application& app, const WindowMessage& message) {
  ViewState& view = app.view;
  ShellState& state = app.state;
  const uint32_t keys = message.keyState;
  const int32_t dx = Delta(message.x, state.lastMouseX);
  const int32_t dy = Delta(message.y, state.lastMouseY);
  if (keys & MK_LBUTTON) {
    if (state.skipNextDrag) {
      state.skipNextDrag = 0;
    } else {
      if (view.draggingAtoms) {
        if (CameraMapsPixels(view.camera))
          MoveSelectedAtoms(app.document, ScreenDeltaToWorld(view.camera, dx, dy));
      } else if (view.areaSelecting) {
        AddOutlinePoint(view, app.resources, app.document, message.x, message.y);
        // A full outline ended the gesture as a selection; the rest of the
        // drag does nothing.
        if (!view.areaSelecting) state.outlineEnded = true;
      } else if (!state.outlineEnded) {
        RotateModel(view, app.resources, app.document, dx, dy);  // one degree per pixel
      }
      SendRefreshPanels(app);
    }
  } else if (keys == MK_RBUTTON) {
    PanByPixels(view, app.resources, dx, dy);
  }
  state.lastMouseX = message.x;
  state.lastMouseY = message.y;
  if (keys != 0) Redraw(app);
}

void OnLeftButtonUp(Application& app, const WindowMessage& message) {
  ViewState& view = app.view;
  ShellState& state = app.state;
  view.draggingAtoms = 0;
  state.outlineEnded = false;
  if (view.areaSelecting) {
    if (!(message.keyState & MK_SHIFT)) ChangeSelection(app, [&] { ClearSelection(app.document); });
    {
      std::lock_guard render(app.resources.renderLock);
      view.areaSelecting = 0;
    }
    ApplyAreaSelection(view, app.resources, app.document);
  }
  if (Distance(state.pressX, message.x) < kLeftClickLimit &&
      Distance(state.pressY, message.y) < kLeftClickLimit &&
      PickAtomAtPixel(app, state.pressX, state.pressY) < 0)
    ChangeSelection(app, [&] { ClearSelection(app.document); });
  RefreshAndRedraw(app);
}

void OnRightButtonDown(Application& app, const WindowMessage& message) {
  ShellState& state = app.state;
  state.pressX = state.lastMouseX = message.x;
  state.pressY = state.lastMouseY = message.y;
}

void OnRightButtonUp(Application& app, const WindowMessage& message) {
  const ShellState& state = app.state;
  if (Distance(state.pressX, message.x) > kRightClickLimit ||
      Distance(state.pressY, message.y) > kRightClickLimit)
    return;
  if (message.keyState & MK_CONTROL) {
    // -1 (no atom) becomes an index past the atoms, which deletes nothing.
    DeleteAtom(app.document,
               static_cast<uint32_t>(PickAtomAtPixel(app, state.pressX, state.pressY)));
  }
  RefreshAndRedraw(app);
}

// Smooth wheels and touchpads send small deltas: they add up to a notch
// before the zoom moves, and a change of direction starts afresh.
void OnMouseWheel(Application& app, const WindowMessage& message) {
  int32_t& turned = app.state.wheelTurned;
  if ((turned > 0 && message.wheelDelta < 0) || (turned < 0 && message.wheelDelta > 0)) turned = 0;
  turned = SaturateToInt32(int64_t{turned} + message.wheelDelta);
  const int32_t notches = turned / kWheelNotch;
  turned -= notches * kWheelNotch;
  // One step per notch, as a classic wheel gives them; the zoom range is
  // crossed in fewer than kMaxWheelSteps.
  constexpr int32_t kMaxWheelSteps = 64;
  for (int32_t k = 0; k < std::min(std::abs(notches), kMaxWheelSteps); ++k)
    Zoom(app.view, app.resources, notches > 0 ? -1 : 1);
  Redraw(app);
}

}  // namespace tf
