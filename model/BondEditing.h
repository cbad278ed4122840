#pragma once
// Adding and deleting bonds, and the bond button's toggle for a selected
// pair. A bonded pair counts as bonded whichever order its bond is stored in.
// The operations that change bonds take modelLock: never call them while
// holding it (AddBondLocked is for callers that already do). The queries read
// only what the window thread alone writes.

#include <cstdint>
#include <string_view>

namespace tf {

struct Document;
struct ForceFieldTables;

// What adding a bond came to: added, or the first rule that refused it, in
// the order the rules are tried.
enum class BondRefusal : int32_t {
  kAdded,
  kNotInUse,            // an atom not in use, or a == b
  kCapacity,            // the bond list is full
  kAlreadyBonded,       // a and b are bonded, in either order
  kValence,             // an atom has exactly as many bonds as its type allows
  kNoDistanceParameter  // the pair of types has no distance parameter
};

// Adds the bond a-b, stored with atom1 < atom2, unless a rule refuses it.
// The caller holds modelLock.
BondRefusal AddBondLocked(Document& document, const ForceFieldTables& tables, int32_t a, int32_t b);

// AddBondLocked under modelLock: 1 when added, 0 when refused.
int32_t AddBond(Document& document, const ForceFieldTables& tables, int32_t a, int32_t b);

// Removes the bond between a and b, stored in either order.
void DeleteBond(Document& document, int32_t a, int32_t b);

// With exactly two atoms selected, sets first < second to their indices and
// returns 1; otherwise returns 0.
int32_t SelectedPair(const Document& document, int32_t& first, int32_t& second);

// 1 when exactly two atoms are selected and a bond joins them, else 0.
int32_t IsSelectedPairBonded(const Document& document);

// Bonds or unbonds the selected pair and returns the label of what the next
// press of the bond button will do ("Add Bond" / "Delete Bond"). Does nothing
// and returns an empty label unless exactly two atoms are selected and the
// change is allowed.
std::u16string_view ToggleBond(Document& document, const ForceFieldTables& tables);

}  // namespace tf
