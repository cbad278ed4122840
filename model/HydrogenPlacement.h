#pragma once
// Where the hydrogens an atom lacks go: the ideal directions of its
// hybridization, away from the bonds it has.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tf {

struct Direction {
  double x, y, z;
};

// Unit directions for `count` new bonds of an atom with `hybridization`
// (1 linear, 2 trigonal, 3 tetrahedral; 0 counts as 3) whose present bonds
// point along `bonds` (need not be unit length). `reference`, when given,
// is a bond of the first neighbour's away from the atom: with one present
// bond the new ones are placed in its plane (trigonal) or staggered to it
// (tetrahedral). When more bonds are asked for than the hybridization has
// room for, the extra ones point away from all others as well as they can.
std::vector<Direction> NewBondDirections(std::span<const Direction> bonds, int32_t hybridization,
                                         uint32_t count, std::optional<Direction> reference);

}  // namespace tf
