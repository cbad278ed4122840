#pragma once
// The molecule files: a PDB file and its two companions beside it, the
// topology file (bond list) and the atoms file (AtomType and charge per atom).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/ReadReport.h"
#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"

namespace tf {

// Sets document.filePath (cut to the buffer).
void SetFilePath(Document& document, std::u16string_view path);

// Reads the PDB file at document.filePath, types its atoms from their names,
// then reads the topology and atoms files. Expects an emptied document
// (NewMolecule). Shows nothing: the report says whether the PDB file could be
// read (report.read; the document then holds no atoms when it could not),
// where reading stopped early and which lines were skipped.
ReadReport ReadMolecule(Document& document, const ForceFieldTables& tables);

// The same from file contents already in memory; a missing optional stands
// for a file that cannot be opened. With no companions the bond list is kept.
ReadReport ReadMoleculeBytes(Document& document, const ForceFieldTables& tables,
                             const std::optional<std::string>& pdb,
                             const std::optional<std::string>& topology,
                             const std::optional<std::string>& atoms, bool withCompanions);

// Saves the PDB file at document.filePath and both companion files, all or
// nothing: when any of them cannot be written, leaves the old files as they
// were and returns false (the caller shows "Bad file.").
bool WriteMolecule(Document& document);

// Sets the atom's atomType from the beginning of its name.
void AssignTypeFromName(Document& document, const ForceFieldTables& tables, uint32_t atomIndex);

enum class CompanionKind { Topology, Atoms };

// Companion path of a PDB path: cut at the first ".pdb" and append the
// companion extension. Empty when the path has no ".pdb" or the result would
// not fit a path buffer.
std::u16string CompanionPath(std::u16string_view pdbPath, CompanionKind kind);

}  // namespace tf
