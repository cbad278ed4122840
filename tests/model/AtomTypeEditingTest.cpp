#include "model/AtomTypeEditing.h"

#include <gtest/gtest.h>

#include "forcefield/FixedText.h"
#include "model/MoleculeStore.h"
#include "support/TestStore.h"

namespace tf {
namespace {

using test::kC2;
using test::kC3;
using test::kH;
using test::kN3;
using test::kO2;
using test::MakeTestStore;
using test::PutAtom;
using test::PutBond;

TEST(AtomTypeEditing, UnknownNameOrBadIndexChangesNothing) {
  auto store = MakeTestStore();
  PutAtom(*store, 0, 0, 0, kC3);
  SetText(store->atoms[0].name, std::u16string_view(u"CA"));
  for (std::u16string_view name : {u"c3", u"C", u"C3 ", u"", u"Carbon"}) {
    EXPECT_EQ(SetAtomType(*store, 0, name), 1) << "name length " << name.size();
  }
  EXPECT_EQ(SetAtomType(*store, 1, u"C2"), 1);
  EXPECT_EQ(SetAtomType(*store, static_cast<uint32_t>(-1), u"C2"), 1);
  EXPECT_EQ(store->atoms[0].atomType, kC3);
  EXPECT_EQ(TextView(store->atoms[0].name), u"CA");
}

TEST(AtomTypeEditing, AppliedTypeRenamesTheAtomBySymbol) {
  auto store = MakeTestStore();
  PutAtom(*store, 0, 0, 0, kC3);
  SetText(store->atoms[0].name, std::u16string_view(u"CB"));
  EXPECT_EQ(SetAtomType(*store, 0, u"O2"), 0);
  EXPECT_EQ(store->atoms[0].atomType, kO2);
  EXPECT_EQ(TextView(store->atoms[0].name), u"O");
}

TEST(AtomTypeEditing, RefusedWhileTheAtomHasMoreBondsThanTheTypeAllows) {
  auto store = MakeTestStore();
  PutAtom(*store, 0, 0, 0, kC3);
  for (int n = 0; n < 4; ++n) {
    PutAtom(*store, 1, 0, 0, kH);
    PutBond(*store, 0, n + 1);
  }
  EXPECT_EQ(SetAtomType(*store, 0, u"C2"), 1);  // 4 bonds, sp2 allows 3
  EXPECT_EQ(store->atoms[0].atomType, kC3);
  EXPECT_EQ(store->bondCount, 4u);

  store->bondCount = 3;
  EXPECT_EQ(SetAtomType(*store, 0, u"C2"), 0);  // exactly the maximum is fine
  EXPECT_EQ(store->atoms[0].atomType, kC2);
  EXPECT_EQ(store->bondCount, 3u);
}

TEST(AtomTypeEditing, BondsWithoutADistanceForTheNewTypeAreRemoved) {
  auto store = MakeTestStore();
  PutAtom(*store, 0, 0, 0, kC3);  // 0: retyped to C2
  PutAtom(*store, 1, 0, 0, kN3);  // 1: C2-N3 has no distance
  PutAtom(*store, 2, 0, 0, kH);   // 2: C2-H is fine
  PutAtom(*store, 3, 0, 0, kN3);  // 3: no distance either
  PutAtom(*store, 4, 0, 0, kN3);  // 4: bonded elsewhere only
  PutAtom(*store, 5, 0, 0, kC3);  // 5
  PutBond(*store, 0, 1);
  PutBond(*store, 4, 5);
  PutBond(*store, 2, 0);
  PutBond(*store, 3, 0);  // moves into slot 0 when (0, 1) goes and must be examined there
  ASSERT_EQ(SetAtomType(*store, 0, u"C2"), 0);
  ASSERT_EQ(store->bondCount, 2u);
  EXPECT_EQ(store->bonds[0].atom1, 2);
  EXPECT_EQ(store->bonds[0].atom2, 0);
  EXPECT_EQ(store->bonds[1].atom1, 4);
  EXPECT_EQ(store->bonds[1].atom2, 5);
}

}  // namespace
}  // namespace tf
