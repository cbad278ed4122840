#pragma once
// View changes driven by the user: reset, rotate the model, pan and zoom.
// Each runs on the window thread and writes the camera under the resources'
// renderLock, so a frame drawn by the shaping worker never sees a
// half-changed camera; every frame hands the camera's matrices to the device.
// RotateModel and FitZoom also take modelLock for the atoms: never call these
// while holding modelLock.

#include <cstdint>

namespace tf {

struct Document;
struct ForceFieldTables;
struct ViewResources;
struct ViewState;
struct Camera;

inline constexpr float kMinZoom = 0.2f;
inline constexpr float kMaxZoom = 5.0f;
inline constexpr float kDefaultZoom = 2.0f;
// Pixels per world unit at zoom 1.
inline constexpr float kPixelsPerUnitAtZoomOne = 20.0f;

// Back to the default eye, target and zoom 2; the model keeps its rotation.
void ResetView(ViewState& view, ViewResources& resources);

// Rotates every atom about the world origin by pitch (about x) then yaw
// (about y), both in whole degrees, and accumulates the rotation.
void RotateModel(ViewState& view, ViewResources& resources, Document& document, int32_t yaw,
                 int32_t pitch);

// Moves eye and target by (dx, dy) tenths of a world unit, whatever the zoom.
void Pan(ViewState& view, ViewResources& resources, int32_t dx, int32_t dy);

// Moves the scene by (dx, dy) client pixels (x right, y down) at the current
// zoom, so the point under a dragging pointer stays under it.
void PanByPixels(ViewState& view, ViewResources& resources, int32_t dx, int32_t dy);

// Changes the zoom by step tenths within kMinZoom .. kMaxZoom, then rebuilds
// the projection (the next frame draws the grid at the new zoom's spacing).
// Zoom(0) only recomputes (after a resize).
void Zoom(ViewState& view, ViewResources& resources, int32_t step);

// The projection (and view width) for camera.zoom as it stands, unclamped;
// UpdateCameraMatrices also the view matrix. No lock: the caller holds
// renderLock while a frame may read the camera, or owns the camera.
void UpdateProjection(Camera& camera);
void UpdateCameraMatrices(Camera& camera);

// Zooms out in whole Zoom(-1) steps, never in, until every atom, drawn at
// the current style's radius, lies inside presentRect, or kMinZoom is reached.
// Meant to follow ResetView and CenterMolecule when a molecule is opened.
void FitZoom(ViewState& view, ViewResources& resources, Document& document,
             const ForceFieldTables& tables);

}  // namespace tf
