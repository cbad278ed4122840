#include "model/BondEditing.h"

#include <algorithm>
#include <mutex>
#include <string_view>

#include "model/BondList.h"
#include "model/MoleculeStore.h"
#include "model/TableLookup.h"

namespace tf {
namespace {

bool Saturated(const MoleculeStore& store, int32_t atom) {
  const int64_t degree = BondDegree(store, static_cast<uint32_t>(atom));
  return degree == MaxBonds(store.tables, store.atoms[atom].atomType);
}

void DeleteBondLocked(MoleculeStore& store, int32_t a, int32_t b) {
  const int32_t position = FindBondEitherOrder(store, a, b);
  if (position >= 0) RemoveBondAt(store, static_cast<uint32_t>(position));
}

}  // namespace

BondRefusal AddBondLocked(MoleculeStore& store, int32_t a, int32_t b) {
  if (!IsAtomInUse(store, a) || !IsAtomInUse(store, b) || a == b) return BondRefusal::kNotInUse;
  if (store.bondCount >= kMaxBonds) return BondRefusal::kCapacity;
  if (FindBondEitherOrder(store, a, b) >= 0) return BondRefusal::kAlreadyBonded;
  // Equality on purpose: an atom already past its maximum (read from a
  // topology file) is not refused here.
  if (Saturated(store, a) || Saturated(store, b)) return BondRefusal::kValence;
  const int32_t typeA = store.atoms[a].atomType;
  const int32_t typeB = store.atoms[b].atomType;
  if (BondDistanceParameter(store.tables, typeA, typeB) == 0.0f)
    return BondRefusal::kNoDistanceParameter;
  store.bonds[store.bondCount++] = Bond{std::min(a, b), std::max(a, b)};
  return BondRefusal::kAdded;
}

int32_t AddBond(MoleculeStore& store, int32_t a, int32_t b) {
  std::lock_guard model(store.modelLock);
  return AddBondLocked(store, a, b) == BondRefusal::kAdded ? 1 : 0;
}

void DeleteBond(MoleculeStore& store, int32_t a, int32_t b) {
  std::lock_guard model(store.modelLock);
  DeleteBondLocked(store, a, b);
}

int32_t SelectedPair(const MoleculeStore& store, int32_t& first, int32_t& second) {
  if (store.selectedCount != 2) return 0;
  const uint32_t count = std::min(store.atomCount, kMaxAtoms);
  int32_t low = -1;
  int32_t high = -1;
  for (uint32_t i = 0; i < count; ++i) {
    if (store.atoms[i].selected == 0) continue;
    if (low < 0) {
      low = static_cast<int32_t>(i);
    } else {
      high = static_cast<int32_t>(i);
    }
  }
  if (high < 0) return 0;  // the count disagrees with the flags
  first = low;
  second = high;
  return 1;
}

int32_t IsSelectedPairBonded(const MoleculeStore& store) {
  int32_t first = 0;
  int32_t second = 0;
  if (SelectedPair(store, first, second) == 0 || store.bondCount == 0) return 0;
  return FindBondEitherOrder(store, first, second) >= 0 ? 1 : 0;
}

void ToggleBond(MoleculeStore& store) {
  std::u16string_view label;
  {
    std::lock_guard model(store.modelLock);
    int32_t first = 0;
    int32_t second = 0;
    if (IsSelectedPairBonded(store) == 1) {
      SelectedPair(store, first, second);
      DeleteBondLocked(store, first, second);
      label = u"Add Bond";
    } else if (SelectedPair(store, first, second) == 1 &&
               AddBondLocked(store, first, second) == BondRefusal::kAdded) {
      label = u"Delete Bond";
    }
  }
  // Outside the lock: the shell may query the store while relabelling.
  if (!label.empty()) SetBondButtonLabel(store.shell, label);
}

}  // namespace tf
