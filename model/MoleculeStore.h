#pragma once
// The one document: atoms, bonds, selection, and the state every subsystem
// shares (force-field tables, camera, shaping, gestures, locks). Fixed
// capacities; records past the counts are stale and never read.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "forcefield/ForceFieldTables.h"
#include "model/Atom.h"
#include "model/ShellCallbacks.h"
#include "view/Camera.h"
#include "view/GraphicsObjects.h"

namespace tf {

inline constexpr uint32_t kMaxAtoms = 7000;
inline constexpr uint32_t kMaxBonds = 1000;
inline constexpr uint32_t kMaxOutlinePoints = 1000;
inline constexpr int kPathCapacity = 256;

enum ModelStyle : int32_t { kWireframe = 0, kSpacefill = 1, kSticks = 2, kBallStick = 3 };
enum SelectionTool : int32_t { kSelectTool = 0, kRectangularTool = 1, kFreeformTool = 2 };

// Shaping-term bits: which energy terms steer shaping.
enum ShapingTerm : uint32_t {
  kTermDistances = 0x01,
  kTermAngles = 0x02,
  kTermOutOfPlane = 0x04,
  kTermTorsions = 0x08,
  kTermVanDerWaals = 0x10,
  kTermCoulomb = 0x20,
  kAllTerms = 0x3F,
};

struct PointF {
  float x, y;
};

struct MoleculeStore {
  // Molecule.
  Atom atoms[kMaxAtoms];
  uint32_t atomCount = 0;
  int32_t selectedCount = 0;
  Bond bonds[kMaxBonds];
  uint32_t bondCount = 0;

  ForceFieldTables tables;
  Camera camera;
  // Every model rotation since start-up (RotateModel, under modelLock); New
  // and Open keep it, so the edit history can keep its steps unrotated.
  Matrix turns{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};

  // Shaping state; the worker runs while shapingActive is 1.
  std::atomic<int32_t> shapingActive{0};  // written by the window thread, polled by the worker
  uint32_t shapingTerms = 0;
  uint32_t requestedShapingTerms = kAllTerms;
  float energy = 0;
  float energyChange = 0;
  float stepScale = 0;
  int32_t shapingIterations = 0;
  uint32_t shapingSeed = 1;     // seeds the next run's trial moves; from the clock at start-up
  std::thread shapingWorker;    // the current or last worker; joined before the next starts
  std::mutex shapingPauseLock;  // pairs with shapingWake
  std::condition_variable shapingWake;  // ends the worker's pause early when shaping stops

  // Display choices and gesture state (client pixels).
  int32_t modelStyle = kBallStick;
  int32_t selectionTool = kSelectTool;
  int32_t draggingAtoms = 0;
  int32_t areaSelecting = 0;
  PointF rectStart;
  PointF rectEnd;
  PointF outline[kMaxOutlinePoints];
  uint32_t outlineCount = 0;

  char16_t filePath[kPathCapacity];  // current .pdb path
  // The point of the file's frame that sits at the view's origin: a file
  // point is the stored point plus fileOrigin (Angstrom).
  Vector3 fileOrigin = {0, 0, 0};
  const char* configPath = "config.ini";  // parameter file InitGraphics loads

  // modelLock guards the molecule; renderLock the device and the camera
  // fields a frame reads. renderLock may be held while taking modelLock,
  // never the reverse.
  std::mutex modelLock;
  std::recursive_mutex renderLock;

  ShellCallbacks shell;
  GraphicsObjects graphics;
};

// Empties the document and resets the accumulated model rotation and the
// file origin; the view position, zoom, tables and display choices stay.
// While a worker may run the caller holds renderLock, then modelLock
// (OpenMoleculeFile does).
void NewMolecule(MoleculeStore& store);

// Selection flags and selectedCount. A frame copies both, so while a worker
// may run the caller holds modelLock (SelectAtomAt and ApplyAreaSelection do).
void SelectAtom(MoleculeStore& store, uint32_t index);
void DeselectAtom(MoleculeStore& store, uint32_t index);
void ClearSelection(MoleculeStore& store);

// Bonds in use naming the atom at either end (a bond listed twice counts twice).
uint32_t BondDegree(const MoleculeStore& store, uint32_t index);

// Position of the first bond stored exactly as (a, b), or -1.
int32_t FindBond(const MoleculeStore& store, int32_t a, int32_t b);

}  // namespace tf
