#include "model/AtomTypeEditing.h"

#include <mutex>

#include "base/FixedText.h"
#include "model/BondList.h"
#include "model/Document.h"
#include "model/TableLookup.h"

namespace tf {

int32_t SetAtomType(Document& document, const ForceFieldTables& tables, uint32_t i,
                    std::u16string_view typeName) {
  std::lock_guard model(document.modelLock);
  if (i >= document.atomCount || i >= kMaxAtoms) return 1;
  const int32_t type = FindAtomTypeByName(tables, typeName);
  if (type < 0) return 1;
  if (static_cast<int64_t>(BondDegree(document, i)) > MaxBonds(tables, type)) return 1;
  const ChemicalType* chemical = ChemicalTypeOfAtomType(tables, type);
  if (chemical == nullptr) return 1;

  Atom& atom = document.atoms[i];
  atom.atomType = type;
  SetText(atom.name, ChemicalSymbol(*chemical));
  const auto hasDistance = [&document, &tables](const Bond& bond) {
    if (!IsAtomInUse(document, bond.atom1) || !IsAtomInUse(document, bond.atom2)) return false;
    const int32_t typeA = document.atoms[bond.atom1].atomType;
    const int32_t typeB = document.atoms[bond.atom2].atomType;
    return BondDistanceParameter(tables, typeA, typeB) != 0.0f;
  };
  RemoveBondsOfAtom(document, static_cast<int32_t>(i), hasDistance);
  return 0;
}

}  // namespace tf
