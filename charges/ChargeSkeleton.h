#pragma once
// The skeleton of the charge model: skeleton atoms (classes 3-9) in
// ascending index order, the terminal atoms on each, the skeleton bonds that
// couple them and the connected components they form. Lists are as long as
// the bonds make them.

#include <cstdint>
#include <span>
#include <vector>

#include "model/Atom.h"

namespace tf {

class ChargeSkeleton {
 public:
  // Classes must lie in 0..9. Bonds naming an atom outside 0..count-1 and
  // self-bonds take no part. A skeleton pair is coupled once when any bond
  // joins it, in either order.
  void Build(int count, const int* classes, int bondCount, const Bond* bonds);

  int Size() const { return static_cast<int>(atoms_.size()); }
  // S[u]: the atom at skeleton position u.
  int32_t Atom(int u) const { return atoms_[u]; }
  // T(u): terminal atoms bonded to S[u], in bond-list order (a bond listed
  // twice attaches twice).
  std::span<const int32_t> Terminals(int u) const { return Slice(terminals_, terminalStart_, u); }
  // Skeleton positions coupled to u, ascending.
  std::span<const int32_t> Neighbours(int u) const {
    return Slice(neighbours_, neighbourStart_, u);
  }
  int ComponentCount() const { return static_cast<int>(componentStart_.size()) - 1; }
  // Skeleton positions of component c, ascending; components are ordered by
  // their lowest position.
  std::span<const int32_t> Component(int c) const {
    return Slice(componentMembers_, componentStart_, c);
  }

 private:
  static std::span<const int32_t> Slice(const std::vector<int32_t>& items,
                                        const std::vector<uint32_t>& start, int index) {
    return {items.data() + start[index], items.data() + start[index + 1]};
  }
  void BuildComponents();

  std::vector<int32_t> atoms_;
  std::vector<uint32_t> terminalStart_{0};
  std::vector<int32_t> terminals_;
  std::vector<uint32_t> neighbourStart_{0};
  std::vector<int32_t> neighbours_;
  std::vector<uint32_t> componentStart_{0};
  std::vector<int32_t> componentMembers_;
};

}  // namespace tf
