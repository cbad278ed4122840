#include "shaping/PairChunks.h"

namespace tf::shaping {

namespace {

// The whole range as one chunk.
PairChunks Whole(uint32_t atomCount) {
  PairChunks chunks;
  chunks.bounds[1] = atomCount;
  return chunks;
}

}  // namespace

// Eight chunks: enough for the cores this runs on, few enough that each
// chunk's sum outweighs its hand-off.
PairChunks PartnerChunks(uint32_t atomCount, uint32_t lanes) {
  constexpr uint32_t kPartnerChunks = 8;
  if (atomCount < kChunkedPairsFrom || lanes == 0) return Whole(atomCount);
  const uint32_t perChunk = (atomCount + kPartnerChunks - 1) / kPartnerChunks;
  const uint32_t size = (perChunk + lanes - 1) / lanes * lanes;
  PairChunks chunks;
  chunks.count = 0;
  for (uint32_t begin = 0; begin < atomCount; begin += size) {
    chunks.bounds[chunks.count] = begin;
    ++chunks.count;
  }
  chunks.bounds[chunks.count] = atomCount;
  return chunks;
}

PairChunks TriangleChunks(uint32_t atomCount, uint32_t wanted) {
  if (atomCount < kChunkedPairsFrom || wanted <= 1) return Whole(atomCount);
  if (wanted > kMaxPairChunks) wanted = kMaxPairChunks;
  const uint64_t pairs = uint64_t{atomCount} * (atomCount - 1) / 2;
  PairChunks chunks;
  chunks.count = 0;
  uint64_t done = 0;  // pairs of the rows before `row`
  for (uint32_t row = 0; row < atomCount && chunks.count < wanted; ++row) {
    if (done * wanted >= pairs * chunks.count) chunks.bounds[chunks.count++] = row;
    done += atomCount - 1 - row;
  }
  chunks.bounds[chunks.count] = atomCount;
  return chunks;
}

}  // namespace tf::shaping
