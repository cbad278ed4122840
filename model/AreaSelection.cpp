#include "model/AreaSelection.h"

#include <algorithm>
#include <mutex>

#include "model/MoleculeStore.h"

namespace tf {
namespace {

void SelectInsideRectangle(MoleculeStore& store) {
  const Vector2 a = PixelToWorld(store.camera, store.rectStart.x, store.rectStart.y);
  const Vector2 b = PixelToWorld(store.camera, store.rectEnd.x, store.rectEnd.y);
  const float xmin = std::min(a.x, b.x), xmax = std::max(a.x, b.x);
  const float ymin = std::min(a.y, b.y), ymax = std::max(a.y, b.y);
  const uint32_t count = std::min(store.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = store.atoms[i];
    if (xmin < atom.x && atom.x < xmax && ymin < atom.y && atom.y < ymax) SelectAtom(store, i);
  }
}

// Even-odd rule: count crossings of the outline's edges (the last point joins
// the first) with the ray from the atom towards +x.
bool InsideOutline(const float* wx, const float* wy, uint32_t n, float x, float y) {
  bool inside = false;
  for (uint32_t k = 0; k < n; ++k) {
    const uint32_t j = k > 0 ? k - 1 : n - 1;
    if ((wy[k] > y) != (wy[j] > y)) {
      const float xc = (wx[j] - wx[k]) * (y - wy[k]) / (wy[j] - wy[k]) + wx[k];
      if (xc > x) inside = !inside;
    }
  }
  return inside;
}

void SelectInsideOutline(MoleculeStore& store) {
  const uint32_t n = std::min(store.outlineCount, kMaxOutlinePoints);
  float wx[kMaxOutlinePoints];
  float wy[kMaxOutlinePoints];
  for (uint32_t k = 0; k < n; ++k) {
    const Vector2 world = PixelToWorld(store.camera, store.outline[k].x, store.outline[k].y);
    wx[k] = world.x;
    wy[k] = world.y;
  }
  const uint32_t count = std::min(store.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i) {
    if (InsideOutline(wx, wy, n, store.atoms[i].x, store.atoms[i].y)) SelectAtom(store, i);
  }
  store.outlineCount = 0;
}

}  // namespace

void AddOutlinePoint(MoleculeStore& store, int32_t px, int32_t py) {
  std::lock_guard render(store.renderLock);
  const PointF point{static_cast<float>(px), static_cast<float>(py)};
  switch (store.selectionTool) {
    case kRectangularTool:
      store.rectEnd = point;
      return;
    case kFreeformTool:
      if (store.outlineCount >= kMaxOutlinePoints) {
        store.areaSelecting = 0;
        ApplyAreaSelection(store);
        return;
      }
      store.outline[store.outlineCount++] = point;
      return;
    default:
      return;
  }
}

void ApplyAreaSelection(MoleculeStore& store) {
  std::lock_guard render(store.renderLock);
  std::lock_guard model(store.modelLock);
  switch (store.selectionTool) {
    case kRectangularTool:
      SelectInsideRectangle(store);
      return;
    case kFreeformTool:
      SelectInsideOutline(store);
      return;
    default:
      return;
  }
}

}  // namespace tf
