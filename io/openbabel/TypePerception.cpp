#include "io/openbabel/TypePerception.h"

#include <openbabel/atom.h>
#include <openbabel/mol.h>

#include <mutex>
#include <vector>

#include "io/openbabel/BabelMolecule.h"

namespace tf {

uint32_t PerceiveAtomTypes(Document& document, const ForceFieldTables& tables) {
  const babel::MoleculeCopy copy = babel::CopyMolecule(document);
  OpenBabel::OBMol molecule;
  babel::FillMolecule(molecule, copy, tables);
  babel::PerceiveOrdersFromGeometry(molecule);
  std::vector<int32_t> types(copy.atoms.size());
  for (std::size_t i = 0; i < types.size(); ++i) {
    // An atom without an element keeps its type: perception cannot tell it.
    types[i] = babel::AtomicNumberOfType(tables, copy.atoms[i].atomType) == 0
                   ? copy.atoms[i].atomType
                   : babel::PerceivedType(tables, *molecule.GetAtom(static_cast<int>(i) + 1));
  }
  uint32_t changed = 0;
  std::lock_guard model(document.modelLock);
  const std::size_t count = std::min<std::size_t>(document.atomCount, types.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (document.atoms[i].atomType != types[i]) ++changed;
    document.atoms[i].atomType = types[i];
  }
  return changed;
}

}  // namespace tf
