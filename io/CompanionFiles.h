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

bool WriteTopologyFile(const MoleculeStore& store, std::u16string_view path);

// Charges with four decimals, or four significant digits in general notation.
bool WriteAtomsFile(const MoleculeStore& store, std::u16string_view path, bool generalNotation);

}  // namespace tf
