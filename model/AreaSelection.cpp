#include "model/AreaSelection.h"

#include <algorithm>
#include <mutex>

#include "model/Document.h"

namespace tf {

namespace {

// Even-odd rule: count crossings of the outline's edges (the last point joins
// the first) with the ray from the atom towards +x.
bool InsideOutline(std::span<const Vector2> outline, float x, float y) {
  bool inside = false;
  const std::size_t n = outline.size();
  for (std::size_t k = 0; k < n; ++k) {
    const Vector2& p = outline[k];
    const Vector2& q = outline[k > 0 ? k - 1 : n - 1];
    if ((p.y > y) != (q.y > y)) {
      const float xc = (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x;
      if (xc > x) inside = !inside;
    }
  }
  return inside;
}

}  // namespace

void SelectInsideRectangle(Document& document, Vector2 a, Vector2 b) {
  const float xmin = std::min(a.x, b.x), xmax = std::max(a.x, b.x);
  const float ymin = std::min(a.y, b.y), ymax = std::max(a.y, b.y);
  std::lock_guard model(document.modelLock);
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = document.atoms[i];
    if (xmin < atom.x && atom.x < xmax && ymin < atom.y && atom.y < ymax)
      SelectAtomUnordered(document, i);
  }
}

void SelectInsideOutline(Document& document, std::span<const Vector2> outline) {
  std::lock_guard model(document.modelLock);
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i) {
    if (InsideOutline(outline, document.atoms[i].x, document.atoms[i].y))
      SelectAtomUnordered(document, i);
  }
}

}  // namespace tf
