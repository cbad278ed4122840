#pragma once
// The chemical roles that perception gives atoms, and the AtomType of the
// loaded parameter file that plays each role. Types are found through their
// element (the ChemicalType's symbol), their hybridization and, for the two
// sp2 nitrogens, their charge class, never through their names, so a
// parameter file with other type names still works.

#include <cstdint>
#include <string_view>

#include "forcefield/ForceFieldTables.h"

namespace tf {

enum class TypeRole : uint8_t {
  kHydrogen,
  kCarbonSp3,
  kCarbonSp2,           // aromatic, alkene, carbonyl, imine carbon
  kCarbonSp,            // nitrile, alkyne carbon
  kNitrogenAmine,       // sp3 amine
  kNitrogenLonePairPi,  // amide, aniline, pyrrole-like: lone pair in a pi system
  kNitrogenSp2,         // pyridine-like or imine nitrogen
  kNitrogenSp,          // nitrile
  kOxygenSp3,           // hydroxyl, ether, ester single-bonded, furan-like
  kOxygenSp2,           // double-bonded
  kByElement,           // halogens, sulfur, phosphorus, metals, anything else
};

// Positions of the [ATOM_TYPES] table that carry the charge classes of the
// lone-pair-pi and the sp2 nitrogen.
inline constexpr int32_t kLonePairPiNitrogenPosition = 7;
inline constexpr int32_t kSp2NitrogenPosition = 8;

// The AtomType for an atom of `element` (a symbol in any case: "Cl", "CL")
// in `role`. Among the loaded types of that element it takes the role's
// hybridization (and charge-class position), else the nearest hybridization;
// an element without any type gets UnknownAtomType.
int32_t AtomTypeForRole(const ForceFieldTables& tables, std::string_view element, TypeRole role);

// The last loaded type described "Unknown", else 0.
int32_t UnknownAtomType(const ForceFieldTables& tables);

}  // namespace tf
