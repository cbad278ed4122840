#include "model/Document.h"

#include <gtest/gtest.h>

#include <memory>

namespace tf {
namespace {

std::unique_ptr<Document> DocumentWithAtoms(uint32_t count) {
  auto document = std::make_unique<Document>();
  document->atomCount = count;
  return document;
}

TEST(Document, NewMoleculeEmptiesTheMoleculeAndTheFileOrigin) {
  auto document = DocumentWithAtoms(3);
  document->bondCount = 2;
  SelectAtom(*document, 1);
  document->fileOrigin = {4, 5, 6};

  NewMolecule(*document);

  EXPECT_EQ(document->atomCount, 0u);
  EXPECT_EQ(document->bondCount, 0u);
  EXPECT_EQ(document->selectedCount, 0);
  EXPECT_EQ(document->atoms[1].selected, 0);
  EXPECT_EQ(document->fileOrigin.x, 0.0f);
  EXPECT_EQ(document->fileOrigin.y, 0.0f);
  EXPECT_EQ(document->fileOrigin.z, 0.0f);
}

TEST(Document, SelectionCountsEachAtomOnce) {
  auto document = DocumentWithAtoms(4);
  SelectAtom(*document, 2);
  SelectAtom(*document, 2);
  EXPECT_EQ(document->selectedCount, 1);
  DeselectAtom(*document, 0);
  EXPECT_EQ(document->selectedCount, 1);
  SelectAtom(*document, 3);
  DeselectAtom(*document, 2);
  EXPECT_EQ(document->selectedCount, 1);
  EXPECT_EQ(document->atoms[3].selected, 1);
  ClearSelection(*document);
  EXPECT_EQ(document->selectedCount, 0);
  EXPECT_EQ(document->atoms[3].selected, 0);
}

TEST(Document, BondLookupIsOrderedAndDegreeCountsDuplicates) {
  auto document = DocumentWithAtoms(4);
  document->bonds[0] = {0, 1};
  document->bonds[1] = {2, 1};
  document->bonds[2] = {0, 1};
  document->bondCount = 3;
  EXPECT_EQ(FindBond(*document, 0, 1), 0);
  EXPECT_EQ(FindBond(*document, 1, 0), -1);
  EXPECT_EQ(FindBond(*document, 2, 1), 1);
  EXPECT_EQ(BondDegree(*document, 1), 3u);
  EXPECT_EQ(BondDegree(*document, 0), 2u);
  EXPECT_EQ(BondDegree(*document, 3), 0u);
  document->bondCount = 1;  // stale records past the count are not bonds
  EXPECT_EQ(FindBond(*document, 2, 1), -1);
}

}  // namespace
}  // namespace tf
