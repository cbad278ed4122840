#include "model/AtomTypeEditing.h"

#include <gtest/gtest.h>

#include "base/FixedText.h"
#include "model/Document.h"
#include "support/TestRecords.h"

namespace tf {
namespace {

using test::kC2;
using test::kC3;
using test::kH;
using test::kN3;
using test::kO2;
using test::MakeTestRecords;
using test::PutAtom;
using test::PutBond;

TEST(AtomTypeEditing, UnknownNameOrBadIndexChangesNothing) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0, 0, 0, kC3);
  SetText(records->document.atoms[0].name, std::u16string_view(u"CA"));
  for (std::u16string_view name : {u"c3", u"C", u"C3 ", u"", u"Carbon"}) {
    EXPECT_EQ(SetAtomType(records->document, records->tables, 0, name), 1)
        << "name length " << name.size();
  }
  EXPECT_EQ(SetAtomType(records->document, records->tables, 1, u"C2"), 1);
  EXPECT_EQ(SetAtomType(records->document, records->tables, static_cast<uint32_t>(-1), u"C2"), 1);
  EXPECT_EQ(records->document.atoms[0].atomType, kC3);
  EXPECT_EQ(TextView(records->document.atoms[0].name), u"CA");
}

TEST(AtomTypeEditing, AppliedTypeRenamesTheAtomBySymbol) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0, 0, 0, kC3);
  SetText(records->document.atoms[0].name, std::u16string_view(u"CB"));
  EXPECT_EQ(SetAtomType(records->document, records->tables, 0, u"O2"), 0);
  EXPECT_EQ(records->document.atoms[0].atomType, kO2);
  EXPECT_EQ(TextView(records->document.atoms[0].name), u"O");
}

TEST(AtomTypeEditing, RefusedWhileTheAtomHasMoreBondsThanTheTypeAllows) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0, 0, 0, kC3);
  for (int n = 0; n < 4; ++n) {
    PutAtom(records->document, 1, 0, 0, kH);
    PutBond(records->document, 0, n + 1);
  }
  EXPECT_EQ(SetAtomType(records->document, records->tables, 0, u"C2"), 1);  // 4 bonds, sp2 allows 3
  EXPECT_EQ(records->document.atoms[0].atomType, kC3);
  EXPECT_EQ(records->document.bondCount, 4u);

  records->document.bondCount = 3;
  EXPECT_EQ(SetAtomType(records->document, records->tables, 0, u"C2"),
            0);  // exactly the maximum is fine
  EXPECT_EQ(records->document.atoms[0].atomType, kC2);
  EXPECT_EQ(records->document.bondCount, 3u);
}

TEST(AtomTypeEditing, BondsWithoutADistanceForTheNewTypeAreRemoved) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 0, 0, 0, kC3);  // 0: retyped to C2
  PutAtom(records->document, 1, 0, 0, kN3);  // 1: C2-N3 has no distance
  PutAtom(records->document, 2, 0, 0, kH);   // 2: C2-H is fine
  PutAtom(records->document, 3, 0, 0, kN3);  // 3: no distance either
  PutAtom(records->document, 4, 0, 0, kN3);  // 4: bonded elsewhere only
  PutAtom(records->document, 5, 0, 0, kC3);  // 5
  PutBond(records->document, 0, 1);
  PutBond(records->document, 4, 5);
  PutBond(records->document, 2, 0);
  PutBond(records->document, 3,
          0);  // moves into slot 0 when (0, 1) goes and must be examined there
  ASSERT_EQ(SetAtomType(records->document, records->tables, 0, u"C2"), 0);
  ASSERT_EQ(records->document.bondCount, 2u);
  EXPECT_EQ(records->document.bonds[0].atom1, 2);
  EXPECT_EQ(records->document.bonds[0].atom2, 0);
  EXPECT_EQ(records->document.bonds[1].atom1, 4);
  EXPECT_EQ(records->document.bonds[1].atom2, 5);
}

}  // namespace
}  // namespace tf
