#include "view/SceneSnapshot.h"

#include <algorithm>
#include <mutex>

#include "model/MoleculeStore.h"
#include "model/TableLookup.h"

namespace tf {

void TakeSceneSnapshot(MoleculeStore& store, SceneSnapshot& scene) {
  std::lock_guard model(store.modelLock);
  const uint32_t count = std::min(store.atomCount, kMaxAtoms);
  scene.atoms.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = store.atoms[i];
    const ChemicalType* chemical = ChemicalTypeOfAtomType(store.tables, atom.atomType);
    scene.atoms[i] = {atom.x,
                      atom.y,
                      atom.z,
                      chemical ? chemical->colour : 0u,
                      chemical ? chemical->radius : 0.0f,
                      atom.selected != 0};
  }
  scene.bonds.clear();
  const uint32_t bondCount = std::min(store.bondCount, kMaxBonds);
  const auto inUse = [count](int32_t index) {
    return index >= 0 && static_cast<uint32_t>(index) < count;
  };
  for (uint32_t k = 0; k < bondCount; ++k) {
    const Bond& bond = store.bonds[k];
    if (inUse(bond.atom1) && inUse(bond.atom2)) scene.bonds.push_back(bond);
  }
  scene.selectedCount = store.selectedCount;
  scene.atomCount = store.atomCount;
  scene.bondCount = store.bondCount;
  scene.shaping = store.shapingActive.load() != 0;
  scene.energy = store.energy;
  scene.energyChange = store.energyChange;
  scene.stepScale = store.stepScale;
}

}  // namespace tf
