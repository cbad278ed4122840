// The real shaping worker shapes and draws while the window thread edits the
// molecule, moves the view, opens and saves files, and stops and restarts
// shaping, for about two seconds. Run under ThreadSanitizer to catch
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
#include "support/GraphicsStore.h"
#include "support/StoreInvariants.h"
#include "support/TempDir.h"
#include "view/CameraOperations.h"
#include "view/GraphicsDevice.h"

namespace tf {
namespace {

TEST(ConcurrentShapingWorker, WindowThreadEditsWhileTheWorkerShapesAndDraws) {
  std::atomic<int> frames{0};  // outlives the store, whose end joins the worker
  test::TempDir dir;
  const std::u16string path = (dir / "stress.pdb").u16string();
  test::GraphicsStore graphicsStore = test::StartGraphics(700, 600, 24);
  MoleculeStore& store = *graphicsStore;
  store.graphics.device->SetPresentCallback([&] { ++frames; });

  std::mt19937 random(2718);
  const auto pick = [&](int32_t limit) {
    return std::uniform_int_distribution<int32_t>(0, limit - 1)(random);
  };
  const int32_t kinds[3] = {4, 3, 6};  // carbon, hydrogen, oxygen in config.ini
  const std::u16string_view types[3] = {u"C3", u"C2", u"O3"};
  int broken = 0, reopenedDifferently = 0, saved = 0;
  uint32_t mostBonds = 0;

  StartShaping(store);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  for (int round = 0; std::chrono::steady_clock::now() < end; ++round) {
    const int32_t count = static_cast<int32_t>(store.atomCount);
    const int32_t px = 250 + pick(200), py = 200 + pick(200);
    switch (pick(12)) {
      case 0:
        if (count < 30) AddAtom(store, pick(10) * 0.8f, pick(10) * 0.8f, 0, kinds[pick(3)]);
        break;
      case 1:
        if (count < 30) AddAtomAtScreenPoint(store, px, py, kinds[pick(3)]);
        break;
      case 2:
        if (count > 0) DeleteAtom(store, static_cast<uint32_t>(pick(count)));
        break;
      case 3:
        SelectAtomAt(store, px, py);
        MoveSelectedAtoms(store, pick(9) - 4, pick(9) - 4);
        break;
      case 4:
        RotateModel(store, pick(7) - 3, pick(7) - 3);
        break;
      case 5:
        if (count > 0) SetAtomType(store, static_cast<uint32_t>(pick(count)), types[pick(3)]);
        break;
      case 6:
        if (count > 1) AddBond(store, pick(count), pick(count));
        break;
      case 7:
        if (count > 1) DeleteBond(store, pick(count), pick(count));
        ToggleBond(store);
        break;
      case 8: {
        SaveMoleculeFile(store, path);
        const uint32_t atoms = store.atomCount, bonds = store.bondCount;
        OpenMoleculeFile(store, path);
        // The worker moves atoms but never adds or removes any.
        if (store.atomCount != atoms || store.bondCount != bonds) ++reopenedDifferently;
        ++saved;
        break;
      }
      case 9:
        if (pick(3) == 0) {
          DeleteSelectedAtoms(store);
        } else {
          std::lock_guard model(store.modelLock);
          ClearSelection(store);
        }
        break;
      case 10:
        Zoom(store, pick(3) - 1);
        Pan(store, pick(3) - 1, pick(3) - 1);
        break;
      default:
        if (pick(4) == 0) {
          StopShaping(store);
          StartShaping(store);
        }
        break;
    }
    mostBonds = std::max(mostBonds, store.bondCount);
    if (round % 16 == 0) {
      std::lock_guard model(store.modelLock);
      broken += test::BrokenInvariants(store);
    }
  }
  ShutdownShaping(store);

  EXPECT_EQ(broken, 0);
  EXPECT_EQ(test::BrokenInvariants(store), 0);
  EXPECT_EQ(reopenedDifferently, 0);
  EXPECT_GT(saved, 0);
  EXPECT_GT(mostBonds, 0u);
  EXPECT_GT(frames.load(), 5);  // the worker drew while the edits ran
}

}  // namespace
}  // namespace tf
