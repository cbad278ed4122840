#include "model/TableLookup.h"

#include <algorithm>

#include "base/FixedText.h"

namespace tf {
namespace {

uint32_t LoadedAtomTypes(const ForceFieldTables& tables) {
  return std::min<uint32_t>(tables.atomTypeCount, kMaxAtomTypes);
}

}  // namespace

const AtomType* AtomTypeSlot(const ForceFieldTables& tables, int32_t index) {
  if (index < 0 || index >= kMaxAtomTypes) return nullptr;
  return &tables.atomTypes[index];
}

const ChemicalType* ChemicalTypeSlot(const ForceFieldTables& tables, int32_t index) {
  if (index < 0 || index >= kMaxChemicalTypes) return nullptr;
  return &tables.chemicalTypes[index];
}

const ChemicalType* ChemicalTypeOfAtomType(const ForceFieldTables& tables, int32_t atomType) {
  const AtomType* type = AtomTypeSlot(tables, atomType);
  return type == nullptr ? nullptr : ChemicalTypeSlot(tables, type->chemicalType);
}

std::u16string_view ChemicalSymbol(const ChemicalType& chemical) {
  constexpr std::size_t kSymbolLength = 4;
  return TextView(chemical.symbol).substr(0, kSymbolLength);
}

float BondDistanceParameter(const ForceFieldTables& tables, int32_t typeA, int32_t typeB) {
  if (AtomTypeSlot(tables, typeA) == nullptr || AtomTypeSlot(tables, typeB) == nullptr) return 0;
  return tables.equilibriumDistance[typeA][typeB];
}

int64_t MaxBonds(const ForceFieldTables& tables, int32_t atomType) {
  const AtomType* type = AtomTypeSlot(tables, atomType);
  return type == nullptr ? -1 : static_cast<int64_t>(type->hybridization) + 1;
}

int32_t FindAtomTypeByName(const ForceFieldTables& tables, std::u16string_view name) {
  const uint32_t count = LoadedAtomTypes(tables);
  for (uint32_t t = 0; t < count; ++t) {
    if (TextView(tables.atomTypes[t].name) == name) return static_cast<int32_t>(t);
  }
  return -1;
}

int32_t FirstAtomTypeOfChemicalType(const ForceFieldTables& tables, int32_t k) {
  const uint32_t count = LoadedAtomTypes(tables);
  for (uint32_t t = 0; t < count; ++t) {
    if (tables.atomTypes[t].chemicalType == k) return static_cast<int32_t>(t);
  }
  return -1;
}

}  // namespace tf
