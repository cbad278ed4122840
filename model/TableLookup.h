#pragma once
// Bounds-checked reads of the force-field tables for the editing and picking
// code. An atom's type index comes from files and hand edits, so every read
// through it stays inside the fixed tables; a slot past the loaded records is
// all zero and reads as such.

#include <cstdint>
#include <string_view>

#include "forcefield/ForceFieldTables.h"

namespace tf {

// The AtomType slot `index`, or null outside the table.
const AtomType* AtomTypeSlot(const ForceFieldTables& tables, int32_t index);

// The ChemicalType slot `index`, or null outside the table.
const ChemicalType* ChemicalTypeSlot(const ForceFieldTables& tables, int32_t index);

// The ChemicalType an AtomType slot belongs to, or null.
const ChemicalType* ChemicalTypeOfAtomType(const ForceFieldTables& tables, int32_t atomType);

// The element symbol, at most 4 characters, which names new and retyped atoms.
std::u16string_view ChemicalSymbol(const ChemicalType& chemical);

// Target bond length between two AtomTypes; 0 (no bond allowed) outside the table.
float BondDistanceParameter(const ForceFieldTables& tables, int32_t typeA, int32_t typeB);

// Most bonds an atom of this AtomType may have (hybridization + 1); -1 outside the table.
int64_t MaxBonds(const ForceFieldTables& tables, int32_t atomType);

// First loaded AtomType whose name equals `name`, or -1.
int32_t FindAtomTypeByName(const ForceFieldTables& tables, std::u16string_view name);

// First loaded AtomType of ChemicalType k, or -1.
int32_t FirstAtomTypeOfChemicalType(const ForceFieldTables& tables, int32_t k);

}  // namespace tf
