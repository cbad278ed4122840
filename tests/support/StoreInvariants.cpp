#include "support/StoreInvariants.h"

namespace tf::test {

int BrokenInvariants(const MoleculeStore& store) {
  if (store.atomCount > kMaxAtoms || store.bondCount > kMaxBonds) return 1;
  int broken = 0;
  for (uint32_t b = 0; b < store.bondCount; ++b) {
    const Bond& bond = store.bonds[b];
    if (bond.atom1 < 0 || static_cast<uint32_t>(bond.atom1) >= store.atomCount) ++broken;
    if (bond.atom2 < 0 || static_cast<uint32_t>(bond.atom2) >= store.atomCount) ++broken;
  }
  int32_t selected = 0;
  for (uint32_t i = 0; i < store.atomCount; ++i) selected += store.atoms[i].selected;
  if (selected != store.selectedCount) ++broken;
  return broken;
}

}  // namespace tf::test
