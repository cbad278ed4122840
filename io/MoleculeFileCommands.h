#pragma once
// Open and Save while a shaping worker may step and draw. The molecule is
// replaced or written under modelLock; the files are read beside the
// document, outside the lock (the window reads on a helper thread with
// ReadMoleculeFile and takes the result with TakeMolecule). Never call these
// while holding modelLock.

#include <cstdint>
#include <string_view>

#include "base/ReadReport.h"

namespace tf {

struct Document;
struct ForceFieldTables;

// The molecule of `from` (atoms, bonds, file path) replaces that of `to`,
// nothing selected. The caller holds to's modelLock.
void TakeMolecule(Document& to, const Document& from);

// Reads the molecule at `path` into the emptied document `fresh` (its
// filePath set to `path`) by the path's extension, as OpenMoleculeFile does.
ReadReport ReadMoleculeFile(Document& fresh, const ForceFieldTables& tables,
                            std::u16string_view path, uint32_t record);

// Reads the molecule at `path` into a fresh document, by the path's
// extension: a PDB file with its companions (any extension the formats do
// not know reads as PDB), or molecule `record` (0 for the first) of a file
// of another format. When the file could be read (report.read) the molecule
// replaces the document's (NewMolecule, then filePath = path); otherwise
// the document is left exactly as it was.
ReadReport OpenMoleculeFile(Document& document, const ForceFieldTables& tables,
                            std::u16string_view path, uint32_t record = 0);

// filePath = path, then the file in the format of its extension: SDF, MOL2
// or XYZ alone, else the PDB file with its two companions (WriteMolecule).
// Whether everything was written, all or nothing; a failed save keeps the
// file path it had. A format that cannot be written (mmCIF, CML) fails.
bool SaveMoleculeFile(Document& document, const ForceFieldTables& tables, std::u16string_view path);

}  // namespace tf
