#pragma once
// Reading and writing of the two companion files. Missing files (no bytes)
// are passed over silently; the caller derives the paths with CompanionPath.

#include <optional>
#include <string>
#include <string_view>

#include "io/MoleculeFiles.h"

namespace tf {

// Replaces the bond list with the file's valid pairs (as written, unchecked
// for duplicates); no file leaves the molecule without bonds.
void ReadTopology(MoleculeStore& store, const std::optional<std::string>& bytes);

// Overwrites AtomTypes and charges in atom order until a value cannot be read.
void ReadAtoms(MoleculeStore& store, const std::optional<std::string>& bytes);

// The topology file's text: one "atom1 TAB atom2" line per bond.
std::string TopologyText(const MoleculeStore& store);

// The atoms file's text: one "atomType TAB charge" line per atom, charges
// with four decimals.
std::string AtomsText(const MoleculeStore& store);

// Replaces the atoms file alone (the PDB file and topology stay).
bool WriteAtomsFile(const MoleculeStore& store, std::u16string_view path);

}  // namespace tf
