#pragma once
// One atom and one bond of the molecule, as the document holds them.

#include <cstdint>

namespace tf {

struct Atom {
  char16_t name[6];          // at most 5 characters; decides the type when read
  int32_t serial;            // label from the PDB file; 0 for atoms made in the editor
  char16_t fragmentName[6];  // residue name
  int32_t fragmentNumber;    // residue sequence number
  float x, y, z;             // Angstrom, in the frame of the view (z towards the viewer)
  int32_t atomType;          // index into ForceFieldTables::atomTypes
  float charge;              // partial charge, elementary charges
  int32_t selected;          // 1 if selected
};

// Atom indices; bonds made in the editor store atom1 < atom2, bonds from
// files keep the file's order.
struct Bond {
  int32_t atom1;
  int32_t atom2;
};

}  // namespace tf
