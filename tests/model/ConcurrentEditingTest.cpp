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
#include "model/Document.h"
#include "model/EditHistory.h"
#include "model/Picking.h"
#include "support/TestRecords.h"
#include "view/AreaGesture.h"
#include "view/CameraOperations.h"

namespace tf {
namespace {

// An atom of ChemicalType k at the world point under client pixel (px, py), z = 0.
void AddAtomAt(test::Records& records, int32_t px, int32_t py, int32_t k) {
  const Vector2 at = ScreenToWorld(records.view.camera, px, py);
  AddAtom(records.document, records.tables, at.x, at.y, 0.0f, k);
}

using test::BrokenInvariants;

TEST(ConcurrentEditing, WorkerNeverSeesAHalfChangedDocument) {
  auto records = test::MakeTestRecords();
  std::atomic<bool> stop{false};
  std::atomic<int> broken{0};
  std::atomic<int> steps{0};

  std::thread worker([&] {
    while (!stop.load()) {
      {
        std::lock_guard model(records->document.modelLock);
        for (uint32_t i = 0; i < records->document.atomCount; ++i)
          records->document.atoms[i].z += 0.001f;
        broken += BrokenInvariants(records->document);
      }
      {
        std::lock_guard render(records->resources.renderLock);
        volatile float seen = records->view.camera.zoom + records->view.camera.rotation.m[0][0] +
                              static_cast<float>(records->view.outlineCount);
        (void)seen;
        std::lock_guard model(records->document.modelLock);
        broken += BrokenInvariants(records->document);
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
        AddAtomAt(*records, px, py, pick(3));
        break;
      case 2:
        SelectAtomAt(records->document, records->tables, records->view.modelStyle,
                     ScreenToWorld(records->view.camera, px, py));
        break;
      case 3:
        ToggleBond(records->document, records->tables);
        break;
      case 4:
        DeleteAtom(records->document, static_cast<uint32_t>(pick(20)));
        break;
      case 5:
        MoveSelectedAtoms(records->document,
                          ScreenDeltaToWorld(records->view.camera, pick(9) - 4, pick(9) - 4));
        break;
      case 6:
        SetAtomType(records->document, records->tables, static_cast<uint32_t>(pick(20)),
                    pick(2) ? u"C2" : u"C3");
        break;
      case 7:
        records->view.selectionTool = kRectangularTool;
        records->view.rectStart = PointF{static_cast<float>(px - 60), static_cast<float>(py - 60)};
        AddOutlinePoint(records->view, records->resources, records->document, px, py);
        ApplyAreaSelection(records->view, records->resources, records->document);
        records->view.selectionTool = kSelectTool;
        break;
      case 8:
        if (pick(4) == 0) {
          DeleteSelectedAtoms(records->document);
        } else {
          std::lock_guard model(records->document.modelLock);
          ClearSelection(records->document);
        }
        break;
      case 9: {
        DocumentState before;
        {
          std::lock_guard model(records->document.modelLock);
          before = CaptureDocument(records->document, records->view.camera.rotation);
        }
        AddAtomAt(*records, px, py, pick(3));
        history.Record(records->document, records->view.camera.rotation, std::move(before));
        break;
      }
      case 10:
        pick(2) ? history.Undo(records->document, records->view.camera.rotation)
                : history.Redo(records->document, records->view.camera.rotation);
        break;
      case 11:
        AddPerceivedBonds(records->document, records->tables, {});
        break;
      default:
        RotateModel(records->view, records->resources, records->document, pick(7) - 3, pick(7) - 3);
        Zoom(records->view, records->resources, pick(3) - 1);
        Pan(records->view, records->resources, pick(3) - 1, pick(3) - 1);
        break;
    }
    mostBonds = std::max(mostBonds, records->document.bondCount);
    if (round % 8 == 0) {  // let the worker step between edits
      const int seen = steps.load();
      while (steps.load() == seen) std::this_thread::yield();
    }
  }
  stop = true;
  worker.join();

  EXPECT_EQ(broken.load(), 0);
  EXPECT_GT(mostBonds, 0u);  // the edits did reach the bond list
  EXPECT_EQ(BrokenInvariants(records->document), 0);
}

}  // namespace
}  // namespace tf
