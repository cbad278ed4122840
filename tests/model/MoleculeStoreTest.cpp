#include "model/MoleculeStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace tf {
namespace {

std::unique_ptr<MoleculeStore> StoreWithAtoms(uint32_t count) {
  auto store = std::make_unique<MoleculeStore>();
  store->atomCount = count;
  return store;
}

TEST(MoleculeStore, StartsEmpty) {
  auto store = std::make_unique<MoleculeStore>();
  EXPECT_EQ(store->atomCount, 0u);
  EXPECT_EQ(store->bondCount, 0u);
  EXPECT_EQ(store->selectedCount, 0);
  EXPECT_EQ(store->requestedShapingTerms, 0x3Fu);
  EXPECT_EQ(store->modelStyle, kBallStick);
  EXPECT_EQ(store->atoms[kMaxAtoms - 1].x, 0.0f);
}

TEST(MoleculeStore, NewMoleculeEmptiesButKeepsView) {
  auto store = StoreWithAtoms(3);
  store->bondCount = 2;
  SelectAtom(*store, 1);
  store->camera.zoom = 3.5f;
  store->camera.eye = {1, 2, 20};
  store->camera.rotation.m[0][1] = 0.5f;
  store->modelStyle = kSticks;
  store->fileOrigin = {4, 5, 6};

  NewMolecule(*store);

  EXPECT_EQ(store->atomCount, 0u);
  EXPECT_EQ(store->bondCount, 0u);
  EXPECT_EQ(store->selectedCount, 0);
  EXPECT_EQ(store->atoms[1].selected, 0);
  EXPECT_EQ(store->fileOrigin.x, 0.0f);
  EXPECT_EQ(store->fileOrigin.y, 0.0f);
  EXPECT_EQ(store->fileOrigin.z, 0.0f);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(store->camera.rotation.m[r][c], r == c ? 1.0f : 0.0f);
  EXPECT_EQ(store->camera.zoom, 3.5f);
  EXPECT_EQ(store->camera.eye.x, 1.0f);
  EXPECT_EQ(store->modelStyle, kSticks);
}

TEST(MoleculeStore, SelectionCountsEachAtomOnce) {
  auto store = StoreWithAtoms(4);
  SelectAtom(*store, 2);
  SelectAtom(*store, 2);
  EXPECT_EQ(store->selectedCount, 1);
  DeselectAtom(*store, 0);
  EXPECT_EQ(store->selectedCount, 1);
  SelectAtom(*store, 3);
  DeselectAtom(*store, 2);
  EXPECT_EQ(store->selectedCount, 1);
  EXPECT_EQ(store->atoms[3].selected, 1);
  ClearSelection(*store);
  EXPECT_EQ(store->selectedCount, 0);
  EXPECT_EQ(store->atoms[3].selected, 0);
}

TEST(MoleculeStore, BondLookupIsOrderedAndDegreeCountsDuplicates) {
  auto store = StoreWithAtoms(4);
  store->bonds[0] = {0, 1};
  store->bonds[1] = {2, 1};
  store->bonds[2] = {0, 1};
  store->bondCount = 3;
  EXPECT_EQ(FindBond(*store, 0, 1), 0);
  EXPECT_EQ(FindBond(*store, 1, 0), -1);
  EXPECT_EQ(FindBond(*store, 2, 1), 1);
  EXPECT_EQ(BondDegree(*store, 1), 3u);
  EXPECT_EQ(BondDegree(*store, 0), 2u);
  EXPECT_EQ(BondDegree(*store, 3), 0u);
  store->bondCount = 1;  // stale records past the count are not bonds
  EXPECT_EQ(FindBond(*store, 2, 1), -1);
}

}  // namespace
}  // namespace tf
