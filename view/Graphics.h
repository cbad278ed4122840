#pragma once
// Start-up, fixed device state, frames and shutdown of the view's graphics
// objects. Frames are drawn under renderLock on whichever thread asks (the
// window thread or the shaping worker); a frame's copy of the molecule is
// taken under modelLock inside it, so never call these while holding
// modelLock.

#include <cstdint>
#include <string>

#include "view/SceneSnapshot.h"

namespace tf {

struct Camera;
struct ViewResources;
struct ViewState;

// Creates the device and every object a frame uses for a client area of
// width x height pixels whose top `toolbarHeight` rows the toolbar covers,
// and resets the view. 0 on success, 1 as soon as a step fails (what was made
// so far stays for ReleaseGraphics); then `cause`, when given, names the
// object that could not be made ("the device", "the font", ...).
int InitGraphics(ViewResources& resources, ViewState& view, int32_t width, int32_t height,
                 int32_t toolbarHeight, std::string* cause = nullptr);

// The state every frame relies on: light, view and projection, render and
// sampler states, with the camera's matrices recomputed (and the grid at its
// spacing). Runs after creation and after every resize.
void ApplyViewSetup(ViewResources& resources, ViewState& view);

// The same device state from the camera as it stands; after a device reset.
void ApplyDeviceState(ViewResources& resources, const Camera& camera);

// Draws and presents one frame of `sources` through their view's camera if
// the device is usable, resetting it first when it reports not-reset; draws
// nothing while it is lost.
void Redraw(ViewResources& resources, const SceneSources& sources);

// Follows a new client size; draws nothing (the caller redraws).
void Resize(ViewResources& resources, ViewState& view, int32_t width, int32_t height);

// The device's back buffer at width x height; the camera is not touched.
void ResizeBackBuffer(ViewResources& resources, int32_t width, int32_t height);

// Releases every graphics object that exists. Shaping must be stopped and its
// worker joined first.
void ReleaseGraphics(ViewResources& resources);

}  // namespace tf
