#pragma once
// The molecule files: a PDB file and its two companions beside it, the
// topology file (bond list) and the atoms file (AtomType and charge per atom).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/MoleculeStore.h"

namespace tf {

// Sets store.filePath (cut to the buffer).
void SetFilePath(MoleculeStore& store, std::u16string_view path);

// Reads the PDB file at store.filePath, types its atoms from their names, then
// reads the topology and atoms files. Expects an emptied store (NewMolecule).
// Problems are reported through store.shell only. False when the PDB file
// cannot be read ("Bad file."); the store then holds no atoms.
bool ReadMolecule(MoleculeStore& store);

// The same from file contents already in memory; a missing optional stands
// for a file that cannot be opened. With no companions the bond list is kept.
// False when there is no PDB file.
bool ReadMoleculeBytes(MoleculeStore& store, const std::optional<std::string>& pdb,
                       const std::optional<std::string>& topology,
                       const std::optional<std::string>& atoms, bool withCompanions);

// Saves the PDB file at store.filePath and both companion files, all or
// nothing: when any of them cannot be written, shows "Bad file." once, leaves
// the old files as they were and returns false.
bool WriteMolecule(MoleculeStore& store);

// Sets the atom's atomType from the beginning of its name.
void AssignTypeFromName(MoleculeStore& store, uint32_t atomIndex);

enum class CompanionKind { Topology, Atoms };

// Companion path of a PDB path: cut at the first ".pdb" and append the
// companion extension. Empty when the path has no ".pdb" or the result would
// not fit a path buffer.
std::u16string CompanionPath(std::u16string_view pdbPath, CompanionKind kind);

}  // namespace tf
