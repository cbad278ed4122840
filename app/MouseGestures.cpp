#include "app/MouseGestures.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "app/Saturate.h"
#include "model/AreaSelection.h"
#include "model/AtomEditing.h"
#include "model/Picking.h"
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
void ChangeSelection(MoleculeStore& store, Change change) {
  std::lock_guard model(store.modelLock);
  change();
}

// Frames draw the gesture, so its state changes under renderLock.
void BeginAreaSelection(MoleculeStore& store, int32_t x, int32_t y) {
  {
    std::lock_guard render(store.renderLock);
    store.areaSelecting = 1;
    if (store.selectionTool == kRectangularTool) {
      store.rectStart = {static_cast<float>(x), static_cast<float>(y)};
    } else {
      store.outlineCount = 0;  // a gesture cut short by a tool change left points behind
    }
  }
  AddOutlinePoint(store, x, y);
  if (store.selectionTool == kFreeformTool) AddOutlinePoint(store, x, y);
}

// Ctrl makes an atom of ChemicalType 0; otherwise the lowest main-keyboard
// digit held names the ChemicalType. -1: make no atom.
int32_t ChemicalTypeToAdd(Application& app, uint32_t keyState) {
  if (keyState & MK_CONTROL) return 0;
  const uint32_t digits = app.desktop.DigitKeysDown() & 0x3FFu;
  return digits == 0 ? -1 : std::countr_zero(digits);
}

void PressOnAtom(MoleculeStore& store, int32_t atom, bool shift) {
  const uint32_t i = static_cast<uint32_t>(atom);
  ChangeSelection(store, [&] {
    if (shift) {
      store.atoms[i].selected ? DeselectAtom(store, i) : SelectAtom(store, i);
    } else if (!store.atoms[i].selected) {
      ClearSelection(store);
      SelectAtom(store, i);
    }
  });
  store.draggingAtoms = 1;
}

void PressOnEmptySpace(Application& app, const WindowMessage& message, bool shift) {
  MoleculeStore& store = app.store;
  const int32_t chemicalType = ChemicalTypeToAdd(app, message.keyState);
  if (chemicalType < 0) return;  // a following drag rotates the model
  if (!shift) ChangeSelection(store, [&] { ClearSelection(store); });
  AddAtomAtScreenPoint(store, message.x, message.y, chemicalType);
  store.draggingAtoms = 1;
  SelectAtomAt(store, message.x, message.y);
}

}  // namespace

void OnLeftButtonDown(Application& app, const WindowMessage& message) {
  MoleculeStore& store = app.store;
  ShellState& state = app.state;
  state.pressX = message.x;
  state.pressY = message.y;
  // The press anchors the drag too, so its first move never jumps, whether or
  // not the shell reports moves while no button is down.
  state.lastMouseX = message.x;
  state.lastMouseY = message.y;
  state.outlineEnded = false;
  if (store.selectionTool != kSelectTool) {
    BeginAreaSelection(store, message.x, message.y);
    return;
  }
  const bool shift = (message.keyState & MK_SHIFT) != 0;
  const int32_t hit = PickAtom(store, message.x, message.y);
  if (hit >= 0) {
    PressOnAtom(store, hit, shift);
  } else {
    PressOnEmptySpace(app, message, shift);
  }
  RefreshAndRedraw(app);
}

void OnMouseMove(Application& app, const WindowMessage& message) {
  MoleculeStore& store = app.store;
  ShellState& state = app.state;
  const uint32_t keys = message.keyState;
  const int32_t dx = Delta(message.x, state.lastMouseX);
  const int32_t dy = Delta(message.y, state.lastMouseY);
  if (keys & MK_LBUTTON) {
    if (state.skipNextDrag) {
      state.skipNextDrag = 0;
    } else {
      if (store.draggingAtoms) {
        MoveSelectedAtoms(store, dx, dy);
      } else if (store.areaSelecting) {
        AddOutlinePoint(store, message.x, message.y);
        // A full outline ended the gesture as a selection; the rest of the
        // drag does nothing.
        if (!store.areaSelecting) state.outlineEnded = true;
      } else if (!state.outlineEnded) {
        RotateModel(store, dx, dy);  // one degree per pixel
      }
      SendRefreshPanels(app);
    }
  } else if (keys == MK_RBUTTON) {
    PanByPixels(store, dx, dy);
  }
  state.lastMouseX = message.x;
  state.lastMouseY = message.y;
  if (keys != 0) Redraw(store);
}

void OnLeftButtonUp(Application& app, const WindowMessage& message) {
  MoleculeStore& store = app.store;
  ShellState& state = app.state;
  store.draggingAtoms = 0;
  state.outlineEnded = false;
  if (store.areaSelecting) {
    if (!(message.keyState & MK_SHIFT)) ChangeSelection(store, [&] { ClearSelection(store); });
    {
      std::lock_guard render(store.renderLock);
      store.areaSelecting = 0;
    }
    ApplyAreaSelection(store);
  }
  if (Distance(state.pressX, message.x) < kLeftClickLimit &&
      Distance(state.pressY, message.y) < kLeftClickLimit &&
      PickAtom(store, state.pressX, state.pressY) < 0)
    ChangeSelection(store, [&] { ClearSelection(store); });
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
    DeleteAtom(app.store, static_cast<uint32_t>(PickAtom(app.store, state.pressX, state.pressY)));
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
    Zoom(app.store, notches > 0 ? -1 : 1);
  Redraw(app.store);
}

}  // namespace tf
