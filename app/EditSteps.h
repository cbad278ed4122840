#pragma once
// Every change of the document is one step of the undo history. A handler
// that may change the document runs inside an EditScope: the state before is
// taken when the outermost scope opens and recorded when it closes, if the
// document changed (the selection alone is not a change). While a drag of
// atoms or a shaping run is in progress the step stays open, so one gesture
// and one whole run are one step each.

#include <optional>

#include "model/EditHistory.h"

namespace tf {

struct Application;

struct EditSteps {
  EditHistory history;
  std::optional<DocumentState> pending;  // the state before the open step
  int32_t depth = 0;                     // nested scopes
  uint64_t savedState = 0;               // history state last opened or saved
  bool markSavedAtEnd = false;           // MarkDocumentSaved inside a scope
};

void BeginEdit(Application& app);
void EndEdit(Application& app);

class EditScope {
 public:
  explicit EditScope(Application& app) : app_(app) { BeginEdit(app_); }
  ~EditScope() { EndEdit(app_); }
  EditScope(const EditScope&) = delete;
  EditScope& operator=(const EditScope&) = delete;

 private:
  Application& app_;
};

// Records the open step of a run that has ended by itself, so Undo offers
// it at once.
void CloseFinishedStep(Application& app);

// Edit > Undo and Redo. Shaping stops first and its worker is waited for;
// an open step is closed. Then the panels refresh and the view redraws.
void UndoEdit(Application& app);
void RedoEdit(Application& app);

// Enables Undo and Redo exactly when there is a step to take, and shows in
// the window title whether the document changed.
void UpdateUndoItems(Application& app);

// The document now is the one last opened or saved. Inside an EditScope it
// takes effect when the outermost scope ends, after its step is recorded.
void MarkDocumentSaved(Application& app);

// Whether the document differs from the one last opened or saved: it is in
// another state of the history (a step was made or undone since), or an open
// step (a drag, a shaping run) has changed it. Takes modelLock.
bool DocumentChanged(Application& app);

}  // namespace tf
