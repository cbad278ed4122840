#include "view/CameraOperations.h"

#include <algorithm>
#include <mutex>

#include "model/MoleculeStore.h"
#include "model/TableLookup.h"
#include "view/GraphicsDevice.h"

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

float DrawnRadius(const MoleculeStore& store, const Atom& atom) {
  switch (store.modelStyle) {
    case kSpacefill: {
      const ChemicalType* chemical = ChemicalTypeOfAtomType(store.tables, atom.atomType);
      return chemical ? chemical->radius : 0.0f;
    }
    case kSticks:
      return 0.3f;
    case kBallStick:
      return 0.4f;
    default:
      return 0.0f;
  }
}

bool MoleculeExtent(MoleculeStore& store, Extent& extent) {
  std::lock_guard model(store.modelLock);
  const uint32_t count = std::min(store.atomCount, kMaxAtoms);
  if (count == 0) return false;
  extent = {store.atoms[0].x, store.atoms[0].x, store.atoms[0].y, store.atoms[0].y};
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = store.atoms[i];
    const float r = DrawnRadius(store, atom);
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

void HandOver(MoleculeStore& store, TransformStateType slot, const Matrix& matrix) {
  if (store.graphics.device != nullptr) store.graphics.device->SetTransform(slot, &matrix);
}

void RebuildView(MoleculeStore& store) {
  Camera& camera = store.camera;
  MatrixLookAtRH(&camera.viewMatrix, &camera.eye, &camera.target, &camera.up);
  HandOver(store, kTsView, camera.viewMatrix);
}

}  // namespace

void ResetView(MoleculeStore& store) {
  std::lock_guard render(store.renderLock);
  Camera& camera = store.camera;
  camera.eye = camera.defaultEye;
  camera.target = camera.defaultTarget;
  camera.zoom = kDefaultZoom;
  RebuildView(store);
  Zoom(store, 0);
}

void RotateModel(MoleculeStore& store, int32_t yaw, int32_t pitch) {
  Matrix turn;
  MatrixRotationYawPitchRoll(&turn, static_cast<float>(yaw) * kPi / 180.0f,
                             static_cast<float>(pitch) * kPi / 180.0f, 0.0f);
  std::lock_guard render(store.renderLock);
  {
    std::lock_guard model(store.modelLock);
    const uint32_t count = std::min(store.atomCount, kMaxAtoms);
    for (uint32_t i = 0; i < count; ++i) {
      Atom& atom = store.atoms[i];
      Vector3 position{atom.x, atom.y, atom.z};
      Vec3TransformCoord(&position, &position, &turn);
      atom.x = position.x;
      atom.y = position.y;
      atom.z = position.z;
    }
    MatrixMultiply(&store.turns, &store.turns, &turn);
  }
  MatrixMultiply(&store.camera.rotation, &store.camera.rotation, &turn);
}

void Pan(MoleculeStore& store, int32_t dx, int32_t dy) {
  std::lock_guard render(store.renderLock);
  Camera& camera = store.camera;
  const float shiftX = static_cast<float>(dx) / 10.0f;
  const float shiftY = static_cast<float>(dy) / 10.0f;
  camera.target.x += shiftX;
  camera.eye.x += shiftX;
  camera.target.y += shiftY;
  camera.eye.y += shiftY;
  RebuildView(store);
}

void PanByPixels(MoleculeStore& store, int32_t dx, int32_t dy) {
  std::lock_guard render(store.renderLock);
  Camera& camera = store.camera;
  if (!CameraMapsPixels(camera)) return;
  // The scene follows the pointer when the eye moves the other way.
  const Vector2 moved = ScreenDeltaToWorld(camera, dx, dy);
  camera.target.x -= moved.x;
  camera.eye.x -= moved.x;
  camera.target.y -= moved.y;
  camera.eye.y -= moved.y;
  RebuildView(store);
}

void Zoom(MoleculeStore& store, int32_t step) {
  std::lock_guard render(store.renderLock);
  Camera& camera = store.camera;
  camera.zoom = static_cast<float>(step) * 0.1f + camera.zoom;
  if (camera.zoom < kMinZoom) camera.zoom = kMinZoom;
  if (camera.zoom > kMaxZoom) camera.zoom = kMaxZoom;
  ApplyZoom(store);
}

void ApplyZoom(MoleculeStore& store) {
  std::lock_guard render(store.renderLock);
  Camera& camera = store.camera;
  const float width = static_cast<float>(camera.viewportWidth);
  const float height = static_cast<float>(camera.viewportHeight);
  camera.viewWidth = width / camera.zoom / kPixelsPerUnitAtZoomOne;
  const float viewHeight = height * camera.viewWidth / width;
  MatrixOrthoRH(&camera.projectionMatrix, camera.viewWidth, viewHeight, kNearPlane, kFarPlane);
  HandOver(store, kTsProjection, camera.projectionMatrix);
  if (store.graphics.rebuildGrid) store.graphics.rebuildGrid();
}

void FitZoom(MoleculeStore& store) {
  Extent extent;
  if (!MoleculeExtent(store, extent)) return;
  std::lock_guard render(store.renderLock);
  if (!CameraMapsPixels(store.camera)) return;
  while (store.camera.zoom > kMinZoom && !ExtentFits(store.camera, extent)) Zoom(store, -1);
}

}  // namespace tf
