#pragma once
// New from SMILES: a 3-D molecule with hydrogens built from a SMILES string.

#include <string>
#include <string_view>

#include "base/ReadReport.h"

namespace tf {

struct Document;
struct ForceFieldTables;

// Builds the molecule `smiles` describes, hydrogens included, in 3-D with
// Open Babel's builder, into an emptied document (NewMolecule): atoms named
// as those of other formats are, residue "LIG" 1, types perceived from the
// string's bond orders, charges 0. A string that cannot be parsed fails
// (report.read false; report.failure says why) and leaves the document empty.
ReadReport BuildFromSmiles(Document& document, const ForceFieldTables& tables,
                           std::string_view smiles);

}  // namespace tf
