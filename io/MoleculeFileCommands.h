#pragma once
// Open and Save as the window thread runs them while a shaping worker may
// step and draw. The molecule is replaced or written under modelLock; the
// files are read beside the document, outside the lock. Never call these
// while holding modelLock.

#include <string_view>

#include "base/ReadReport.h"

namespace tf {

struct Document;
struct ForceFieldTables;

// Reads the molecule at `path` into a fresh document and, when the PDB file
// could be read (report.read), replaces the document's molecule with it
// (NewMolecule, then filePath = path). Otherwise the document is left exactly
// as it was.
ReadReport OpenMoleculeFile(Document& document, const ForceFieldTables& tables,
                            std::u16string_view path);

// filePath = path, WriteMolecule; whether all three files were written. A
// failed save keeps the file path it had.
bool SaveMoleculeFile(Document& document, std::u16string_view path);

}  // namespace tf
