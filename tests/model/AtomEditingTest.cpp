#include "model/AtomEditing.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/FixedText.h"
#include "model/Document.h"
#include "support/TestRecords.h"
#include "view/CameraOperations.h"

namespace tf {
namespace {

using test::kC3;
using test::kCarbon;
using test::kH;
using test::kHydrogen;
using test::kNeon;
using test::kOxygen;
using test::MakeTestRecords;
using test::PutAtom;
using test::PutBond;
using test::Records;

// Atoms are told apart by their x coordinate in these tests.
std::vector<float> AtomXs(const Records& records) {
  std::vector<float> xs;
  for (uint32_t i = 0; i < records.document.atomCount; ++i)
    xs.push_back(records.document.atoms[i].x);
  return xs;
}

std::vector<std::pair<int32_t, int32_t>> BondPairs(const Records& records) {
  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (uint32_t b = 0; b < records.document.bondCount; ++b)
    pairs.emplace_back(records.document.bonds[b].atom1, records.document.bonds[b].atom2);
  return pairs;
}

using Pairs = std::vector<std::pair<int32_t, int32_t>>;

TEST(AtomEditing, AddAtomFillsAFreshRecord) {
  auto records = MakeTestRecords();
  Atom& slot = records->document.atoms[0];  // stale data from an earlier molecule
  slot.serial = 77;
  slot.fragmentNumber = 5;
  slot.charge = 0.4f;
  slot.selected = 1;
  SetText(slot.name, std::u16string_view(u"CA"));
  SetText(slot.fragmentName, std::u16string_view(u"ALA"));

  AddAtom(records->document, records->tables, 1.0f, 2.0f, 3.0f, kOxygen);
  ASSERT_EQ(records->document.atomCount, 1u);
  const Atom& atom = records->document.atoms[0];
  EXPECT_EQ(TextView(atom.name), u"O");
  EXPECT_EQ(TextView(atom.fragmentName), u"A");
  EXPECT_EQ(atom.serial, 0);
  EXPECT_EQ(atom.fragmentNumber, 0);
  EXPECT_EQ(atom.charge, 0.0f);
  EXPECT_EQ(atom.selected, 0);
  EXPECT_EQ(records->document.selectedCount, 0);
  EXPECT_EQ(atom.x, 1.0f);
  EXPECT_EQ(atom.y, 2.0f);
  EXPECT_EQ(atom.z, 3.0f);
  EXPECT_EQ(atom.atomType, test::kO2);

  // The first AtomType of the ChemicalType in table order.
  AddAtom(records->document, records->tables, 0, 0, 0, kCarbon);
  AddAtom(records->document, records->tables, 0, 0, 0, kHydrogen);
  EXPECT_EQ(records->document.atoms[1].atomType, kC3);
  EXPECT_EQ(TextView(records->document.atoms[1].name), u"C");
  EXPECT_EQ(records->document.atoms[2].atomType, kH);
  EXPECT_EQ(records->document.bondCount, 0u);
}

TEST(AtomEditing, AddAtomRefusesChemicalTypesWithoutAnAtomType) {
  auto records = MakeTestRecords();
  for (int32_t k : {static_cast<int32_t>(kNeon), 5, 9, 19, 20, -1, 1 << 30}) {
    EXPECT_EQ(AddAtom(records->document, records->tables, 0, 0, 0, k), -1);
    EXPECT_EQ(records->document.atomCount, 0u) << "ChemicalType " << k;
  }
}

TEST(AtomEditing, AddAtomStopsAtCapacity) {
  auto records = MakeTestRecords();
  records->document.atomCount = kMaxAtoms - 1;
  EXPECT_EQ(AddAtom(records->document, records->tables, 4.0f, 0, 0, kCarbon),
            static_cast<int32_t>(kMaxAtoms - 1));
  EXPECT_EQ(records->document.atomCount, kMaxAtoms);
  EXPECT_EQ(records->document.atoms[kMaxAtoms - 1].x, 4.0f);
  EXPECT_EQ(AddAtom(records->document, records->tables, 5.0f, 0, 0, kCarbon), -1);
  EXPECT_EQ(records->document.atomCount, kMaxAtoms);
  EXPECT_EQ(records->document.atoms[kMaxAtoms - 1].x, 4.0f);
}

TEST(AtomEditing, DeleteAtomMovesTheLastAtomIntoTheGap) {
  auto records = MakeTestRecords();
  for (float x : {0.0f, 1.0f, 2.0f, 3.0f, 4.0f}) PutAtom(records->document, x, 0, 0);
  PutBond(records->document, 0, 2);
  PutBond(records->document, 3, 4);
  PutBond(records->document, 2, 1);
  PutBond(records->document, 1, 3);
  PutBond(records->document, 4, 0);
  SelectAtom(records->document, 2);
  SelectAtom(records->document, 4);

  DeleteAtom(records->document, 2);
  EXPECT_EQ(AtomXs(*records), (std::vector<float>{0, 1, 4, 3}));
  // The bonds of atom 2 are gone; atom 4's keep their order as (3, 2) and (2, 0).
  EXPECT_EQ(BondPairs(*records), (Pairs{{2, 0}, {3, 2}, {1, 3}}));
  EXPECT_EQ(records->document.selectedCount, 1);
  EXPECT_EQ(records->document.atoms[2].selected, 1);

  DeleteAtom(records->document, 3);  // the last atom: only its bonds go
  EXPECT_EQ(AtomXs(*records), (std::vector<float>{0, 1, 4}));
  EXPECT_EQ(BondPairs(*records), (Pairs{{2, 0}}));

  DeleteAtom(records->document, static_cast<uint32_t>(-1));
  DeleteAtom(records->document, 3);
  EXPECT_EQ(records->document.atomCount, 3u);
  EXPECT_EQ(records->document.bondCount, 1u);
}

TEST(AtomEditing, DeleteSelectedAtomsExaminesTheMovedAtomAgain) {
  auto records = MakeTestRecords();
  for (float x : {0.0f, 1.0f, 2.0f, 3.0f, 4.0f}) PutAtom(records->document, x, 0, 0);
  PutBond(records->document, 0, 1);
  PutBond(records->document, 1, 2);
  PutBond(records->document, 2, 3);
  SelectAtom(records->document, 0);
  SelectAtom(records->document, 3);
  SelectAtom(records->document, 4);  // moves into slot 0 and must be deleted there too
  DeleteSelectedAtoms(records->document);
  EXPECT_EQ(AtomXs(*records), (std::vector<float>{2, 1}));
  EXPECT_EQ(BondPairs(*records), (Pairs{{1, 0}}));
  EXPECT_EQ(records->document.selectedCount, 0);

  auto lastTwo = MakeTestRecords();
  for (float x : {0.0f, 1.0f, 2.0f}) PutAtom(lastTwo->document, x, 0, 0);
  SelectAtom(lastTwo->document, 1);
  SelectAtom(lastTwo->document, 2);
  DeleteSelectedAtoms(lastTwo->document);
  EXPECT_EQ(AtomXs(*lastTwo), (std::vector<float>{0}));
  EXPECT_EQ(lastTwo->document.selectedCount, 0);
  EXPECT_EQ(lastTwo->document.atoms[0].selected, 0);
}

TEST(AtomEditing, MoveSelectedAtomsShiftsOnlyTheSelectionInTheScreenPlane) {
  auto records = MakeTestRecords();
  PutAtom(records->document, 1.0f, 1.0f, 3.0f);
  PutAtom(records->document, 2.0f, 2.0f, 3.0f);
  SelectAtom(records->document, 0);
  MoveSelectedAtoms(records->document, {1.0f, -2.0f});
  EXPECT_FLOAT_EQ(records->document.atoms[0].x, 2.0f);
  EXPECT_FLOAT_EQ(records->document.atoms[0].y, -1.0f);
  EXPECT_EQ(records->document.atoms[0].z, 3.0f);
  EXPECT_EQ(records->document.atoms[1].x, 2.0f);
  EXPECT_EQ(records->document.atoms[1].y, 2.0f);
}

}  // namespace
}  // namespace tf
