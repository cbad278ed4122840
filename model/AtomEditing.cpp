#include "model/AtomEditing.h"

#include <algorithm>
#include <mutex>

#include "forcefield/FixedText.h"
#include "model/BondList.h"
#include "model/MoleculeStore.h"
#include "model/TableLookup.h"

namespace tf {
namespace {

void RemoveAtom(MoleculeStore& store, uint32_t i) {
  const int32_t removed = static_cast<int32_t>(i);
  RemoveBondsOfAtom(store, removed, [](const Bond&) { return false; });
  if (store.atoms[i].selected != 0) --store.selectedCount;
  const uint32_t last = store.atomCount - 1;
  store.atoms[i] = store.atoms[last];
  --store.atomCount;
  const int32_t moved = static_cast<int32_t>(last);
  for (uint32_t b = 0; b < store.bondCount; ++b) {
    Bond& bond = store.bonds[b];
    if (bond.atom1 == moved) bond.atom1 = removed;
    if (bond.atom2 == moved) bond.atom2 = removed;
  }
}

}  // namespace

void AddAtom(MoleculeStore& store, float x, float y, float z, int32_t k) {
  std::lock_guard model(store.modelLock);
  if (store.atomCount >= kMaxAtoms) return;
  const int32_t type = FirstAtomTypeOfChemicalType(store.tables, k);
  const ChemicalType* chemical = ChemicalTypeSlot(store.tables, k);
  if (type < 0 || chemical == nullptr) return;
  Atom& atom = store.atoms[store.atomCount];
  atom = Atom{};
  atom.x = x;
  atom.y = y;
  atom.z = z;
  atom.atomType = type;
  SetText(atom.name, ChemicalSymbol(*chemical));
  SetText(atom.fragmentName, std::u16string_view(u"A"));
  ++store.atomCount;
}

void AddAtomAtScreenPoint(MoleculeStore& store, int32_t px, int32_t py, int32_t k) {
  if (!CameraMapsPixels(store.camera)) return;
  const Vector2 world = ScreenToWorld(store.camera, px, py);
  AddAtom(store, world.x, world.y, 0.0f, k);
}

void DeleteAtom(MoleculeStore& store, uint32_t i) {
  std::lock_guard model(store.modelLock);
  if (i >= store.atomCount || i >= kMaxAtoms) return;
  RemoveAtom(store, i);
}

void DeleteSelectedAtoms(MoleculeStore& store) {
  std::lock_guard model(store.modelLock);
  uint32_t i = 0;
  while (i < store.atomCount && i < kMaxAtoms) {
    // The atom moved into slot i is examined again.
    if (store.atoms[i].selected != 0) {
      RemoveAtom(store, i);
    } else {
      ++i;
    }
  }
  store.selectedCount = 0;
}

void MoveSelectedAtoms(MoleculeStore& store, int32_t dx, int32_t dy) {
  if (!CameraMapsPixels(store.camera)) return;
  const Vector2 shift = ScreenDeltaToWorld(store.camera, dx, dy);
  std::lock_guard model(store.modelLock);
  const uint32_t count = std::min(store.atomCount, kMaxAtoms);
  for (uint32_t i = 0; i < count; ++i) {
    Atom& atom = store.atoms[i];
    if (atom.selected == 0) continue;
    atom.x = atom.x + shift.x;
    atom.y = atom.y + shift.y;
  }
}

}  // namespace tf
