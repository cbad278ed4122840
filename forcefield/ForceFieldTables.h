#pragma once
// Force-field tables filled once from config.ini and never changed afterwards.
// Lengths in Angstrom, angles in radians, energies in the unit the stiffness
// constants of the file imply (the shipped file uses kcal/mol).

#include <cstdint>

namespace tf {

inline constexpr int kMaxChemicalTypes = 20;
inline constexpr int kMaxAtomTypes = 80;

struct ChemicalType {
  uint32_t colour;     // 0xRRGGBB
  float radius;        // drawing radius, Angstrom
  char16_t name[10];   // at most 9 characters
  char16_t symbol[5];  // element symbol, at most 4 characters
};

struct AtomType {
  int32_t chemicalType;       // index into ForceFieldTables::chemicalTypes
  int32_t hybridization;      // 0..3 for sp0..sp3; caps the bonds at hybridization + 1
  float ljSigma;              // Angstrom; pair value is the mean
  float ljEpsilon;            // energy; pair value is the geometric mean
  char16_t name[10];          // at most 9 characters
  char16_t description[256];  // one word; "Unknown" marks the fallback type
};

struct Stiffness {
  float distances;
  float angles;
  float outOfPlane;
  float torsionsSp2Sp2;
  float torsionsSp3Sp3;
  float lennardJones;
  float coulomb;
};

struct ForceFieldTables {
  uint32_t chemicalTypeCount;
  uint32_t atomTypeCount;
  uint32_t defaultAtomType;  // first sp3 carbon type; stands in for unknown charge classes
  ChemicalType chemicalTypes[kMaxChemicalTypes];
  AtomType atomTypes[kMaxAtomTypes];
  float equilibriumDistance[kMaxAtomTypes][kMaxAtomTypes];  // 0: no bond allowed
  float idealAngle[4];                                      // by hybridization
  Stiffness stiffness;
};

}  // namespace tf
