#pragma once
// View changes driven by the user: reset, rotate the model, pan and zoom.
// Each runs on the window thread and writes the camera under renderLock, so a
// frame drawn by the shaping worker never sees a half-changed camera; the
// matrices go to the device (when one exists) under the same lock.
// RotateModel also takes modelLock for the atom loop: never call these while
// holding modelLock.

#include <cstdint>

namespace tf {

struct MoleculeStore;

inline constexpr float kMinZoom = 0.2f;
inline constexpr float kMaxZoom = 5.0f;
inline constexpr float kDefaultZoom = 2.0f;
// Pixels per world unit at zoom 1.
inline constexpr float kPixelsPerUnitAtZoomOne = 20.0f;

// Back to the default eye, target and zoom 2; the model keeps its rotation.
void ResetView(MoleculeStore& store);

// Rotates every atom about the world origin by pitch (about x) then yaw
// (about y), both in whole degrees, and accumulates the rotation.
void RotateModel(MoleculeStore& store, int32_t yaw, int32_t pitch);

// Moves eye and target by (dx, dy) tenths of a world unit, whatever the zoom.
void Pan(MoleculeStore& store, int32_t dx, int32_t dy);

// Moves the scene by (dx, dy) client pixels (x right, y down) at the current
// zoom, so the point under a dragging pointer stays under it.
void PanByPixels(MoleculeStore& store, int32_t dx, int32_t dy);

// Changes the zoom by step tenths within kMinZoom .. kMaxZoom, then rebuilds
// the projection and the grid. Zoom(0) only recomputes (after a resize).
void Zoom(MoleculeStore& store, int32_t step);
// The projection and the grid for camera.zoom as it stands, unclamped.
void ApplyZoom(MoleculeStore& store);

// Zooms out in whole Zoom(-1) steps, never in, until every atom, drawn at
// the current style's radius, lies inside presentRect, or kMinZoom is reached.
// Meant to follow ResetView and CenterMolecule when a molecule is opened.
void FitZoom(MoleculeStore& store);

}  // namespace tf
