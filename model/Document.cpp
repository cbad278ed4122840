#include "model/Document.h"

#include <algorithm>

namespace tf {

namespace {

void DropFromSelectionOrder(Document& document, uint32_t index) {
  uint32_t kept = 0;
  for (uint32_t k = 0; k < document.selectionOrderCount && k < kSelectionOrderCapacity; ++k)
    if (document.selectionOrder[k] != index)
      document.selectionOrder[kept++] = document.selectionOrder[k];
  document.selectionOrderCount = kept;
}

// The oldest entry makes room when the order is full.
void AppendToSelectionOrder(Document& document, uint32_t index) {
  if (document.selectionOrderCount >= kSelectionOrderCapacity) {
    std::copy_n(document.selectionOrder + 1, kSelectionOrderCapacity - 1, document.selectionOrder);
    document.selectionOrderCount = kSelectionOrderCapacity - 1;
  }
  document.selectionOrder[document.selectionOrderCount++] = index;
}

}  // namespace

void NewMolecule(Document& document) {
  for (uint32_t i = 0; i < document.atomCount; ++i) document.atoms[i].selected = 0;
  document.selectedCount = 0;
  document.selectionOrderCount = 0;
  document.atomCount = 0;
  document.bondCount = 0;
  document.fileOrigin = {0, 0, 0};
}

std::unique_ptr<Document> CopyOfMolecule(Document& document) {
  auto copy = std::make_unique<Document>();
  std::lock_guard model(document.modelLock);
  std::copy_n(document.atoms, document.atomCount, copy->atoms);
  std::copy_n(document.bonds, document.bondCount, copy->bonds);
  copy->atomCount = document.atomCount;
  copy->bondCount = document.bondCount;
  copy->selectedCount = document.selectedCount;
  std::copy_n(document.filePath, kPathCapacity, copy->filePath);
  copy->fileOrigin = document.fileOrigin;
  std::copy_n(document.selectionOrder, kSelectionOrderCapacity, copy->selectionOrder);
  copy->selectionOrderCount = document.selectionOrderCount;
  return copy;
}

void SelectAtom(Document& document, uint32_t index) {
  if (document.atoms[index].selected == 0) AppendToSelectionOrder(document, index);
  SelectAtomUnordered(document, index);
}

void SelectAtomUnordered(Document& document, uint32_t index) {
  if (document.atoms[index].selected == 0) ++document.selectedCount;
  document.atoms[index].selected = 1;
}

void DeselectAtom(Document& document, uint32_t index) {
  if (document.atoms[index].selected == 1) --document.selectedCount;
  document.atoms[index].selected = 0;
  DropFromSelectionOrder(document, index);
}

void ClearSelection(Document& document) {
  for (uint32_t i = 0; i < document.atomCount; ++i) document.atoms[i].selected = 0;
  document.selectedCount = 0;
  document.selectionOrderCount = 0;
}

void RenumberInSelectionOrder(Document& document, uint32_t from, uint32_t to) {
  for (uint32_t k = 0; k < document.selectionOrderCount && k < kSelectionOrderCapacity; ++k)
    if (document.selectionOrder[k] == from) document.selectionOrder[k] = to;
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
