#pragma once
// Reading and writing of the two companion files. Missing files (no bytes)
// are passed over silently; the caller derives the paths with CompanionPath.

#include <optional>
#include <string>
#include <string_view>

#include "base/ReadReport.h"
#include "io/MoleculeFiles.h"

namespace tf {

// Replaces the bond list with the file's valid pairs (as written, unchecked
// for duplicates); no file leaves the molecule without bonds. Pairs naming
// no atom, or past the bond capacity, are skipped with a warning in
// `report`; a value that cannot be read ends the list there (report.stopped,
// unless an earlier file stopped already). `file` names the file in `report`.
void ReadTopology(Document& document, const std::optional<std::string>& bytes,
                  std::string_view file, ReadReport& report);

// Overwrites AtomTypes and charges in atom order until the file ends or a
// value cannot be read (reported as for ReadTopology). A type the loaded
// tables do not have is skipped with a warning; the atom keeps its type.
void ReadAtoms(Document& document, const ForceFieldTables& tables,
               const std::optional<std::string>& bytes, std::string_view file, ReadReport& report);

// The topology file's text: one "atom1 TAB atom2" line per bond.
std::string TopologyText(const Document& document);

// The atoms file's text: one "atomType TAB charge" line per atom, charges
// with four decimals.
std::string AtomsText(const Document& document);

// Replaces the atoms file alone (the PDB file and topology stay).
bool WriteAtomsFile(const Document& document, std::u16string_view path);

}  // namespace tf
