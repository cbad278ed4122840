#include "view/FrameAtSize.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "view/CameraOperations.h"
#include "view/Graphics.h"
#include "view/GraphicsDevice.h"
#include "view/SceneRenderer.h"
#include "view/ViewResources.h"
#include "view/ViewState.h"

namespace tf {

std::shared_ptr<const Frame> RecordFrameAtSize(ViewResources& resources,
                                               const SceneSources& sources, int32_t width,
                                               int32_t height) {
  if (width < 1 || height < 1 || width > kLargestPictureSide || height > kLargestPictureSide)
    return nullptr;
  std::lock_guard render(resources.renderLock);  // no other frame comes between
  GraphicsDevice* device = resources.device;
  const Camera& window = sources.view.camera;
  const PixelRect shown = window.presentRect;
  const int32_t shownWidth = shown.right - shown.left;
  const int32_t shownHeight = shown.bottom - shown.top;
  if (device == nullptr || shownWidth <= 0 || shownHeight <= 0) return nullptr;
  if (width == shownWidth && height == shownHeight) {
    Redraw(resources, sources);
    return device->LatestFrame();
  }
  if (device->TestCooperativeLevel() != kOk) return nullptr;
  // The toolbar strip above the presented part scales too, so the picture's
  // centre is where the window's is.
  const float scale = std::min(static_cast<float>(width) / static_cast<float>(shownWidth),
                               static_cast<float>(height) / static_cast<float>(shownHeight));
  const int32_t strip = static_cast<int32_t>(std::lround(static_cast<float>(shown.top) * scale));
  Camera picture = window;
  picture.viewportWidth = width;
  picture.viewportHeight = height + strip;
  picture.presentRect = {0, strip, width, height + strip};
  picture.zoom = window.zoom * scale;  // past kMaxZoom too: the picture is finer, not closer
  UpdateCameraMatrices(picture);

  ResizeBackBuffer(resources, picture.viewportWidth, picture.viewportHeight);
  ApplyDeviceState(resources, picture);
  thread_local SceneSnapshot scene;
  TakeSceneSnapshot(sources, scene);
  // The window's grid, not a finer one.
  DrawFrame(scene, picture, GridStep(window), resources);
  std::shared_ptr<const Frame> frame = device->LatestFrame();

  ResizeBackBuffer(resources, window.viewportWidth, window.viewportHeight);
  ApplyDeviceState(resources, window);
  Redraw(resources, sources);
  return frame;
}

}  // namespace tf
