#include "view/CameraOperations.h"

#include <algorithm>
#include <mutex>

#include "model/AtomEditing.h"
#include "model/Document.h"
#include "model/ModelStyle.h"
#include "view/ViewResources.h"
#include "view/ViewState.h"

namespace tf {

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kNearPlane = -200.0f;  // a slab behind the eye stays visible
constexpr float kFarPlane = 200.0f;

// World-space extent of the molecule as drawn: centres widened by the radius
// each atom is drawn with in the current style.
struct Extent {
  float left, right, bottom, top;
};

bool MoleculeExtent(Document& document, const ForceFieldTables& tables, int32_t style,
                    Extent& extent) {
  std::lock_guard model(document.modelLock);
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  if (count == 0) return false;
  extent = {document.atoms[0].x, document.atoms[0].x, document.atoms[0].y, document.atoms[0].y};
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = document.atoms[i];
    const float r = DrawnAtomRadius(tables, atom, style);
    extent.left = std::min(extent.left, atom.x - r);
    extent.right = std::max(extent.right, atom.x + r);
    extent.bottom = std::min(extent.bottom, atom.y - r);
    extent.top = std::max(extent.top, atom.y + r);
  }
  return true;
}

bool ExtentFits(const Camera& camera, const Extent& extent) {
  const Vector2 topLeft = WorldToScreen(camera, extent.left, extent.top);
  const Vector2 bottomRight = WorldToScreen(camera, extent.right, extent.bottom);
  const PixelRect& view = camera.presentRect;
  return topLeft.x >= static_cast<float>(view.left) && topLeft.y >= static_cast<float>(view.top) &&
         bottomRight.x <= static_cast<float>(view.right) &&
         bottomRight.y <= static_cast<float>(view.bottom);
}

void UpdateViewMatrix(Camera& camera) {
  MatrixLookAtRH(&camera.viewMatrix, &camera.eye, &camera.target, &camera.up);
}

}  // namespace

void UpdateProjection(Camera& camera) {
  const float width = static_cast<float>(camera.viewportWidth);
  const float height = static_cast<float>(camera.viewportHeight);
  camera.viewWidth = width / camera.zoom / kPixelsPerUnitAtZoomOne;
  const float viewHeight = height * camera.viewWidth / width;
  MatrixOrthoRH(&camera.projectionMatrix, camera.viewWidth, viewHeight, kNearPlane, kFarPlane);
}

void UpdateCameraMatrices(Camera& camera) {
  UpdateViewMatrix(camera);
  UpdateProjection(camera);
}

void ResetView(ViewState& view, ViewResources& resources) {
  std::lock_guard render(resources.renderLock);
  Camera& camera = view.camera;
  camera.eye = camera.defaultEye;
  camera.target = camera.defaultTarget;
  camera.zoom = kDefaultZoom;
  UpdateViewMatrix(camera);
  Zoom(view, resources, 0);
}

void RotateModel(ViewState& view, ViewResources& resources, Document& document, int32_t yaw,
                 int32_t pitch) {
  Matrix turn;
  MatrixRotationYawPitchRoll(&turn, static_cast<float>(yaw) * kPi / 180.0f,
                             static_cast<float>(pitch) * kPi / 180.0f, 0.0f);
  std::lock_guard render(resources.renderLock);
  RotateAtoms(document, turn);
  MatrixMultiply(&view.camera.rotation, &view.camera.rotation, &turn);
}

void Pan(ViewState& view, ViewResources& resources, int32_t dx, int32_t dy) {
  std::lock_guard render(resources.renderLock);
  Camera& camera = view.camera;
  const float shiftX = static_cast<float>(dx) / 10.0f;
  const float shiftY = static_cast<float>(dy) / 10.0f;
  camera.target.x += shiftX;
  camera.eye.x += shiftX;
  camera.target.y += shiftY;
  camera.eye.y += shiftY;
  UpdateViewMatrix(camera);
}

void PanByPixels(ViewState& view, ViewResources& resources, int32_t dx, int32_t dy) {
  std::lock_guard render(resources.renderLock);
  Camera& camera = view.camera;
  if (!CameraMapsPixels(camera)) return;
  // The scene follows the pointer when the eye moves the other way.
  const Vector2 moved = ScreenDeltaToWorld(camera, dx, dy);
  camera.target.x -= moved.x;
  camera.eye.x -= moved.x;
  camera.target.y -= moved.y;
  camera.eye.y -= moved.y;
  UpdateViewMatrix(camera);
}

void Zoom(ViewState& view, ViewResources& resources, int32_t step) {
  std::lock_guard render(resources.renderLock);
  Camera& camera = view.camera;
  camera.zoom = static_cast<float>(step) * 0.1f + camera.zoom;
  if (camera.zoom < kMinZoom) camera.zoom = kMinZoom;
  if (camera.zoom > kMaxZoom) camera.zoom = kMaxZoom;
  UpdateProjection(camera);
}

void FitZoom(ViewState& view, ViewResources& resources, Document& document,
             const ForceFieldTables& tables) {
  Extent extent;
  if (!MoleculeExtent(document, tables, view.modelStyle, extent)) return;
  std::lock_guard render(resources.renderLock);
  if (!CameraMapsPixels(view.camera)) return;
  while (view.camera.zoom > kMinZoom && !ExtentFits(view.camera, extent)) Zoom(view, resources, -1);
}

}  // namespace tf
