#pragma once
// The document: the molecule's atoms and bonds, the selection, and the file
// it came from. This is what is saved, undone and shaped. Fixed capacities;
// records past the counts are stale and never read.

#include <cstdint>
#include <memory>
#include <mutex>

#include "base/Math.h"
#include "model/Atom.h"

namespace tf {

inline constexpr uint32_t kMaxAtoms = 7000;
inline constexpr uint32_t kMaxBonds = 1000;
inline constexpr int kPathCapacity = 256;
inline constexpr uint32_t kSelectionOrderCapacity = 4;

struct Document {
  Atom atoms[kMaxAtoms];
  uint32_t atomCount = 0;
  int32_t selectedCount = 0;
  Bond bonds[kMaxBonds];
  uint32_t bondCount = 0;

  char16_t filePath[kPathCapacity] = {};  // current .pdb path
  // The point of the file's frame that sits at the view's origin: a file
  // point is the stored point plus fileOrigin (Angstrom).
  Vector3 fileOrigin = {0, 0, 0};
  // The last atoms selected one at a time (SelectAtom), oldest first; every
  // index here is selected. Deleting an atom renumbers it; New, Open and an
  // undo or redo empty it. Neither saved nor part of an undo step.
  uint32_t selectionOrder[kSelectionOrderCapacity] = {};
  uint32_t selectionOrderCount = 0;

  // Guards everything above against the shaping worker and the frames that
  // copy the molecule. The view's renderLock may be held while taking it,
  // never the reverse.
  std::mutex modelLock;
};

// Empties the document and resets the file origin. While a worker may run
// the caller holds modelLock (OpenMoleculeFile does).
void NewMolecule(Document& document);

// A private copy of the molecule (atoms, bonds, selection, file path and
// origin) for work done away from the window thread. Takes modelLock.
std::unique_ptr<Document> CopyOfMolecule(Document& document);

// Selection flags, selectedCount and the selection order. A frame copies
// them, so while a worker may run the caller holds modelLock (SelectAtomAt
// and the area selections do). SelectAtom puts a newly selected atom last in
// the order; SelectAtomUnordered, for area selections, leaves the order alone.
void SelectAtom(Document& document, uint32_t index);
void SelectAtomUnordered(Document& document, uint32_t index);
void DeselectAtom(Document& document, uint32_t index);
void ClearSelection(Document& document);

// The atom at `from` now sits at `to` (the atom there was removed first):
// the selection order follows it.
void RenumberInSelectionOrder(Document& document, uint32_t from, uint32_t to);

// Bonds in use naming the atom at either end (a bond listed twice counts twice).
uint32_t BondDegree(const Document& document, uint32_t index);

// Position of the first bond stored exactly as (a, b), or -1.
int32_t FindBond(const Document& document, int32_t a, int32_t b);

}  // namespace tf
