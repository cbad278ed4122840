#include "view/AreaGesture.h"

#include <algorithm>
#include <mutex>

#include "model/AreaSelection.h"
#include "view/ViewResources.h"
#include "view/ViewState.h"

namespace tf {

void AddOutlinePoint(ViewState& view, ViewResources& resources, Document& document, int32_t px,
                     int32_t py) {
  std::lock_guard render(resources.renderLock);
  const PointF point{static_cast<float>(px), static_cast<float>(py)};
  switch (view.selectionTool) {
    case kRectangularTool:
      view.rectEnd = point;
      return;
    case kFreeformTool:
      if (view.outlineCount >= kMaxOutlinePoints) {
        view.areaSelecting = 0;
        ApplyAreaSelection(view, resources, document);
        return;
      }
      view.outline[view.outlineCount++] = point;
      return;
    default:
      return;
  }
}

void ApplyAreaSelection(ViewState& view, ViewResources& resources, Document& document) {
  std::lock_guard render(resources.renderLock);
  const Camera& camera = view.camera;
  switch (view.selectionTool) {
    case kRectangularTool:
      SelectInsideRectangle(document, PixelToWorld(camera, view.rectStart.x, view.rectStart.y),
                            PixelToWorld(camera, view.rectEnd.x, view.rectEnd.y));
      return;
    case kFreeformTool: {
      const uint32_t n = std::min(view.outlineCount, kMaxOutlinePoints);
      Vector2 world[kMaxOutlinePoints];
      for (uint32_t k = 0; k < n; ++k)
        world[k] = PixelToWorld(camera, view.outline[k].x, view.outline[k].y);
      SelectInsideOutline(document, {world, n});
      view.outlineCount = 0;
      return;
    }
    default:
      return;
  }
}

}  // namespace tf
