#include "shaping/BondTopology.h"

#include <algorithm>
#include <cstring>

namespace tf {

namespace {

uint32_t UsableBondCount(const Document& document) {
  return document.bondCount < kMaxBonds ? document.bondCount : kMaxBonds;
}

bool SameBonds(const std::vector<Bond>& copy, const Document& document) {
  if (copy.size() != UsableBondCount(document)) return false;
  return copy.empty() || std::memcmp(copy.data(), document.bonds, copy.size() * sizeof(Bond)) == 0;
}

uint32_t UsableAtomCount(const Document& document) {
  return document.atomCount < kMaxAtoms ? document.atomCount : kMaxAtoms;
}

}  // namespace

bool BondTopology::Matches(const Document& document) const {
  return atomCount_ == UsableAtomCount(document) && SameBonds(sourceBonds_, document);
}

void BondTopology::Build(const Document& document) {
  const uint32_t atomCount = UsableAtomCount(document);
  const uint32_t bondCount = UsableBondCount(document);
  atomCount_ = atomCount;
  sourceBonds_.assign(document.bonds, document.bonds + bondCount);

  usableBonds_.clear();
  for (const Bond& bond : sourceBonds_) {
    const auto inUse = [&](int32_t atom) {
      return atom >= 0 && static_cast<uint32_t>(atom) < atomCount;
    };
    if (inUse(bond.atom1) && inUse(bond.atom2)) usableBonds_.push_back(bond);
  }

  // Counting pass, then a fill pass in bond-list order.
  neighbourStart_.assign(atomCount + 1, 0);
  for (const Bond& bond : usableBonds_) {
    ++neighbourStart_[bond.atom1 + 1];
    if (bond.atom2 != bond.atom1) ++neighbourStart_[bond.atom2 + 1];
  }
  for (uint32_t i = 0; i < atomCount; ++i) neighbourStart_[i + 1] += neighbourStart_[i];
  neighbours_.assign(neighbourStart_[atomCount], 0);
  std::vector<uint32_t> fill(neighbourStart_.begin(), neighbourStart_.end() - 1);
  for (const Bond& bond : usableBonds_) {
    neighbours_[fill[bond.atom1]++] = bond.atom2;
    if (bond.atom2 != bond.atom1) neighbours_[fill[bond.atom2]++] = bond.atom1;
  }

  exclusionStart_.assign(atomCount + 1, 0);
  exclusions_.clear();
  std::vector<int32_t> scratch;
  for (uint32_t i = 0; i < atomCount; ++i) {
    scratch.clear();
    for (int32_t n : Neighbours(i)) {
      scratch.push_back(n);
      for (int32_t m : Neighbours(n)) scratch.push_back(m);
    }
    std::sort(scratch.begin(), scratch.end());
    scratch.erase(std::unique(scratch.begin(), scratch.end()), scratch.end());
    for (int32_t j : scratch)
      if (j != static_cast<int32_t>(i)) exclusions_.push_back(j);
    exclusionStart_[i + 1] = static_cast<uint32_t>(exclusions_.size());
  }
}

const BondTopology& CurrentTopology(const Document& document) {
  thread_local BondTopology cache;
  if (!cache.Matches(document)) cache.Build(document);
  return cache;
}

}  // namespace tf
