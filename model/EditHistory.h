#pragma once
// Undo and redo: the document states before each change, newest last.
// Coordinates are kept in the unrotated frame: `turns` is every rotation the
// model has been turned by (the view's camera keeps it), so turning the model
// between steps is never undone and a restored state takes the orientation
// the molecule has now.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/Math.h"
#include "model/Atom.h"

namespace tf {

struct Document;

// One document state: atoms (selection included), bonds, file path and origin.
struct DocumentState {
  std::vector<Atom> atoms;
  std::vector<Bond> bonds;
  std::u16string filePath;
  Vector3 fileOrigin{0, 0, 0};

  std::size_t Bytes() const;
};

// The caller holds modelLock.
DocumentState CaptureDocument(const Document& document, const Matrix& turns);
// The caller holds modelLock.
void RestoreDocument(Document& document, const Matrix& turns, const DocumentState& state);
// Equal apart from the selection; coordinates compare exactly.
bool SameDocument(const DocumentState& a, const DocumentState& b);

class EditHistory {
 public:
  static constexpr std::size_t kByteLimit = std::size_t{64} << 20;  // all steps together

  // Records `before` as a step, unless it equals the document now (selection
  // aside). Clears the redo steps; drops the oldest steps past kByteLimit.
  // Takes modelLock.
  void Record(Document& document, const Matrix& turns, DocumentState before);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Swap the document with the newest undo (redo) step. False when there is
  // none. Take modelLock: never call them holding it.
  bool Undo(Document& document, const Matrix& turns);
  bool Redo(Document& document, const Matrix& turns);
  void Clear();

  std::size_t UndoSteps() const { return undo_.size(); }
  std::size_t RedoSteps() const { return redo_.size(); }
  std::size_t Bytes() const { return bytes_; }

  // Names the document's present state: every recorded step gives the
  // document a new name, and undo and redo bring back the name of the state
  // they restore. Two equal names mean the same state of the history.
  uint64_t CurrentState() const { return current_; }

 private:
  struct Step {
    DocumentState state;
    uint64_t name = 0;  // CurrentState() while the document was in this state
  };
  void Push(std::vector<Step>& steps, Step step);
  bool Swap(Document& document, const Matrix& turns, std::vector<Step>& from,
            std::vector<Step>& to);
  void DropOldest();

  std::vector<Step> undo_;
  std::vector<Step> redo_;
  std::size_t bytes_ = 0;
  uint64_t current_ = 0;
  uint64_t nextName_ = 1;
};

}  // namespace tf
