#pragma once
// How the pair loops are cut into chunks for the pair pool. The bounds depend
// on the atom count alone, never on the threads, and each loop adds its
// chunks' results in chunk order, so a result is the same whoever computed
// which chunk. Small molecules get one chunk: their sums are those of a
// single pass, and a hand-off would cost more than it saves.

#include <cstdint>

namespace tf::shaping {

inline constexpr uint32_t kMaxPairChunks = 32;
// From this many atoms on, the loops are cut into chunks.
inline constexpr uint32_t kChunkedPairsFrom = 1024;

struct PairChunks {
  uint32_t count = 1;
  uint32_t bounds[kMaxPairChunks + 1] = {};  // chunk c is [bounds[c], bounds[c + 1])
  uint32_t Begin(uint32_t chunk) const { return bounds[chunk]; }
  uint32_t End(uint32_t chunk) const { return bounds[chunk + 1]; }
};

// One atom against partners 0 .. atomCount-1: equal chunks that start on a
// multiple of `lanes`, so each chunk's vector loop starts on a fresh step.
PairChunks PartnerChunks(uint32_t atomCount, uint32_t lanes);

// Rows 0 .. atomCount-1 of a loop where row i pairs atom i with the atoms
// after it: `wanted` chunks of rows with about equal numbers of pairs.
PairChunks TriangleChunks(uint32_t atomCount, uint32_t wanted);

}  // namespace tf::shaping
