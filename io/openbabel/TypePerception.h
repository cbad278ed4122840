#pragma once
// Perceive Types: every atom's AtomType from its element (that of its
// current type), its bonds, bond orders perceived from the geometry,
// aromaticity and its neighbours. Names, charges and bonds stay as they are.

#include <cstdint>

namespace tf {

struct Document;
struct ForceFieldTables;

// Retypes every atom; takes modelLock to copy the molecule and again to set
// the types, so a shaping worker may run meanwhile. Never call while holding
// modelLock. Returns how many atoms' types changed.
uint32_t PerceiveAtomTypes(Document& document, const ForceFieldTables& tables);

}  // namespace tf
