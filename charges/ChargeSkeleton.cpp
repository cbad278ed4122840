#include "charges/ChargeSkeleton.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "charges/ChargeTables.h"

namespace tf {

namespace {

// Counts per slot, then offsets, then fills in the order items are offered.
template <typename Visit>
void FillLists(size_t slots, std::vector<uint32_t>& start, std::vector<int32_t>& items,
               Visit visit) {
  start.assign(slots + 1, 0);
  visit([&](int slot, int32_t) { ++start[slot + 1]; });
  for (size_t i = 0; i < slots; ++i) start[i + 1] += start[i];
  items.assign(start[slots], 0);
  std::vector<uint32_t> next(start.begin(), start.end() - 1);
  visit([&](int slot, int32_t item) { items[next[slot]++] = item; });
}

int FindRoot(std::vector<int32_t>& parent, int32_t u) {
  while (parent[u] != u) {
    parent[u] = parent[parent[u]];
    u = parent[u];
  }
  return u;
}

}  // namespace

void ChargeSkeleton::Build(int count, const int* classes, int bondCount, const Bond* bonds) {
  std::vector<int32_t> positionOf(count > 0 ? count : 0, -1);
  atoms_.clear();
  for (int i = 0; i < count; ++i) {
    if (classes[i] >= kFirstSkeletonClass) {
      positionOf[i] = static_cast<int32_t>(atoms_.size());
      atoms_.push_back(i);
    }
  }
  const auto usable = [&](const Bond& bond) {
    return bond.atom1 >= 0 && bond.atom1 < count && bond.atom2 >= 0 && bond.atom2 < count &&
           bond.atom1 != bond.atom2;
  };

  FillLists(atoms_.size(), terminalStart_, terminals_, [&](auto&& add) {
    for (int b = 0; b < bondCount; ++b) {
      if (!usable(bonds[b])) continue;
      const int32_t u1 = positionOf[bonds[b].atom1], u2 = positionOf[bonds[b].atom2];
      if (u1 >= 0 && u2 < 0) add(u1, bonds[b].atom2);
      if (u1 < 0 && u2 >= 0) add(u2, bonds[b].atom1);
    }
  });

  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (int b = 0; b < bondCount; ++b) {
    if (!usable(bonds[b])) continue;
    const int32_t u1 = positionOf[bonds[b].atom1], u2 = positionOf[bonds[b].atom2];
    if (u1 >= 0 && u2 >= 0) pairs.emplace_back(std::min(u1, u2), std::max(u1, u2));
  }
  std::sort(pairs.begin(), pairs.end());
  pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
  // Lexicographic pair order leaves every list ascending.
  FillLists(atoms_.size(), neighbourStart_, neighbours_, [&](auto&& add) {
    for (const auto& [u, v] : pairs) {
      add(u, v);
      add(v, u);
    }
  });
  BuildComponents();
}

void ChargeSkeleton::BuildComponents() {
  const int32_t m = Size();
  std::vector<int32_t> parent(m);
  std::iota(parent.begin(), parent.end(), 0);
  for (int32_t u = 0; u < m; ++u)
    for (int32_t v : Neighbours(u)) {
      const int32_t a = FindRoot(parent, u), b = FindRoot(parent, v);
      if (a != b) parent[std::max(a, b)] = std::min(a, b);
    }
  // Roots are the lowest position of each component; number them in order.
  std::vector<int32_t> componentOf(m, -1);
  int32_t components = 0;
  for (int32_t u = 0; u < m; ++u) {
    const int32_t root = FindRoot(parent, u);
    componentOf[u] = root == u ? components++ : componentOf[root];
  }
  FillLists(components, componentStart_, componentMembers_, [&](auto&& add) {
    for (int32_t u = 0; u < m; ++u) add(componentOf[u], u);
  });
}

}  // namespace tf
