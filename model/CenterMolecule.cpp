#include "model/CenterMolecule.h"

#include <algorithm>
#include <mutex>

#include "model/Document.h"

namespace tf {

namespace {

struct Extent {
  float low, high;
  void Include(float value) {
    low = std::min(low, value);
    high = std::max(high, value);
  }
  float Middle() const { return static_cast<float>((static_cast<double>(low) + high) / 2.0); }
};

// The shift is rounded to a float once and applied in double, so stored point
// plus fileOrigin stays the file's point to well within its three decimals.
float Shifted(float value, float by) {
  return static_cast<float>(static_cast<double>(value) - by);
}

}  // namespace

void CenterMolecule(Document& document) {
  std::lock_guard model(document.modelLock);
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  if (count == 0) return;
  const Atom& first = document.atoms[0];
  Extent x{first.x, first.x}, y{first.y, first.y}, z{first.z, first.z};
  for (uint32_t i = 1; i < count; ++i) {
    x.Include(document.atoms[i].x);
    y.Include(document.atoms[i].y);
    z.Include(document.atoms[i].z);
  }
  const Vector3 centre{x.Middle(), y.Middle(), z.Middle()};
  for (uint32_t i = 0; i < count; ++i) {
    Atom& atom = document.atoms[i];
    atom.x = Shifted(atom.x, centre.x);
    atom.y = Shifted(atom.y, centre.y);
    atom.z = Shifted(atom.z, centre.z);
  }
  document.fileOrigin.x = static_cast<float>(static_cast<double>(document.fileOrigin.x) + centre.x);
  document.fileOrigin.y = static_cast<float>(static_cast<double>(document.fileOrigin.y) + centre.y);
  document.fileOrigin.z = static_cast<float>(static_cast<double>(document.fileOrigin.z) + centre.z);
}

}  // namespace tf
