#include "model/BondList.h"

namespace tf {

bool IsAtomInUse(const Document& document, int32_t index) {
  return index >= 0 && static_cast<uint32_t>(index) < document.atomCount &&
         static_cast<uint32_t>(index) < kMaxAtoms;
}

int32_t FindBondEitherOrder(const Document& document, int32_t a, int32_t b) {
  const int32_t position = FindBond(document, a, b);
  return position >= 0 ? position : FindBond(document, b, a);
}

void RemoveBondAt(Document& document, uint32_t position) {
  if (position >= document.bondCount) return;
  document.bonds[position] = document.bonds[document.bondCount - 1];
  --document.bondCount;
}

}  // namespace tf
