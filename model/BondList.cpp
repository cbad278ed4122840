#include "model/BondList.h"

namespace tf {

bool IsAtomInUse(const MoleculeStore& store, int32_t index) {
  return index >= 0 && static_cast<uint32_t>(index) < store.atomCount &&
         static_cast<uint32_t>(index) < kMaxAtoms;
}

int32_t FindBondEitherOrder(const MoleculeStore& store, int32_t a, int32_t b) {
  const int32_t position = FindBond(store, a, b);
  return position >= 0 ? position : FindBond(store, b, a);
}

void RemoveBondAt(MoleculeStore& store, uint32_t position) {
  if (position >= store.bondCount) return;
  store.bonds[position] = store.bonds[store.bondCount - 1];
  --store.bondCount;
}

}  // namespace tf
