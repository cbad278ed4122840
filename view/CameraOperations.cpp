#include "view/CameraOperations.h"

#include <algorithm>
#include <mutex>

#include "model/MoleculeStore.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

constexpr float kPi = 3.1415927f;
constexpr float kNearPlane = -200.0f;  // a slab behind the eye stays visible
constexpr float kFarPlane = 200.0f;

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

void Zoom(MoleculeStore& store, int32_t step) {
  std::lock_guard render(store.renderLock);
  Camera& camera = store.camera;
  camera.zoom = static_cast<float>(step) * 0.1f + camera.zoom;
  if (camera.zoom < kMinZoom) camera.zoom = kMinZoom;
  if (camera.zoom > kMaxZoom) camera.zoom = kMaxZoom;
  const float width = static_cast<float>(camera.viewportWidth);
  const float height = static_cast<float>(camera.viewportHeight);
  camera.viewWidth = width / camera.zoom / kPixelsPerUnitAtZoomOne;
  const float viewHeight = height * camera.viewWidth / width;
  MatrixOrthoRH(&camera.projectionMatrix, camera.viewWidth, viewHeight, kNearPlane, kFarPlane);
  HandOver(store, kTsProjection, camera.projectionMatrix);
  if (store.graphics.rebuildGrid) store.graphics.rebuildGrid();
}

}  // namespace tf
