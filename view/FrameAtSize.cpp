#include "view/FrameAtSize.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "model/MoleculeStore.h"
#include "view/CameraOperations.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"
#include "view/Grid.h"

namespace tf {

std::shared_ptr<const Frame> RecordFrameAtSize(MoleculeStore& store, int32_t width,
                                               int32_t height) {
  if (width < 1 || height < 1 || width > kLargestPictureSide || height > kLargestPictureSide)
    return nullptr;
  std::lock_guard render(store.renderLock);  // no other frame comes between
  GraphicsDevice* device = store.graphics.device;
  Camera& camera = store.camera;
  const PixelRect shown = camera.presentRect;
  const int32_t shownWidth = shown.right - shown.left;
  const int32_t shownHeight = shown.bottom - shown.top;
  if (device == nullptr || shownWidth <= 0 || shownHeight <= 0) return nullptr;
  if (width == shownWidth && height == shownHeight) {
    Redraw(store);
    return device->LatestFrame();
  }

  // The toolbar strip above the presented part scales too, so the picture's
  // centre is where the window's is.
  const float scale = std::min(static_cast<float>(width) / static_cast<float>(shownWidth),
                               static_cast<float>(height) / static_cast<float>(shownHeight));
  const int32_t strip = static_cast<int32_t>(std::lround(static_cast<float>(shown.top) * scale));
  const int32_t clientWidth = camera.viewportWidth;
  const int32_t clientHeight = camera.viewportHeight;
  const float zoom = camera.zoom;
  const float gridStep = store.graphics.grid.gridStep;

  Resize(store, width, height + strip);
  camera.presentRect.top = strip;
  camera.zoom = zoom * scale;  // past kMaxZoom too: the picture is finer, not closer
  ApplyZoom(store);
  BuildGrid(store.graphics.grid, gridStep);  // the window's grid, not a finer one
  Redraw(store);
  std::shared_ptr<const Frame> frame = device->LatestFrame();

  camera.zoom = zoom;
  camera.presentRect.top = shown.top;
  Resize(store, clientWidth, clientHeight);
  Redraw(store);
  return frame;
}

}  // namespace tf
