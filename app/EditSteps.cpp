#include "app/EditSteps.h"

#include <mutex>

#include "app/Application.h"
#include "app/DocumentTitle.h"
#include "app/WindowMessages.h"
#include "shaping/ShapingWorker.h"

namespace tf {
namespace {

bool GestureInProgress(const Application& app) {
  return app.view.draggingAtoms != 0 || app.shaping.shapingActive.load() != 0;
}

void ClosePendingStep(Application& app) {
  EditSteps& edits = app.edits;
  if (!edits.pending) return;
  DocumentState before = std::move(*edits.pending);
  edits.pending.reset();
  edits.history.Record(app.document, app.view.camera.rotation, std::move(before));
  UpdateUndoItems(app);
}

// Leaves no worker that could still write into the restored document, and
// no gesture that would go on moving it.
void SettleForUndo(Application& app) {
  StopShaping(app.shaping);
  ShutdownShaping(app.shaping);
  app.view.draggingAtoms = 0;
  ClosePendingStep(app);
}

template <typename Take>
void TakeStep(Application& app, Take take) {
  SettleForUndo(app);
  if (take(app.edits.history)) RefreshAndRedraw(app);
  UpdateUndoItems(app);
}

}  // namespace

void BeginEdit(Application& app) {
  EditSteps& edits = app.edits;
  if (edits.depth++ > 0) return;
  // A minimisation works on its own copy of the positions: an edit stops it
  // first, and its run stays a step of its own.
  if (app.shaping.runKind == RunKind::kMinimizing) {
    StopShaping(app.shaping);
    ShutdownShaping(app.shaping);
  }
  // A run that ended on its own, or a release that never came, left its step open.
  if (edits.pending && !GestureInProgress(app)) ClosePendingStep(app);
  if (edits.pending) return;
  std::lock_guard model(app.document.modelLock);
  edits.pending = CaptureDocument(app.document, app.view.camera.rotation);
}

void EndEdit(Application& app) {
  EditSteps& edits = app.edits;
  if (edits.depth > 0 && --edits.depth > 0) return;
  if (!GestureInProgress(app)) ClosePendingStep(app);
  if (edits.markSavedAtEnd) {
    edits.markSavedAtEnd = false;
    edits.savedState = edits.history.CurrentState();
  }
  UpdateWindowTitle(app);
}

void CloseFinishedStep(Application& app) {
  if (app.edits.depth == 0 && !GestureInProgress(app)) ClosePendingStep(app);
}

void UndoEdit(Application& app) {
  TakeStep(app, [&app](EditHistory& history) {
    return history.Undo(app.document, app.view.camera.rotation);
  });
}

void RedoEdit(Application& app) {
  TakeStep(app, [&app](EditHistory& history) {
    return history.Redo(app.document, app.view.camera.rotation);
  });
}

void UpdateUndoItems(Application& app) {
  app.desktop.EnableMenuItem(kCmdUndo, app.edits.history.CanUndo());
  app.desktop.EnableMenuItem(kCmdRedo, app.edits.history.CanRedo());
  UpdateWindowTitle(app);
}

void MarkDocumentSaved(Application& app) {
  EditSteps& edits = app.edits;
  if (edits.depth > 0) {
    edits.markSavedAtEnd = true;
    return;
  }
  edits.savedState = edits.history.CurrentState();
  UpdateWindowTitle(app);
}

bool DocumentChanged(Application& app) {
  const EditSteps& edits = app.edits;
  if (edits.history.CurrentState() != edits.savedState) return true;
  if (!edits.pending) return false;
  std::lock_guard model(app.document.modelLock);
  return !SameDocument(*edits.pending, CaptureDocument(app.document, app.view.camera.rotation));
}

}  // namespace tf
