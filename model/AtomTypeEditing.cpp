#include "model/AtomTypeEditing.h"

#include <mutex>

#include "forcefield/FixedText.h"
#include "model/BondList.h"
#include "model/MoleculeStore.h"
#include "model/TableLookup.h"

namespace tf {

int32_t SetAtomType(MoleculeStore& store, uint32_t i, std::u16string_view typeName) {
  std::lock_guard model(store.modelLock);
  if (i >= store.atomCount || i >= kMaxAtoms) return 1;
  const int32_t type = FindAtomTypeByName(store.tables, typeName);
  if (type < 0) return 1;
  if (static_cast<int64_t>(BondDegree(store, i)) > MaxBonds(store.tables, type)) return 1;
  const ChemicalType* chemical = ChemicalTypeOfAtomType(store.tables, type);
  if (chemical == nullptr) return 1;

  Atom& atom = store.atoms[i];
  atom.atomType = type;
  SetText(atom.name, ChemicalSymbol(*chemical));
  const auto hasDistance = [&store](const Bond& bond) {
    if (!IsAtomInUse(store, bond.atom1) || !IsAtomInUse(store, bond.atom2)) return false;
    const int32_t typeA = store.atoms[bond.atom1].atomType;
    const int32_t typeB = store.atoms[bond.atom2].atomType;
    return BondDistanceParameter(store.tables, typeA, typeB) != 0.0f;
  };
  RemoveBondsOfAtom(store, static_cast<int32_t>(i), hasDistance);
  return 0;
}

}  // namespace tf
