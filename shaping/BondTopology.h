#pragma once
// Neighbour and exclusion lists derived from the bond list. Building them
// scans the bonds once; CurrentTopology keeps the last result per thread and
// rebuilds it whenever the atom count or any bond differs from the list it
// was built from, so no editing path can leave it stale.

#include <cstdint>
#include <span>
#include <vector>

#include "model/Document.h"

namespace tf {

class BondTopology {
 public:
  // Bonds naming an atom outside 0 .. atomCount-1 take no part.
  void Build(const Document& document);
  bool Matches(const Document& document) const;

  uint32_t AtomCount() const { return atomCount_; }
  // Bonds in list order whose atoms are both in use.
  std::span<const Bond> UsableBonds() const { return usableBonds_; }
  // N(i): for each bond in list order, the other atom when i is at either
  // end (a self-bond (i, i) lists i; a bond listed twice appears twice).
  std::span<const int32_t> Neighbours(uint32_t atom) const {
    return Slice(neighbours_, neighbourStart_, atom);
  }
  // Atoms excluded from non-bonded pairs with `atom`: bonded to it (1-2) or
  // sharing a bonded atom with it (1-3). Ascending, unique, never `atom`.
  std::span<const int32_t> Exclusions(uint32_t atom) const {
    return Slice(exclusions_, exclusionStart_, atom);
  }

 private:
  static std::span<const int32_t> Slice(const std::vector<int32_t>& items,
                                        const std::vector<uint32_t>& start, uint32_t atom) {
    return {items.data() + start[atom], items.data() + start[atom + 1]};
  }

  uint32_t atomCount_ = 0;
  std::vector<Bond> sourceBonds_;  // the bond list exactly as built from
  std::vector<Bond> usableBonds_;
  std::vector<uint32_t> neighbourStart_{0};
  std::vector<int32_t> neighbours_;
  std::vector<uint32_t> exclusionStart_{0};
  std::vector<int32_t> exclusions_;
};

// Topology of the document's current bonds, from the calling thread's cache.
// The reference stays valid until the same thread asks again.
const BondTopology& CurrentTopology(const Document& document);

}  // namespace tf
