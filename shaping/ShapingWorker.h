#pragma once
// The shaping worker: a background thread that, while shapingActive is set,
// makes one shaping step under modelLock, draws a frame and pauses 50 ms, so
// the user watches the molecule relax. Starting, stopping and shutting down
// run on the window thread. Never call them while holding modelLock or
// renderLock: a start or a shutdown waits for a finishing worker, which takes
// both.

namespace tf {

struct MoleculeStore;

// Nothing while shaping is on. Otherwise shapingTerms = requestedShapingTerms,
// shapingActive = 1 and a new worker starts, after the worker of the last
// run, if it is still finishing, has ended: only one worker ever loops.
// Shaping stays off when no thread can be started. No redraw.
void StartShaping(MoleculeStore& store);

// When shaping is on: clears shapingActive and redraws (the frame loses the
// energy block). Does not wait; the worker ends after its current iteration.
void StopShaping(MoleculeStore& store);

// Stops shaping and waits for the worker to end. The program calls it before
// ReleaseGraphics; safe when no worker ever ran.
void ShutdownShaping(MoleculeStore& store);

}  // namespace tf
