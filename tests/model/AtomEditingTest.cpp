#include "model/AtomEditing.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "forcefield/FixedText.h"
#include "model/MoleculeStore.h"
#include "support/TestStore.h"
#include "view/CameraOperations.h"

namespace tf {
namespace {

using test::kC3;
using test::kCarbon;
using test::kH;
using test::kHydrogen;
using test::kNeon;
using test::kOxygen;
using test::MakeTestStore;
using test::PutAtom;
using test::PutBond;

// Atoms are told apart by their x coordinate in these tests.
std::vector<float> AtomXs(const MoleculeStore& store) {
  std::vector<float> xs;
  for (uint32_t i = 0; i < store.atomCount; ++i) xs.push_back(store.atoms[i].x);
  return xs;
}

std::vector<std::pair<int32_t, int32_t>> BondPairs(const MoleculeStore& store) {
  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (uint32_t b = 0; b < store.bondCount; ++b)
    pairs.emplace_back(store.bonds[b].atom1, store.bonds[b].atom2);
  return pairs;
}

using Pairs = std::vector<std::pair<int32_t, int32_t>>;

TEST(AtomEditing, AddAtomFillsAFreshRecord) {
  auto store = MakeTestStore();
  Atom& slot = store->atoms[0];  // stale data from an earlier molecule
  slot.serial = 77;
  slot.fragmentNumber = 5;
  slot.charge = 0.4f;
  slot.selected = 1;
  SetText(slot.name, std::u16string_view(u"CA"));
  SetText(slot.fragmentName, std::u16string_view(u"ALA"));

  AddAtom(*store, 1.0f, 2.0f, 3.0f, kOxygen);
  ASSERT_EQ(store->atomCount, 1u);
  const Atom& atom = store->atoms[0];
  EXPECT_EQ(TextView(atom.name), u"O");
  EXPECT_EQ(TextView(atom.fragmentName), u"A");
  EXPECT_EQ(atom.serial, 0);
  EXPECT_EQ(atom.fragmentNumber, 0);
  EXPECT_EQ(atom.charge, 0.0f);
  EXPECT_EQ(atom.selected, 0);
  EXPECT_EQ(store->selectedCount, 0);
  EXPECT_EQ(atom.x, 1.0f);
  EXPECT_EQ(atom.y, 2.0f);
  EXPECT_EQ(atom.z, 3.0f);
  EXPECT_EQ(atom.atomType, test::kO2);

  // The first AtomType of the ChemicalType in table order.
  AddAtom(*store, 0, 0, 0, kCarbon);
  AddAtom(*store, 0, 0, 0, kHydrogen);
  EXPECT_EQ(store->atoms[1].atomType, kC3);
  EXPECT_EQ(TextView(store->atoms[1].name), u"C");
  EXPECT_EQ(store->atoms[2].atomType, kH);
  EXPECT_EQ(store->bondCount, 0u);
}

TEST(AtomEditing, AddAtomRefusesChemicalTypesWithoutAnAtomType) {
  auto store = MakeTestStore();
  for (int32_t k : {static_cast<int32_t>(kNeon), 5, 9, 19, 20, -1, 1 << 30}) {
    AddAtom(*store, 0, 0, 0, k);
    EXPECT_EQ(store->atomCount, 0u) << "ChemicalType " << k;
  }
}

TEST(AtomEditing, AddAtomStopsAtCapacity) {
  auto store = MakeTestStore();
  store->atomCount = kMaxAtoms - 1;
  AddAtom(*store, 4.0f, 0, 0, kCarbon);
  EXPECT_EQ(store->atomCount, kMaxAtoms);
  EXPECT_EQ(store->atoms[kMaxAtoms - 1].x, 4.0f);
  AddAtom(*store, 5.0f, 0, 0, kCarbon);
  EXPECT_EQ(store->atomCount, kMaxAtoms);
  EXPECT_EQ(store->atoms[kMaxAtoms - 1].x, 4.0f);
}

TEST(AtomEditing, AddAtomAtScreenPointPlacesTheAtomUnderThePointerAtZeroDepth) {
  auto store = MakeTestStore();
  AddAtomAtScreenPoint(*store, 480, 260, kCarbon);
  ASSERT_EQ(store->atomCount, 1u);
  EXPECT_FLOAT_EQ(store->atoms[0].x, 2.0f);
  EXPECT_FLOAT_EQ(store->atoms[0].y, 1.0f);
  EXPECT_EQ(store->atoms[0].z, 0.0f);

  Pan(*store, 30, -10);  // the same pixel now shows world (5, 0)
  AddAtomAtScreenPoint(*store, 480, 260, kCarbon);
  EXPECT_FLOAT_EQ(store->atoms[1].x, 5.0f);
  EXPECT_NEAR(store->atoms[1].y, 0.0f, 1e-6f);

  auto unsized = std::make_unique<MoleculeStore>();  // no viewport yet
  test::FillTestTables(unsized->tables);
  AddAtomAtScreenPoint(*unsized, 10, 10, kCarbon);
  EXPECT_EQ(unsized->atomCount, 0u);
}

TEST(AtomEditing, DeleteAtomMovesTheLastAtomIntoTheGap) {
  auto store = MakeTestStore();
  for (float x : {0.0f, 1.0f, 2.0f, 3.0f, 4.0f}) PutAtom(*store, x, 0, 0);
  PutBond(*store, 0, 2);
  PutBond(*store, 3, 4);
  PutBond(*store, 2, 1);
  PutBond(*store, 1, 3);
  PutBond(*store, 4, 0);
  SelectAtom(*store, 2);
  SelectAtom(*store, 4);

  DeleteAtom(*store, 2);
  EXPECT_EQ(AtomXs(*store), (std::vector<float>{0, 1, 4, 3}));
  // The bonds of atom 2 are gone; atom 4's keep their order as (3, 2) and (2, 0).
  EXPECT_EQ(BondPairs(*store), (Pairs{{2, 0}, {3, 2}, {1, 3}}));
  EXPECT_EQ(store->selectedCount, 1);
  EXPECT_EQ(store->atoms[2].selected, 1);

  DeleteAtom(*store, 3);  // the last atom: only its bonds go
  EXPECT_EQ(AtomXs(*store), (std::vector<float>{0, 1, 4}));
  EXPECT_EQ(BondPairs(*store), (Pairs{{2, 0}}));

  DeleteAtom(*store, static_cast<uint32_t>(-1));
  DeleteAtom(*store, 3);
  EXPECT_EQ(store->atomCount, 3u);
  EXPECT_EQ(store->bondCount, 1u);
}

TEST(AtomEditing, DeleteSelectedAtomsExaminesTheMovedAtomAgain) {
  auto store = MakeTestStore();
  for (float x : {0.0f, 1.0f, 2.0f, 3.0f, 4.0f}) PutAtom(*store, x, 0, 0);
  PutBond(*store, 0, 1);
  PutBond(*store, 1, 2);
  PutBond(*store, 2, 3);
  SelectAtom(*store, 0);
  SelectAtom(*store, 3);
  SelectAtom(*store, 4);  // moves into slot 0 and must be deleted there too
  DeleteSelectedAtoms(*store);
  EXPECT_EQ(AtomXs(*store), (std::vector<float>{2, 1}));
  EXPECT_EQ(BondPairs(*store), (Pairs{{1, 0}}));
  EXPECT_EQ(store->selectedCount, 0);

  auto lastTwo = MakeTestStore();
  for (float x : {0.0f, 1.0f, 2.0f}) PutAtom(*lastTwo, x, 0, 0);
  SelectAtom(*lastTwo, 1);
  SelectAtom(*lastTwo, 2);
  DeleteSelectedAtoms(*lastTwo);
  EXPECT_EQ(AtomXs(*lastTwo), (std::vector<float>{0}));
  EXPECT_EQ(lastTwo->selectedCount, 0);
  EXPECT_EQ(lastTwo->atoms[0].selected, 0);
}

TEST(AtomEditing, MoveSelectedAtomsFollowsThePointerInTheScreenPlane) {
  auto store = MakeTestStore();
  PutAtom(*store, 1.0f, 1.0f, 3.0f);
  PutAtom(*store, 2.0f, 2.0f, 3.0f);
  SelectAtom(*store, 0);
  MoveSelectedAtoms(*store, 40, 80);  // right 1 unit, down 2
  EXPECT_FLOAT_EQ(store->atoms[0].x, 2.0f);
  EXPECT_FLOAT_EQ(store->atoms[0].y, -1.0f);
  EXPECT_EQ(store->atoms[0].z, 3.0f);
  EXPECT_EQ(store->atoms[1].x, 2.0f);
  EXPECT_EQ(store->atoms[1].y, 2.0f);

  Zoom(*store, +20);  // zoom 4: 80 pixels per unit
  MoveSelectedAtoms(*store, -40, 0);
  EXPECT_FLOAT_EQ(store->atoms[0].x, 1.5f);

  store->camera.viewportWidth = 0;  // minimised: no mapping
  MoveSelectedAtoms(*store, 40, 40);
  EXPECT_FLOAT_EQ(store->atoms[0].x, 1.5f);
  EXPECT_FLOAT_EQ(store->atoms[0].y, -1.0f);
}

}  // namespace
}  // namespace tf
