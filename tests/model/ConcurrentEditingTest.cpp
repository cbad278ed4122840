// Edits on the window thread (undo and redo and perceived bonds among them)
// while another thread plays the shaping worker:
// it rewrites coordinates under modelLock and, like a frame, reads the
// camera and gesture state under renderLock with a brief modelLock inside.
// Run under ThreadSanitizer to catch unlocked access as well.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <random>
#include <thread>

#include "io/PerceiveBonds.h"
#include "model/AreaSelection.h"
#include "model/AtomEditing.h"
#include "model/AtomTypeEditing.h"
#include "model/BondEditing.h"
#include "model/EditHistory.h"
#include "model/MoleculeStore.h"
#include "model/Picking.h"
#include "support/StoreInvariants.h"
#include "support/TestStore.h"
#include "view/CameraOperations.h"

namespace tf {
namespace {

using test::BrokenInvariants;

TEST(ConcurrentEditing, WorkerNeverSeesAHalfChangedStore) {
  auto store = test::MakeTestStore();
  std::atomic<bool> stop{false};
  std::atomic<int> broken{0};
  std::atomic<int> steps{0};

  std::thread worker([&] {
    while (!stop.load()) {
      {
        std::lock_guard model(store->modelLock);
        for (uint32_t i = 0; i < store->atomCount; ++i) store->atoms[i].z += 0.001f;
        broken += BrokenInvariants(*store);
      }
      {
        std::lock_guard render(store->renderLock);
        volatile float seen = store->camera.zoom + store->camera.rotation.m[0][0] +
                              static_cast<float>(store->outlineCount);
        (void)seen;
        std::lock_guard model(store->modelLock);
        broken += BrokenInvariants(*store);
      }
      ++steps;
      std::this_thread::yield();
    }
  });

  while (steps.load() == 0) std::this_thread::yield();  // the worker is running

  EditHistory history;
  uint32_t mostBonds = 0;
  std::mt19937 random(12345);
  auto pick = [&](int32_t limit) {
    return std::uniform_int_distribution<int32_t>(0, limit - 1)(random);
  };
  for (int round = 0; round < 1500; ++round) {
    const int32_t px = 300 + pick(200), py = 200 + pick(200);
    switch (pick(13)) {
      case 0:
      case 1:
        AddAtomAtScreenPoint(*store, px, py, pick(3));
        break;
      case 2:
        SelectAtomAt(*store, px, py);
        break;
      case 3:
        ToggleBond(*store);
        break;
      case 4:
        DeleteAtom(*store, static_cast<uint32_t>(pick(20)));
        break;
      case 5:
        MoveSelectedAtoms(*store, pick(9) - 4, pick(9) - 4);
        break;
      case 6:
        SetAtomType(*store, static_cast<uint32_t>(pick(20)), pick(2) ? u"C2" : u"C3");
        break;
      case 7:
        store->selectionTool = kRectangularTool;
        store->rectStart = PointF{static_cast<float>(px - 60), static_cast<float>(py - 60)};
        AddOutlinePoint(*store, px, py);
        ApplyAreaSelection(*store);
        store->selectionTool = kSelectTool;
        break;
      case 8:
        if (pick(4) == 0) {
          DeleteSelectedAtoms(*store);
        } else {
          std::lock_guard model(store->modelLock);
          ClearSelection(*store);
        }
        break;
      case 9: {
        DocumentState before;
        {
          std::lock_guard model(store->modelLock);
          before = CaptureDocument(*store);
        }
        AddAtomAtScreenPoint(*store, px, py, pick(3));
        history.Record(*store, std::move(before));
        break;
      }
      case 10:
        pick(2) ? history.Undo(*store) : history.Redo(*store);
        break;
      case 11:
        AddPerceivedBonds(*store, {});
        break;
      default:
        RotateModel(*store, pick(7) - 3, pick(7) - 3);
        Zoom(*store, pick(3) - 1);
        Pan(*store, pick(3) - 1, pick(3) - 1);
        break;
    }
    mostBonds = std::max(mostBonds, store->bondCount);
    if (round % 8 == 0) {  // let the worker step between edits
      const int seen = steps.load();
      while (steps.load() == seen) std::this_thread::yield();
    }
  }
  stop = true;
  worker.join();

  EXPECT_EQ(broken.load(), 0);
  EXPECT_GT(mostBonds, 0u);  // the edits did reach the bond list
  EXPECT_EQ(BrokenInvariants(*store), 0);
}

}  // namespace
}  // namespace tf
