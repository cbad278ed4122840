#pragma once
// Writing the document in other formats (SDF, MOL2, XYZ) through Open Babel.

#include <optional>
#include <string>
#include <string_view>

#include "io/MoleculeFormat.h"

namespace tf {

struct Document;
struct ForceFieldTables;

// The document as the text of a file in `format`: the atoms in order with
// the elements of their types, their names, residues, file coordinates and
// charges (where the format keeps charges), the bonds with orders perceived
// from the geometry. Nothing for a format that cannot be written here (PDB,
// mmCIF, CML). `title` names the molecule in the file. Takes modelLock to
// copy the molecule.
std::optional<std::string> ForeignMoleculeText(Document& document, const ForceFieldTables& tables,
                                               MoleculeFormat format, std::string_view title);

}  // namespace tf
