#pragma once
// Perceive Bonds: bonds for a molecule read without its bond list. The
// candidates are first the pairs the PDB file's CONECT records list, then
// every pair of atoms within bonding reach (model/BondReach.h), nearest
// first. Each unordered pair is tried once, under the rules of adding a bond
// by hand (AddBondLocked), so "already bonded" counts bonds that were there
// before.

#include <cstdint>
#include <span>
#include <string>

#include "io/ConectRecords.h"

namespace tf {

struct Document;
struct ForceFieldTables;

// What became of the candidates. Each candidate counts once: added or
// refused for the first rule it failed. CONECT pairs naming a serial that no
// atom has or that several atoms share, or an atom and itself, are no
// candidates and not counted.
struct PerceivedBonds {
  uint32_t added = 0;
  uint32_t refusedCapacity = 0;             // the bond list was full
  uint32_t refusedValence = 0;              // an atom had all the bonds its type allows
  uint32_t refusedNoDistanceParameter = 0;  // the pair of types cannot bond (CONECT pairs only)
  uint32_t refusedAlreadyBonded = 0;        // bonded before perception began
};

// Reads the CONECT records of the PDB file at document.filePath (a file that
// cannot be read has none) before taking modelLock, then adds the bonds
// under modelLock taken once. Never call while holding modelLock.
PerceivedBonds PerceiveBonds(Document& document, const ForceFieldTables& tables);

// The same with CONECT pairs already read (serial numbers of the atoms in
// the document). Takes modelLock.
PerceivedBonds AddPerceivedBonds(Document& document, const ForceFieldTables& tables,
                                 std::span<const SerialPair> conect);

// The report both the program and tessaform-cli show, UTF-8, two lines
// without a final line end, for example "23 bonds were added.\nNo candidate
// pair was refused."
std::string DescribePerceivedBonds(const PerceivedBonds& perceived);

}  // namespace tf
