#pragma once
// Start-up, fixed device state, frames and shutdown of the graphics objects
// the store owns. Frames are drawn under renderLock on whichever thread asks
// (the window thread or the shaping worker); a frame's copy of the molecule is
// taken under modelLock inside it, so never call these while holding modelLock.

#include <cstdint>

namespace tf {

struct MoleculeStore;

// Creates the device and every object a frame uses, resets the view, loads
// ./config.ini (or store.configPath when set) and empties the document.
// The client size comes from store.shell.clientSize. 0 on success, 1 as soon
// as a step fails (what was made so far stays for ReleaseGraphics).
int InitGraphics(MoleculeStore& store, int32_t toolbarHeight);

// The state every frame relies on: light, view and projection, render and
// sampler states. Runs after creation and after every device reset.
void ApplyViewSetup(MoleculeStore& store);

// Draws and presents one frame if the device is usable, resetting it first
// when it reports not-reset; draws nothing while it is lost.
void Redraw(MoleculeStore& store);

// Follows a new client size; draws nothing (the caller redraws).
void Resize(MoleculeStore& store, int32_t width, int32_t height);

// Releases every graphics object that exists. Shaping must be stopped and its
// worker joined first.
void ReleaseGraphics(MoleculeStore& store);

}  // namespace tf
