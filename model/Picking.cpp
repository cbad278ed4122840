#include "model/Picking.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>

#include "model/Document.h"
#include "model/ModelStyle.h"

namespace tf {

namespace {

int32_t PickAtomLocked(const Document& document, const ForceFieldTables& tables, int32_t style,
                       Vector2 at) {
  int32_t best = -1;
  float bestZ = std::numeric_limits<float>::lowest();
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = document.atoms[i];
    const float dy = atom.y - at.y;
    const float dx = atom.x - at.x;
    const float squared = dy * dy + dx * dx;
    const float distance = static_cast<float>(std::sqrt(static_cast<double>(squared)));
    if (PickRadius(tables, atom, style) > distance && atom.z > bestZ) {
      best = static_cast<int32_t>(i);
      bestZ = atom.z;
    }
  }
  return best;
}

}  // namespace

int32_t PickAtom(Document& document, const ForceFieldTables& tables, int32_t style, Vector2 at) {
  std::lock_guard model(document.modelLock);
  return PickAtomLocked(document, tables, style, at);
}

int32_t SelectAtomAt(Document& document, const ForceFieldTables& tables, int32_t style,
                     Vector2 at) {
  std::lock_guard model(document.modelLock);
  const int32_t hit = PickAtomLocked(document, tables, style, at);
  if (hit >= 0) SelectAtom(document, static_cast<uint32_t>(hit));
  return hit;
}

}  // namespace tf
