#pragma once
// Add Hydrogens: every heavy atom gets the hydrogens its perceived valence
// lacks, bonded to it in the ideal directions of its hybridization.

#include <cstdint>
#include <string>

namespace tf {

struct Document;
struct ForceFieldTables;

struct AddedHydrogens {
  uint32_t added = 0;
  uint32_t notAdded = 0;  // lacking, but the atom or bond capacity was reached
};

// Appends the hydrogens after the existing atoms, typed H, named "H1", "H2",
// ... after the highest number an existing "H<number>" name has, in the
// residue of their atom, at the H distance of the parameter file for the
// atom's type. Valences come from bond orders perceived from the geometry.
// Takes modelLock to copy the molecule and again to add the atoms; never
// call while holding it.
AddedHydrogens AddHydrogens(Document& document, const ForceFieldTables& tables);

// The report the program and tessaform-cli show, UTF-8: "12 hydrogens were
// added.", and a second line when some did not fit the document.
std::string DescribeAddedHydrogens(const AddedHydrogens& hydrogens);

}  // namespace tf
