#include "support/TestStore.h"

#include <string_view>

#include "forcefield/FixedText.h"
#include "view/CameraOperations.h"

namespace tf::test {
namespace {

void SetChemical(ForceFieldTables& tables, int32_t index, std::u16string_view name,
                 std::u16string_view symbol, float radius) {
  ChemicalType& chemical = tables.chemicalTypes[index];
  SetText(chemical.name, name);
  SetText(chemical.symbol, symbol);
  chemical.radius = radius;
}

void SetAtomTypeRecord(ForceFieldTables& tables, int32_t index, std::u16string_view name,
                       int32_t chemical, int32_t hybridization) {
  AtomType& type = tables.atomTypes[index];
  SetText(type.name, name);
  type.chemicalType = chemical;
  type.hybridization = hybridization;
}

void SetDistance(ForceFieldTables& tables, int32_t a, int32_t b, float distance) {
  tables.equilibriumDistance[a][b] = distance;
  tables.equilibriumDistance[b][a] = distance;
}

}  // namespace

void FillTestTables(ForceFieldTables& tables) {
  tables = ForceFieldTables{};
  SetChemical(tables, kCarbon, u"Carbon", u"C", 0.77f);
  SetChemical(tables, kHydrogen, u"Hydrogen", u"H", 0.37f);
  SetChemical(tables, kOxygen, u"Oxygen", u"O", 0.73f);
  SetChemical(tables, kNitrogen, u"Nitrogen", u"N", 0.75f);
  SetChemical(tables, kNeon, u"Neon", u"Ne", 0.38f);
  tables.chemicalTypeCount = 5;

  SetAtomTypeRecord(tables, kH, u"H", kHydrogen, 0);
  SetAtomTypeRecord(tables, kC3, u"C3", kCarbon, 3);
  SetAtomTypeRecord(tables, kC2, u"C2", kCarbon, 2);
  SetAtomTypeRecord(tables, kO2, u"O2", kOxygen, 2);
  SetAtomTypeRecord(tables, kN3, u"N3", kNitrogen, 3);
  SetAtomTypeRecord(tables, kC1, u"C1", kCarbon, 1);
  tables.atomTypeCount = 6;
  tables.defaultAtomType = kC3;

  SetDistance(tables, kC3, kC3, 1.54f);
  SetDistance(tables, kC3, kC2, 1.50f);
  SetDistance(tables, kC2, kC2, 1.34f);
  SetDistance(tables, kC3, kH, 1.09f);
  SetDistance(tables, kC2, kH, 1.08f);
  SetDistance(tables, kC2, kO2, 1.22f);
  SetDistance(tables, kC3, kO2, 1.43f);
  SetDistance(tables, kN3, kC3, 1.47f);
  SetDistance(tables, kN3, kH, 1.01f);
  SetDistance(tables, kC1, kC3, 1.46f);
  SetDistance(tables, kC1, kH, 1.06f);
}

std::unique_ptr<MoleculeStore> MakeTestStore() {
  auto store = std::make_unique<MoleculeStore>();
  FillTestTables(store->tables);
  store->camera.viewportWidth = 800;
  store->camera.viewportHeight = 600;
  store->camera.presentRect = PixelRect{0, 24, 800, 600};
  NewMolecule(*store);
  ResetView(*store);
  return store;
}

uint32_t PutAtom(MoleculeStore& store, float x, float y, float z, int32_t atomType) {
  const uint32_t index = store.atomCount++;
  Atom& atom = store.atoms[index];
  atom = Atom{};
  atom.x = x;
  atom.y = y;
  atom.z = z;
  atom.atomType = atomType;
  return index;
}

void PutBond(MoleculeStore& store, int32_t atom1, int32_t atom2) {
  store.bonds[store.bondCount++] = Bond{atom1, atom2};
}

}  // namespace tf::test
