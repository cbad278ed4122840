#pragma once
// The ways tests start the application's records: small hand-made tables with an 800 x 600 view,
// the shipped parameter file, or the graphics started as the program starts them.

#include <cstdint>
#include <memory>

#include "app/Application.h"
#include "view/Frame.h"

namespace tf::test {

// The program's own bundle of records; tests make theirs on the heap.
using Records = ApplicationRecords;

// ChemicalTypes of the test tables. kNeon has no AtomType.
enum TestChemical : int32_t { kCarbon = 0, kHydrogen = 1, kOxygen = 2, kNitrogen = 3, kNeon = 4 };

// AtomTypes of the test tables (name, ChemicalType, hybridization):
// "H" H sp0, "C3" C sp3, "C2" C sp2, "O2" O sp2, "N3" N sp3, "C1" C sp1.
// Distances exist for C3-C3, C3-C2, C2-C2, C3-H, C2-H, C2-O2, C3-O2, N3-C3,
// N3-H, C1-C3, C1-H; none for H-H, C2-N3, O2-N3 and the other pairs.
enum TestAtomType : int32_t { kH = 0, kC3 = 1, kC2 = 2, kO2 = 3, kN3 = 4, kC1 = 5 };

void FillTestTables(ForceFieldTables& tables);

// The test tables, an empty document, a viewport of 800 x 600 (toolbar 24)
// at zoom 2 (40 pixels per world unit, eye at the origin); no graphics.
std::unique_ptr<Records> MakeTestRecords();

// share/config.ini loaded (the test fails if it cannot be), empty document.
std::unique_ptr<Records> RecordsWithShippedConfig();

// Stops shaping, then releases the graphics.
struct GraphicsRecordsDeleter {
  void operator()(Records* records) const;
};
using GraphicsRecords = std::unique_ptr<Records, GraphicsRecordsDeleter>;

// RecordsWithShippedConfig, then InitGraphics on a client of width x height
// with a toolbar strip of `toolbarHeight`; the test fails if start-up fails.
// The shaping worker draws a frame after each step, as in the program.
GraphicsRecords StartGraphics(int32_t width = 700, int32_t height = 600, int32_t toolbarHeight = 0);

// Redraws and returns the frame that was presented (null if none was).
std::shared_ptr<const Frame> DrawAndTake(Records& records);

// Writes an atom record straight into the next slot (no rules applied) and
// returns its index.
uint32_t PutAtom(Document& document, float x, float y, float z, int32_t atomType = kC3);

// Appends a bond as stored, in the given order.
void PutBond(Document& document, int32_t atom1, int32_t atom2);

// Broken invariants, 0 when whole: counts past capacity, bonds naming atoms
// not in use, a selection count that disagrees with the flags, a selection
// order naming an atom twice or one that is not selected. The caller
// holds modelLock while a worker may run.
int BrokenInvariants(const Document& document);

}  // namespace tf::test
