#include "model/BondEditing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/AtomEditing.h"
#include "model/Document.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using test::kC1;
using test::kC2;
using test::kC3;
using test::kH;
using test::kN3;
using test::MakeTestRecords;
using test::PutAtom;
using test::PutBond;
using test::Records;

TEST(BondEditing, AddBondStoresTheSmallerIndexFirstAndRefusesDuplicates) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0, 0, 0, kC3);
  PutAtom(records->document, 1, 0, 0, kC3);
  PutAtom(records->document, 2, 0, 0, kC3);
  EXPECT_EQ(AddBond(records->document, records->tables, 2, 0), 1);
  ASSERT_EQ(records->document.bondCount, 1u);
  EXPECT_EQ(records->document.bonds[0].atom1, 0);
  EXPECT_EQ(records->document.bonds[0].atom2, 2);
  EXPECT_EQ(AddBond(records->document, records->tables, 2, 0), 0);
  EXPECT_EQ(AddBond(records->document, records->tables, 0, 2), 0);
  PutBond(records->document, 2, 1);  // as a topology file may store it
  EXPECT_EQ(AddBond(records->document, records->tables, 1, 2), 0);
  EXPECT_EQ(records->document.bondCount, 2u);
}

TEST(BondEditing, AddBondRefusesAtTheBondCapacity) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0, 0, 0, kC3);
  PutAtom(records->document, 1, 0, 0, kC3);
  PutAtom(records->document, 2, 0, 0, kC3);
  records->document.bondCount = kMaxBonds - 1;  // stand-in bonds between other atoms
  for (uint32_t b = 0; b < records->document.bondCount; ++b)
    records->document.bonds[b] = Bond{100, 101};
  records->document.atomCount = 200;
  EXPECT_EQ(AddBond(records->document, records->tables, 0, 1), 1);
  EXPECT_EQ(records->document.bondCount, kMaxBonds);
  EXPECT_EQ(AddBond(records->document, records->tables, 1, 2), 0);
  EXPECT_EQ(records->document.bondCount, kMaxBonds);
}

TEST(BondEditing, AddBondChecksValenceByEquality) {
  auto records = MakeTestRecords();
  const int32_t carbon = static_cast<int32_t>(PutAtom(records->document, 0, 0, 0, kC3));
  for (int n = 0; n < 4; ++n) {
    const int32_t hydrogen = static_cast<int32_t>(PutAtom(records->document, 1, 0, 0, kH));
    EXPECT_EQ(AddBond(records->document, records->tables, carbon, hydrogen), 1) << "bond " << n;
  }
  const int32_t fifth = static_cast<int32_t>(PutAtom(records->document, 2, 0, 0, kH));
  EXPECT_EQ(AddBond(records->document, records->tables, carbon, fifth),
            0);  // sp3 carbon is full at 4
  EXPECT_EQ(AddBond(records->document, records->tables, fifth, 1),
            0);  // neither H may bond: H-H has no distance
  const int32_t other = static_cast<int32_t>(PutAtom(records->document, 3, 0, 0, kC3));
  EXPECT_EQ(AddBond(records->document, records->tables, other, 1),
            0);  // hydrogen 1 already has its one bond

  // Past the maximum (as a topology file may leave it) is not equal to it.
  PutBond(records->document, carbon, fifth);
  const int32_t sixth = static_cast<int32_t>(PutAtom(records->document, 4, 0, 0, kH));
  EXPECT_EQ(AddBond(records->document, records->tables, carbon, sixth), 1);
  EXPECT_EQ(BondDegree(records->document, static_cast<uint32_t>(carbon)), 6u);

  const int32_t sp1 = static_cast<int32_t>(PutAtom(records->document, 5, 0, 0, kC1));
  EXPECT_EQ(AddBond(records->document, records->tables, sp1,
                    static_cast<int32_t>(PutAtom(records->document, 6, 0, 0, kH))),
            1);
  EXPECT_EQ(AddBond(records->document, records->tables, sp1,
                    static_cast<int32_t>(PutAtom(records->document, 7, 0, 0, kH))),
            1);
  EXPECT_EQ(AddBond(records->document, records->tables, sp1,
                    static_cast<int32_t>(PutAtom(records->document, 8, 0, 0, kC3))),
            0);
}

