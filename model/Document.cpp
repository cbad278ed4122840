#include "model/Document.h"

namespace tf {

void NewMolecule(Document& document) {
  for (uint32_t i = 0; i < document.atomCount; ++i) document.atoms[i].selected = 0;
  document.selectedCount = 0;
  document.atomCount = 0;
  document.bondCount = 0;
  document.fileOrigin = {0, 0, 0};
}

void SelectAtom(Document& document, uint32_t index) {
  if (document.atoms[index].selected == 0) ++document.selectedCount;
  document.atoms[index].selected = 1;
}

void DeselectAtom(Document& document, uint32_t index) {
  if (document.atoms[index].selected == 1) --document.selectedCount;
  document.atoms[index].selected = 0;
}

void ClearSelection(Document& document) {
  for (uint32_t i = 0; i < document.atomCount; ++i) document.atoms[i].selected = 0;
  document.selectedCount = 0;
}

uint32_t BondDegree(const Document& document, uint32_t index) {
  uint32_t degree = 0;
  const int32_t atom = static_cast<int32_t>(index);
  for (uint32_t b = 0; b < document.bondCount; ++b) {
    if (document.bonds[b].atom1 == atom || document.bonds[b].atom2 == atom) ++degree;
  }
  return degree;
}

int32_t FindBond(const Document& document, int32_t a, int32_t b) {
  for (uint32_t i = 0; i < document.bondCount; ++i) {
    if (document.bonds[i].atom1 == a && document.bonds[i].atom2 == b)
      return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace tf
