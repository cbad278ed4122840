#pragma once
// Undo and redo: the document states before each change, newest last.
// Coordinates are kept in the unrotated frame (undone through
// MoleculeStore::turns), so turning the model between steps is never undone:
// a restored state takes the orientation the molecule has now.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Atom.h"
#include "view/Math.h"

namespace tf {

struct MoleculeStore;

// One document state: atoms (selection included), bonds, file path and origin.
struct DocumentState {
  std::vector<Atom> atoms;
  std::vector<Bond> bonds;
  std::u16string filePath;
  Vector3 fileOrigin{0, 0, 0};

  std::size_t Bytes() const;
};

// The caller holds modelLock.
DocumentState CaptureDocument(const MoleculeStore& store);
// The caller holds renderLock, then modelLock.
void RestoreDocument(MoleculeStore& store, const DocumentState& state);
// Equal apart from the selection; coordinates compare exactly.
bool SameDocument(const DocumentState& a, const DocumentState& b);

class EditHistory {
 public:
  static constexpr std::size_t kByteLimit = std::size_t{64} << 20;  // all steps together

  // Records `before` as a step, unless it equals the document now (selection
  // aside). Clears the redo steps; drops the oldest steps past kByteLimit.
  // Takes modelLock.
  void Record(MoleculeStore& store, DocumentState before);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Swap the document with the newest undo (redo) step. False when there is
  // none. Take renderLock, then modelLock: never call them holding either.
  bool Undo(MoleculeStore& store);
  bool Redo(MoleculeStore& store);
  void Clear();

  std::size_t UndoSteps() const { return undo_.size(); }
  std::size_t RedoSteps() const { return redo_.size(); }
  std::size_t Bytes() const { return bytes_; }

 private:
  void Push(std::vector<DocumentState>& steps, DocumentState state);
  bool Swap(MoleculeStore& store, std::vector<DocumentState>& from, std::vector<DocumentState>& to);
  void DropOldest();

  std::vector<DocumentState> undo_;
  std::vector<DocumentState> redo_;
  std::size_t bytes_ = 0;
};

}  // namespace tf
