#pragma once
// Open and Save as the window thread runs them while a shaping worker may
// step and draw. The molecule is replaced or written under modelLock (Open
// takes renderLock first: emptying the document also resets the model
// rotation a frame reads). Messages the read or the write shows are held
// until the locks are released, so a message box never keeps the worker or a
// frame waiting. Never call these while holding either lock.

#include <string_view>

namespace tf {

struct MoleculeStore;

// Reads the molecule at `path` into a fresh document and, when the PDB file
// could be read, replaces the store's molecule with it (NewMolecule, then
// filePath = path). When it cannot be read, "Bad file." is shown and the
// store is left exactly as it was. Whether the molecule was replaced.
bool OpenMoleculeFile(MoleculeStore& store, std::u16string_view path);

// filePath = path, WriteMolecule; whether all three files were written. A
// failed save keeps the file path it had.
bool SaveMoleculeFile(MoleculeStore& store, std::u16string_view path);

}  // namespace tf
