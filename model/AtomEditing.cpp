#include "model/AtomEditing.h"

#include <algorithm>
#include <mutex>

#include "base/FixedText.h"
#include "model/BondList.h"
#include "model/Document.h"
#include "model/TableLookup.h"

namespace tf {
namespace {

void RemoveAtom(Document& document, uint32_t i) {
  const int32_t removed = static_cast<int32_t>(i);
  RemoveBondsOfAtom(document, removed, [](const Bond&) { return false; });
  DeselectAtom(document, i);
  const uint32_t last = document.atomCount - 1;
  document.atoms[i] = document.atoms[last];
  --document.atomCount;
  RenumberInSelectionOrder(document, last, i);
  const int32_t moved = static_cast<int32_t>(last);
  for (uint32_t b = 0; b < document.bondCount; ++b) {
    Bond& bond = document.bonds[b];
    if (bond.atom1 == moved) bond.atom1 = removed;
    if (bond.atom2 == moved) bond.atom2 = removed;
  }
}

}  // namespace

int32_t AddAtom(Document& document, const ForceFieldTables& tables, float x, float y, float z,
                int32_t k) {
  std::lock_guard model(document.modelLock);
  if (document.atomCount >= kMaxAtoms) return -1;
  const int32_t type = FirstAtomTypeOfChemicalType(tables, k);
  const ChemicalType* chemical = ChemicalTypeSlot(tables, k);
  if (type < 0 || chemical == nullptr) return -1;
  Atom& atom = document.atoms[document.atomCount];
  atom = Atom{};
  atom.x = x;
  atom.y = y;
  atom.z = z;
  atom.atomType = type;
  SetText(atom.name, ChemicalSymbol(*chemical));
  SetText(atom.fragmentName, std::u16string_view(u"A"));
  return static_cast<int32_t>(document.atomCount++);
}

void DeleteAtom(Document& document, uint32_t i) {
  std::lock_guard model(document.modelLock);
  if (i >= document.atomCount || i >= kMaxAtoms) return;
  RemoveAtom(document, i);
}

void DeleteSelectedAtoms(Document& document) {
  std::lock_guard model(document.modelLock);
  uint32_t i = 0;
  while (i < document.atomCount && i < kMaxAtoms) {
    // The atom moved into slot i is examined again.
    if (document.atoms[i].selected != 0) {
      RemoveAtom(document, i);
    } else {
      ++i;
    }
  }
  document.selectedCount = 0;
}

void MoveSelectedAtoms(Document& document, Vector2 shift) {
  std::lock_guard model(document.modelLock);
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i) {
    Atom& atom = document.atoms[i];
    if (atom.selected == 0) continue;
    atom.x = atom.x + shift.x;
    atom.y = atom.y + shift.y;
  }
}

void RotateAtoms(Document& document, const Matrix& turn) {
  std::lock_guard model(document.modelLock);
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i) {
    Atom& atom = document.atoms[i];
    Vector3 position{atom.x, atom.y, atom.z};
    Vec3TransformCoord(&position, &position, &turn);
    atom.x = position.x;
    atom.y = position.y;
    atom.z = position.z;
  }
}

}  // namespace tf
