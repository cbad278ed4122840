#include "model/MoleculeStore.h"

namespace tf {

void NewMolecule(MoleculeStore& store) {
  for (uint32_t i = 0; i < store.atomCount; ++i) store.atoms[i].selected = 0;
  store.selectedCount = 0;
  store.atomCount = 0;
  store.bondCount = 0;
  store.fileOrigin = {0, 0, 0};
  MatrixIdentity(&store.camera.rotation);
}

void SelectAtom(MoleculeStore& store, uint32_t index) {
  if (store.atoms[index].selected == 0) ++store.selectedCount;
  store.atoms[index].selected = 1;
}

void DeselectAtom(MoleculeStore& store, uint32_t index) {
  if (store.atoms[index].selected == 1) --store.selectedCount;
  store.atoms[index].selected = 0;
}

void ClearSelection(MoleculeStore& store) {
  for (uint32_t i = 0; i < store.atomCount; ++i) store.atoms[i].selected = 0;
  store.selectedCount = 0;
}

uint32_t BondDegree(const MoleculeStore& store, uint32_t index) {
  uint32_t degree = 0;
  const int32_t atom = static_cast<int32_t>(index);
  for (uint32_t b = 0; b < store.bondCount; ++b) {
    if (store.bonds[b].atom1 == atom || store.bonds[b].atom2 == atom) ++degree;
  }
  return degree;
}

int32_t FindBond(const MoleculeStore& store, int32_t a, int32_t b) {
  for (uint32_t i = 0; i < store.bondCount; ++i) {
    if (store.bonds[i].atom1 == a && store.bonds[i].atom2 == b) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace tf
