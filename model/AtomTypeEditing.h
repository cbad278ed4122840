#pragma once
// Changing the AtomType of one atom. Takes modelLock: never call it while
// holding it.

#include <cstdint>
#include <string_view>

namespace tf {

struct Document;
struct ForceFieldTables;

// Gives atom i the AtomType named typeName and the symbol of its ChemicalType
// as name, then removes its bonds whose pair of types has no distance
// parameter. Returns 1 (and changes nothing) when no loaded AtomType has that
// name, the atom has more bonds than the type allows, or i names no atom;
// 0 when applied.
int32_t SetAtomType(Document& document, const ForceFieldTables& tables, uint32_t i,
                    std::u16string_view typeName);

}  // namespace tf