TEST(BondEditing, AddBondNeedsADistanceParameterAndTwoAtomsInUse) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0, 0, 0, kH);
  PutAtom(records->document, 1, 0, 0, kH);
  PutAtom(records->document, 2, 0, 0, kC2);
  PutAtom(records->document, 3, 0, 0, kN3);
  PutAtom(records->document, 4, 0, 0, 900);                         // type outside the tables
  EXPECT_EQ(AddBond(records->document, records->tables, 0, 1), 0);  // H-H
  EXPECT_EQ(AddBond(records->document, records->tables, 2, 3), 0);  // C2-N3
  EXPECT_EQ(AddBond(records->document, records->tables, 2, 4), 0);
  EXPECT_EQ(AddBond(records->document, records->tables, 2, 2), 0);
  EXPECT_EQ(AddBond(records->document, records->tables, 2, 5), 0);
  EXPECT_EQ(AddBond(records->document, records->tables, -1, 2), 0);
  EXPECT_EQ(records->document.bondCount, 0u);
  EXPECT_EQ(AddBond(records->document, records->tables, 0, 2), 1);  // H-C2
}

TEST(BondEditing, DeleteBondRemovesEitherStoredOrder) {
  auto records = MakeTestRecords();
  for (int i = 0; i < 4; ++i) PutAtom(records->document, static_cast<float>(i), 0, 0);
  PutBond(records->document, 0, 1);
  PutBond(records->document, 3, 2);
  PutBond(records->document, 1, 2);
  DeleteBond(records->document, 2, 3);
  ASSERT_EQ(records->document.bondCount, 2u);
  EXPECT_EQ(records->document.bonds[1].atom1, 1);  // the last bond moved into the gap
  EXPECT_EQ(records->document.bonds[1].atom2, 2);
  DeleteBond(records->document, 0, 1);
  DeleteBond(records->document, 0, 3);  // no such bond
  ASSERT_EQ(records->document.bondCount, 1u);
  EXPECT_EQ(records->document.bonds[0].atom1, 1);
}

TEST(BondEditing, SelectedPairNeedsExactlyTwoAtoms) {
  auto records = MakeTestRecords();
  for (int i = 0; i < 5; ++i) PutAtom(records->document, static_cast<float>(i), 0, 0);
  int32_t first = -7, second = -7;
  EXPECT_EQ(SelectedPair(records->document, first, second), 0);
  SelectAtom(records->document, 4);
  EXPECT_EQ(SelectedPair(records->document, first, second), 0);
  SelectAtom(records->document, 1);
  EXPECT_EQ(SelectedPair(records->document, first, second), 1);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 4);
  SelectAtom(records->document, 2);
  EXPECT_EQ(SelectedPair(records->document, first, second), 0);
  EXPECT_EQ(IsSelectedPairBonded(records->document), 0);
}

TEST(BondEditing, PairBondedInEitherStoredOrderCountsAsBonded) {
  auto records = MakeTestRecords();
  for (int i = 0; i < 5; ++i) PutAtom(records->document, static_cast<float>(i), 0, 0);
  PutBond(records->document, 3, 4);
  SelectAtom(records->document, 2);
  SelectAtom(records->document, 3);
  EXPECT_EQ(IsSelectedPairBonded(records->document), 0);
  DeleteAtom(records->document, 2);  // the bond becomes (3, 2); atom 4 moves to 2
  EXPECT_EQ(records->document.bonds[0].atom1, 3);
  EXPECT_EQ(records->document.bonds[0].atom2, 2);
  SelectAtom(records->document, 2);
  EXPECT_EQ(IsSelectedPairBonded(records->document), 1);

  // The button now deletes the bond instead of storing a duplicate.
  EXPECT_EQ(ToggleBond(records->document, records->tables), u"Add Bond");
  EXPECT_EQ(records->document.bondCount, 0u);
}

TEST(BondEditing, ToggleBondAddsThenDeletesAndRelabels) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0, 0, 0, kC3);
  PutAtom(records->document, 1, 0, 0, kH);
  PutAtom(records->document, 2, 0, 0, kH);
  SelectAtom(records->document, 1);
  SelectAtom(records->document, 0);
  EXPECT_EQ(ToggleBond(records->document, records->tables), u"Delete Bond");
  ASSERT_EQ(records->document.bondCount, 1u);
  EXPECT_EQ(records->document.bonds[0].atom1, 0);
  EXPECT_EQ(records->document.bonds[0].atom2, 1);
  EXPECT_EQ(ToggleBond(records->document, records->tables), u"Add Bond");
  EXPECT_EQ(records->document.bondCount, 0u);

  // Refused (H-H) or not a pair: nothing changes, no label.
  DeselectAtom(records->document, 0);
  SelectAtom(records->document, 2);
  EXPECT_EQ(ToggleBond(records->document, records->tables), u"");
  SelectAtom(records->document, 0);
  EXPECT_EQ(ToggleBond(records->document, records->tables), u"");
  EXPECT_EQ(records->document.bondCount, 0u);
}

}  // namespace
}  // namespace tf
