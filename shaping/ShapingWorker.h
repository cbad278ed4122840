#pragma once
// The shaping worker: a background thread that, while shapingActive is set,
// makes one shaping step under modelLock, calls the run's afterStep (the
// program draws a frame there) and pauses 50 ms, so the user watches the
// molecule relax. Starting, stopping and shutting down run on the window
// thread. Never call them while holding modelLock, or anything afterStep
// takes: a start or a shutdown waits for a finishing worker.

namespace tf {

struct Document;
struct ForceFieldTables;
struct ShapingRun;

// Nothing while shaping is on; a running minimisation is stopped and its
// worker waited for. Then shapingTerms = requestedShapingTerms,
// shapingActive = 1 and a new worker starts on `document`, after the worker
// of the last run, if it is still finishing, has ended: only one worker ever
// loops. Shaping stays off when no thread can be started. No redraw.
void StartShaping(ShapingRun& run, Document& document, const ForceFieldTables& tables);

// Stops a running shaping or minimisation run, waits for its worker, then
// starts a worker that minimises the energy of the terms in
// requestedShapingTerms by gradient steps (only the selected atoms move when
// any are selected). Between frames, at least 20 a second, it takes as many
// iterations as fit; each frame writes the positions under modelLock, sets
// energy, energyChange and rmsGradient and calls afterStep. It ends by itself
// at convergence, when the molecule's atoms or bonds change under it, or
// when stopped. A turn of the whole molecule while it runs is followed.
void StartMinimizing(ShapingRun& run, Document& document, const ForceFieldTables& tables);

// When shaping or a minimisation is on: clears shapingActive and calls afterStep (the frame
// loses the energy block). Does not wait; the worker ends after its current
// iteration.
void StopShaping(ShapingRun& run);

// Stops shaping and waits for the worker to end. The program calls it before
// the graphics are released; safe when no worker ever ran.
void ShutdownShaping(ShapingRun& run);

}  // namespace tf
