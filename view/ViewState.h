#pragma once
// What the window shows and how the user is gesturing: the camera, the
// ModelStyle, the SelectionTool and the state of a drag or an area
// selection (client pixels). Written on the window thread under the
// resources' renderLock; frames read it under the same lock.

#include <cstdint>

#include "model/ModelStyle.h"
#include "view/Camera.h"

namespace tf {

inline constexpr uint32_t kMaxOutlinePoints = 1000;

enum SelectionTool : int32_t { kSelectTool = 0, kRectangularTool = 1, kFreeformTool = 2 };

struct PointF {
  float x, y;
};

struct ViewState {
  Camera camera;
  int32_t modelStyle = kBallStick;
  int32_t selectionTool = kSelectTool;
  bool colorByStrain = false;  // atoms on the strain ramp instead of their type's colour
  int32_t draggingAtoms = 0;
  int32_t areaSelecting = 0;
  PointF rectStart{};
  PointF rectEnd{};
  PointF outline[kMaxOutlinePoints];
  uint32_t outlineCount = 0;
};

}  // namespace tf
