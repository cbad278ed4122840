#include "model/BondEditing.h"

#include <algorithm>
#include <mutex>
#include <string_view>

#include "model/BondList.h"
#include "model/Document.h"
#include "model/TableLookup.h"

namespace tf {
namespace {

bool Saturated(const Document& document, const ForceFieldTables& tables, int32_t atom) {
  const int64_t degree = BondDegree(document, static_cast<uint32_t>(atom));
  return degree == MaxBonds(tables, document.atoms[atom].atomType);
}

void DeleteBondLocked(Document& document, int32_t a, int32_t b) {
  const int32_t position = FindBondEitherOrder(document, a, b);
  if (position >= 0) RemoveBondAt(document, static_cast<uint32_t>(position));
}

}  // namespace

BondRefusal AddBondLocked(Document& document, const ForceFieldTables& tables, int32_t a,
                          int32_t b) {
  if (!IsAtomInUse(document, a) || !IsAtomInUse(document, b) || a == b)
    return BondRefusal::kNotInUse;
  if (document.bondCount >= kMaxBonds) return BondRefusal::kCapacity;
  if (FindBondEitherOrder(document, a, b) >= 0) return BondRefusal::kAlreadyBonded;
  // Equality on purpose: an atom already past its maximum (read from a
  // topology file) is not refused here.
  if (Saturated(document, tables, a) || Saturated(document, tables, b))
    return BondRefusal::kValence;
  const int32_t typeA = document.atoms[a].atomType;
  const int32_t typeB = document.atoms[b].atomType;
  if (BondDistanceParameter(tables, typeA, typeB) == 0.0f) return BondRefusal::kNoDistanceParameter;
  document.bonds[document.bondCount++] = Bond{std::min(a, b), std::max(a, b)};
  return BondRefusal::kAdded;
}

int32_t AddBond(Document& document, const ForceFieldTables& tables, int32_t a, int32_t b) {
  std::lock_guard model(document.modelLock);
  return AddBondLocked(document, tables, a, b) == BondRefusal::kAdded ? 1 : 0;
}

void DeleteBond(Document& document, int32_t a, int32_t b) {
  std::lock_guard model(document.modelLock);
  DeleteBondLocked(document, a, b);
}

int32_t SelectedPair(const Document& document, int32_t& first, int32_t& second) {
  if (document.selectedCount != 2) return 0;
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  int32_t low = -1;
  int32_t high = -1;
  for (uint32_t i = 0; i < count; ++i) {
    if (document.atoms[i].selected == 0) continue;
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

int32_t IsSelectedPairBonded(const Document& document) {
  int32_t first = 0;
  int32_t second = 0;
  if (SelectedPair(document, first, second) == 0 || document.bondCount == 0) return 0;
  return FindBondEitherOrder(document, first, second) >= 0 ? 1 : 0;
}

std::u16string_view ToggleBond(Document& document, const ForceFieldTables& tables) {
  std::u16string_view label;
  {
    std::lock_guard model(document.modelLock);
    int32_t first = 0;
    int32_t second = 0;
    if (IsSelectedPairBonded(document) == 1) {
      SelectedPair(document, first, second);
      DeleteBondLocked(document, first, second);
      label = u"Add Bond";
    } else if (SelectedPair(document, first, second) == 1 &&
               AddBondLocked(document, tables, first, second) == BondRefusal::kAdded) {
      label = u"Delete Bond";
    }
  }
  return label;
}

}  // namespace tf
