// The real shaping worker shapes or minimises and draws while the window
// thread edits the molecule, moves the view, opens and saves files, and stops
// and restarts shaping and minimisation, for about two seconds. Run under ThreadSanitizer to catch
// unlocked access as well.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <string>

#include "io/MoleculeFileCommands.h"
#include "model/AtomEditing.h"
#include "model/AtomTypeEditing.h"
#include "model/BondEditing.h"
#include "model/Picking.h"
#include "shaping/ShapingWorker.h"
#include "support/TempDir.h"
#include "support/TestRecords.h"
#include "view/AreaGesture.h"
#include "view/CameraOperations.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

// An atom of ChemicalType k at the world point under client pixel (px, py), z = 0.
void AddAtomAt(test::Records& records, int32_t px, int32_t py, int32_t k) {
  const Vector2 at = ScreenToWorld(records.view.camera, px, py);
  AddAtom(records.document, records.tables, at.x, at.y, 0.0f, k);
}

using test::Records;

TEST(ConcurrentShapingWorker, WindowThreadEditsWhileTheWorkerShapesAndDraws) {
  std::atomic<int> frames{0};  // outlives the records, whose end joins the worker
  test::TempDir dir;
  const std::u16string path = (dir / "stress.pdb").u16string();
  test::GraphicsRecords graphics = test::StartGraphics(700, 600, 24);
  Records& records = *graphics;
  records.resources.device->SetPresentCallback([&] { ++frames; });

  std::mt19937 random(2718);
  const auto pick = [&](int32_t limit) {
    return std::uniform_int_distribution<int32_t>(0, limit - 1)(random);
  };
  const int32_t kinds[3] = {4, 3, 6};  // carbon, hydrogen, oxygen in config.ini
  const std::u16string_view types[3] = {u"C3", u"C2", u"O3"};
  int broken = 0, reopenedDifferently = 0, saved = 0;
  uint32_t mostBonds = 0;

  StartShaping(records.shaping, records.document, records.tables);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
    const int32_t count = static_cast<int32_t>(records.document.atomCount);
    const int32_t px = 250 + pick(200), py = 200 + pick(200);
    switch (pick(12)) {
      case 0:
        if (count < 30)
          AddAtom(records.document, records.tables, pick(10) * 0.8f, pick(10) * 0.8f, 0,
                  kinds[pick(3)]);
        break;
      case 1:
        if (count < 30) AddAtomAt(records, px, py, kinds[pick(3)]);
        break;
      case 2:
        if (count > 0) DeleteAtom(records.document, static_cast<uint32_t>(pick(count)));
        break;
      case 3:
        SelectAtomAt(records.document, records.tables, records.view.modelStyle,
                     ScreenToWorld(records.view.camera, px, py));
        MoveSelectedAtoms(records.document,
                          ScreenDeltaToWorld(records.view.camera, pick(9) - 4, pick(9) - 4));
        break;
      case 4:
        RotateModel(records.view, records.resources, records.document, pick(7) - 3, pick(7) - 3);
        break;
      case 5:
        if (count > 0)
          SetAtomType(records.document, records.tables, static_cast<uint32_t>(pick(count)),
                      types[pick(3)]);
        break;
      case 6:
        if (count > 1) AddBond(records.document, records.tables, pick(count), pick(count));
        break;
      case 7:
        if (count > 1) DeleteBond(records.document, pick(count), pick(count));
        ToggleBond(records.document, records.tables);
        break;
      case 8: {
        SaveMoleculeFile(records.document, records.tables, path);
        const uint32_t atoms = records.document.atomCount, bonds = records.document.bondCount;
        OpenMoleculeFile(records.document, records.tables, path);
        // The worker moves atoms but never adds or removes any.
        if (records.document.atomCount != atoms || records.document.bondCount != bonds)
          ++reopenedDifferently;
        ++saved;
        break;
      }
      case 9:
        if (pick(3) == 0) {
          DeleteSelectedAtoms(records.document);
        } else {
          std::lock_guard model(records.document.modelLock);
          ClearSelection(records.document);
        }
        break;
      case 10:
        Zoom(records.view, records.resources, pick(3) - 1);
        Pan(records.view, records.resources, pick(3) - 1, pick(3) - 1);
        break;
      default:
        if (pick(4) == 0) {
          StopShaping(records.shaping);
          if (pick(2) == 0)
            StartShaping(records.shaping, records.document, records.tables);
          else
            StartMinimizing(records.shaping, records.document, records.tables);
        }
        break;
    }
    mostBonds = std::max(mostBonds, records.document.bondCount);
    if (round % 16 == 0) {
      std::lock_guard model(records.document.modelLock);
      broken += test::BrokenInvariants(records.document);
    }
  }
  ShutdownShaping(records.shaping);

  EXPECT_EQ(broken, 0);
  EXPECT_EQ(test::BrokenInvariants(records.document), 0);
  EXPECT_EQ(reopenedDifferently, 0);
  EXPECT_GT(saved, 0);
  EXPECT_GT(mostBonds, 0u);
  EXPECT_GT(frames.load(), 5);  // the worker drew while the edits ran
}

}  // namespace
}  // namespace tf
