#include "model/Picking.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "model/MoleculeStore.h"
#include "model/TableLookup.h"

namespace tf {
namespace {

// Radius within which a click hits the atom; 0 where nothing can be hit.
float HitRadius(const MoleculeStore& store, const Atom& atom) {
  switch (store.modelStyle) {
    case kWireframe:
      return kWireframePickRadius;
    case kSpacefill: {
      const ChemicalType* chemical = ChemicalTypeOfAtomType(store.tables, atom.atomType);
      return chemical == nullptr ? 0.0f : chemical->radius;
    }
    case kSticks:
      return kSticksPickRadius;
    case kBallStick:
      return kBallStickPickRadius;
    default:
      return 0.0f;
  }
}

int32_t PickAtomLocked(const MoleculeStore& store, int32_t px, int32_t py) {
  const Vector2 world = ScreenToWorld(store.camera, px, py);
  int32_t best = -1;
  float bestZ = std::numeric_limits<float>::lowest();
  const uint32_t count = std::min(store.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = store.atoms[i];
    const float dy = atom.y - world.y;
    const float dx = atom.x - world.x;
    const float squared = dy * dy + dx * dx;
    const float distance = static_cast<float>(std::sqrt(static_cast<double>(squared)));
    if (HitRadius(store, atom) > distance && atom.z > bestZ) {
      best = static_cast<int32_t>(i);
      bestZ = atom.z;
    }
  }
  return best;
}

}  // namespace

int32_t PickAtom(MoleculeStore& store, int32_t px, int32_t py) {
  std::lock_guard model(store.modelLock);
  return PickAtomLocked(store, px, py);
}

int32_t SelectAtomAt(MoleculeStore& store, int32_t px, int32_t py) {
  std::lock_guard model(store.modelLock);
  const int32_t hit = PickAtomLocked(store, px, py);
  if (hit >= 0) SelectAtom(store, static_cast<uint32_t>(hit));
  return hit;
}

}  // namespace tf
