#include "model/BondEditing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/AtomEditing.h"
#include "model/MoleculeStore.h"
#include "support/TestStore.h"

namespace tf {
namespace {

using test::kC1;
using test::kC2;
using test::kC3;
using test::kH;
using test::kN3;
using test::MakeTestStore;
using test::PutAtom;
using test::PutBond;

// Collects the bond button labels the shell is asked to show.
struct LabelRecorder {
  std::vector<std::u16string> labels;
  void Attach(MoleculeStore& store) {
    store.shell.setBondButtonLabel = [this](std::u16string_view label) {
      labels.emplace_back(label);
    };
  }
};

TEST(BondEditing, AddBondStoresTheSmallerIndexFirstAndRefusesDuplicates) {
  auto store = MakeTestStore();
  PutAtom(*store, 0, 0, 0, kC3);
  PutAtom(*store, 1, 0, 0, kC3);
  PutAtom(*store, 2, 0, 0, kC3);
  EXPECT_EQ(AddBond(*store, 2, 0), 1);
  ASSERT_EQ(store->bondCount, 1u);
  EXPECT_EQ(store->bonds[0].atom1, 0);
  EXPECT_EQ(store->bonds[0].atom2, 2);
  EXPECT_EQ(AddBond(*store, 2, 0), 0);
  EXPECT_EQ(AddBond(*store, 0, 2), 0);
  PutBond(*store, 2, 1);  // as a topology file may store it
  EXPECT_EQ(AddBond(*store, 1, 2), 0);
  EXPECT_EQ(store->bondCount, 2u);
}

TEST(BondEditing, AddBondRefusesAtTheBondCapacity) {
  auto store = MakeTestStore();
  PutAtom(*store, 0, 0, 0, kC3);
  PutAtom(*store, 1, 0, 0, kC3);
  PutAtom(*store, 2, 0, 0, kC3);
  store->bondCount = kMaxBonds - 1;  // stand-in bonds between other atoms
  for (uint32_t b = 0; b < store->bondCount; ++b) store->bonds[b] = Bond{100, 101};
  store->atomCount = 200;
  EXPECT_EQ(AddBond(*store, 0, 1), 1);
  EXPECT_EQ(store->bondCount, kMaxBonds);
  EXPECT_EQ(AddBond(*store, 1, 2), 0);
  EXPECT_EQ(store->bondCount, kMaxBonds);
}

TEST(BondEditing, AddBondChecksValenceByEquality) {
  auto store = MakeTestStore();
  const int32_t carbon = static_cast<int32_t>(PutAtom(*store, 0, 0, 0, kC3));
  for (int n = 0; n < 4; ++n) {
    const int32_t hydrogen = static_cast<int32_t>(PutAtom(*store, 1, 0, 0, kH));
    EXPECT_EQ(AddBond(*store, carbon, hydrogen), 1) << "bond " << n;
  }
  const int32_t fifth = static_cast<int32_t>(PutAtom(*store, 2, 0, 0, kH));
  EXPECT_EQ(AddBond(*store, carbon, fifth), 0);  // sp3 carbon is full at 4
  EXPECT_EQ(AddBond(*store, fifth, 1), 0);       // neither H may bond: H-H has no distance
  const int32_t other = static_cast<int32_t>(PutAtom(*store, 3, 0, 0, kC3));
  EXPECT_EQ(AddBond(*store, other, 1), 0);  // hydrogen 1 already has its one bond

  // Past the maximum (as a topology file may leave it) is not equal to it.
  PutBond(*store, carbon, fifth);
  const int32_t sixth = static_cast<int32_t>(PutAtom(*store, 4, 0, 0, kH));
  EXPECT_EQ(AddBond(*store, carbon, sixth), 1);
  EXPECT_EQ(BondDegree(*store, static_cast<uint32_t>(carbon)), 6u);

  const int32_t sp1 = static_cast<int32_t>(PutAtom(*store, 5, 0, 0, kC1));
  EXPECT_EQ(AddBond(*store, sp1, static_cast<int32_t>(PutAtom(*store, 6, 0, 0, kH))), 1);
  EXPECT_EQ(AddBond(*store, sp1, static_cast<int32_t>(PutAtom(*store, 7, 0, 0, kH))), 1);
  EXPECT_EQ(AddBond(*store, sp1, static_cast<int32_t>(PutAtom(*store, 8, 0, 0, kC3))), 0);
}

TEST(BondEditing, AddBondNeedsADistanceParameterAndTwoAtomsInUse) {
  auto store = MakeTestStore();
  PutAtom(*store, 0, 0, 0, kH);
  PutAtom(*store, 1, 0, 0, kH);
  PutAtom(*store, 2, 0, 0, kC2);
  PutAtom(*store, 3, 0, 0, kN3);
  PutAtom(*store, 4, 0, 0, 900);        // type outside the tables
  EXPECT_EQ(AddBond(*store, 0, 1), 0);  // H-H
  EXPECT_EQ(AddBond(*store, 2, 3), 0);  // C2-N3
  EXPECT_EQ(AddBond(*store, 2, 4), 0);
  EXPECT_EQ(AddBond(*store, 2, 2), 0);
  EXPECT_EQ(AddBond(*store, 2, 5), 0);
  EXPECT_EQ(AddBond(*store, -1, 2), 0);
  EXPECT_EQ(store->bondCount, 0u);
  EXPECT_EQ(AddBond(*store, 0, 2), 1);  // H-C2
}

TEST(BondEditing, DeleteBondRemovesEitherStoredOrder) {
  auto store = MakeTestStore();
  for (int i = 0; i < 4; ++i) PutAtom(*store, static_cast<float>(i), 0, 0);
  PutBond(*store, 0, 1);
  PutBond(*store, 3, 2);
  PutBond(*store, 1, 2);
  DeleteBond(*store, 2, 3);
  ASSERT_EQ(store->bondCount, 2u);
  EXPECT_EQ(store->bonds[1].atom1, 1);  // the last bond moved into the gap
  EXPECT_EQ(store->bonds[1].atom2, 2);
  DeleteBond(*store, 0, 1);
  DeleteBond(*store, 0, 3);  // no such bond
  ASSERT_EQ(store->bondCount, 1u);
  EXPECT_EQ(store->bonds[0].atom1, 1);
}

TEST(BondEditing, SelectedPairNeedsExactlyTwoAtoms) {
  auto store = MakeTestStore();
  for (int i = 0; i < 5; ++i) PutAtom(*store, static_cast<float>(i), 0, 0);
  int32_t first = -7, second = -7;
  EXPECT_EQ(SelectedPair(*store, first, second), 0);
  SelectAtom(*store, 4);
  EXPECT_EQ(SelectedPair(*store, first, second), 0);
  SelectAtom(*store, 1);
  EXPECT_EQ(SelectedPair(*store, first, second), 1);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 4);
  SelectAtom(*store, 2);
  EXPECT_EQ(SelectedPair(*store, first, second), 0);
  EXPECT_EQ(IsSelectedPairBonded(*store), 0);
}

TEST(BondEditing, PairBondedInEitherStoredOrderCountsAsBonded) {
  auto store = MakeTestStore();
  for (int i = 0; i < 5; ++i) PutAtom(*store, static_cast<float>(i), 0, 0);
  PutBond(*store, 3, 4);
  SelectAtom(*store, 2);
  SelectAtom(*store, 3);
  EXPECT_EQ(IsSelectedPairBonded(*store), 0);
  DeleteAtom(*store, 2);  // the bond becomes (3, 2); atom 4 moves to 2
  EXPECT_EQ(store->bonds[0].atom1, 3);
  EXPECT_EQ(store->bonds[0].atom2, 2);
  SelectAtom(*store, 2);
  EXPECT_EQ(IsSelectedPairBonded(*store), 1);

  // The button now deletes the bond instead of storing a duplicate.
  LabelRecorder recorder;
  recorder.Attach(*store);
  ToggleBond(*store);
  EXPECT_EQ(store->bondCount, 0u);
  EXPECT_EQ(recorder.labels, std::vector<std::u16string>{u"Add Bond"});
}

TEST(BondEditing, ToggleBondAddsThenDeletesAndRelabels) {
  auto store = MakeTestStore();
  PutAtom(*store, 0, 0, 0, kC3);
  PutAtom(*store, 1, 0, 0, kH);
  PutAtom(*store, 2, 0, 0, kH);
  LabelRecorder recorder;
  recorder.Attach(*store);
  SelectAtom(*store, 1);
  SelectAtom(*store, 0);
  ToggleBond(*store);
  ASSERT_EQ(store->bondCount, 1u);
  EXPECT_EQ(store->bonds[0].atom1, 0);
  EXPECT_EQ(store->bonds[0].atom2, 1);
  ToggleBond(*store);
  EXPECT_EQ(store->bondCount, 0u);
  EXPECT_EQ(recorder.labels, (std::vector<std::u16string>{u"Delete Bond", u"Add Bond"}));

  // Refused (H-H) or not a pair: nothing changes, no label is set.
  DeselectAtom(*store, 0);
  SelectAtom(*store, 2);
  ToggleBond(*store);
  SelectAtom(*store, 0);
  ToggleBond(*store);
  EXPECT_EQ(store->bondCount, 0u);
  EXPECT_EQ(recorder.labels.size(), 2u);

  store->shell.setBondButtonLabel = nullptr;  // no shell attached
  DeselectAtom(*store, 2);
  ToggleBond(*store);
  EXPECT_EQ(store->bondCount, 1u);
}

}  // namespace
}  // namespace tf
