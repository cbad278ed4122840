#pragma once
// Reading molecule files of other formats (SDF/MOL, MOL2, XYZ, mmCIF, CML)
// through Open Babel into the document.

#include <cstdint>
#include <string>
#include <string_view>

#include "base/ReadReport.h"
#include "io/MoleculeFormat.h"

namespace tf {

struct Document;
struct ForceFieldTables;

// Reads molecule `record` (0 for the first) of the file `bytes` in `format`
// into an emptied document (NewMolecule): the atoms in the file's order,
// named by element and a running number per element ("C1", "CL1"), their
// residue name and number (else "LIG" 1), coordinates, the file's partial
// charges where the format has them (MOL2, else 0) and its bonds. AtomTypes
// are perceived with the file's bond orders; a file without bonds gets them
// perceived as Perceive Bonds does, and the types from the geometry. What
// does not fit the document is counted in report.atomsLeftOut and
// bondsLeftOut; report.moleculesInFile counts the file's molecules. A file
// with no such record, or whose record cannot be read or has no atoms, fails
// (report.read false, report.failure names `file` and the reason).
ReadReport ReadForeignMolecule(Document& document, const ForceFieldTables& tables,
                               const std::string& bytes, MoleculeFormat format,
                               std::string_view file, uint32_t record);

}  // namespace tf
