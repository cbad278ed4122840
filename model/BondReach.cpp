#include "model/BondReach.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/TableLookup.h"

namespace tf {
namespace {

// Squared reach of every ordered pair of AtomTypes; 0 where they never bond.
class ReachTable {
 public:
  explicit ReachTable(const ForceFieldTables& tables) : squared_(kMaxAtomTypes * kMaxAtomTypes) {
    for (int32_t a = 0; a < kMaxAtomTypes; ++a) {
      for (int32_t b = 0; b < kMaxAtomTypes; ++b) {
        const float parameter = BondDistanceParameter(tables, a, b);
        if (!(parameter > 0.0f) || !std::isfinite(parameter)) continue;
        const double reach = kBondReachFactor * parameter;
        squared_[a * kMaxAtomTypes + b] = reach * reach;
      }
    }
  }

  // Types outside the table never bond.
  double Squared(int32_t typeA, int32_t typeB) const {
    if (typeA < 0 || typeA >= kMaxAtomTypes || typeB < 0 || typeB >= kMaxAtomTypes) return 0;
    return squared_[typeA * kMaxAtomTypes + typeB];
  }

 private:
  std::vector<double> squared_;
};

double SquaredDistance(const Atom& a, const Atom& b) {
  const double dx = static_cast<double>(a.x) - b.x;
  const double dy = static_cast<double>(a.y) - b.y;
  const double dz = static_cast<double>(a.z) - b.z;
  return dx * dx + dy * dy + dz * dz;
}

// The atoms in use with finite coordinates.
std::vector<uint16_t> PlacedAtoms(const Document& document) {
  const uint32_t count = std::min(document.atomCount, kMaxAtoms);
  std::vector<uint16_t> placed;
  placed.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = document.atoms[i];
    if (std::isfinite(atom.x) && std::isfinite(atom.y) && std::isfinite(atom.z))
      placed.push_back(static_cast<uint16_t>(i));
  }
  return placed;
}

// The largest reach between two of the atoms' types; 0 when none can bond.
double WidestReach(const Document& document, const std::vector<uint16_t>& atoms,
                   const ReachTable& reach) {
  std::array<bool, kMaxAtomTypes> inUse{};
  for (uint16_t i : atoms) {
    const int32_t type = document.atoms[i].atomType;
    if (type >= 0 && type < kMaxAtomTypes) inUse[type] = true;
  }
  double widest = 0;
  for (int32_t a = 0; a < kMaxAtomTypes; ++a) {
    for (int32_t b = 0; inUse[a] && b < kMaxAtomTypes; ++b) {
      if (inUse[b]) widest = std::max(widest, reach.Squared(a, b));
    }
  }
  return std::sqrt(widest);
}

// The atoms sorted into a box of cubic cells at least `reach` wide, so atoms
// within reach of one another lie in the same or neighbouring cells. Cells
// are widened as far as needed to keep their number near the atom count,
// however far apart the atoms are.
class CellGrid {
 public:
  CellGrid(const Document& document, const std::vector<uint16_t>& atoms, double reach) {
    for (int k = 0; k < 3; ++k) {
      low_[k] = HUGE_VAL;
      high_[k] = -HUGE_VAL;
    }
    for (uint16_t i : atoms) {
      const double point[3] = {document.atoms[i].x, document.atoms[i].y, document.atoms[i].z};
      for (int k = 0; k < 3; ++k) {
        low_[k] = std::min(low_[k], point[k]);
        high_[k] = std::max(high_[k], point[k]);
      }
    }
    const double cellLimit = std::max(8.0 * static_cast<double>(atoms.size()), 4096.0);
    cell_ = reach;
    for (;;) {
      double cells = 1;
      for (int k = 0; k < 3; ++k) cells *= std::floor((high_[k] - low_[k]) / cell_) + 1;
      if (cells <= cellLimit) break;
      cell_ *= 2;
    }
    for (int k = 0; k < 3; ++k)
      size_[k] = static_cast<int64_t>(std::floor((high_[k] - low_[k]) / cell_)) + 1;

    // Counting sort of the atoms by cell.
    cellOf_.resize(kMaxAtoms);
    cellStart_.assign(static_cast<std::size_t>(size_[0] * size_[1] * size_[2]) + 1, 0);
    for (uint16_t i : atoms) {
      cellOf_[i] = CellIndex(document.atoms[i]);
      ++cellStart_[cellOf_[i] + 1];
    }
    for (std::size_t c = 1; c < cellStart_.size(); ++c) cellStart_[c] += cellStart_[c - 1];
    byCell_.resize(atoms.size());
    std::vector<uint32_t> next(cellStart_.begin(), cellStart_.end() - 1);
    for (uint16_t i : atoms) byCell_[next[cellOf_[i]]++] = i;
  }

  // Calls visit(j) for every atom in the atom's cell and the 26 around it.
  template <typename Visit>
  void ForEachNeighbour(const Atom& atom, Visit visit) const {
    int64_t at[3];
    Coordinates(atom, at);
    for (int64_t z = std::max<int64_t>(at[2] - 1, 0); z <= std::min(at[2] + 1, size_[2] - 1); ++z) {
      for (int64_t y = std::max<int64_t>(at[1] - 1, 0); y <= std::min(at[1] + 1, size_[1] - 1);
           ++y) {
        const int64_t row = (z * size_[1] + y) * size_[0];
        const int64_t first = row + std::max<int64_t>(at[0] - 1, 0);
        const int64_t last = row + std::min(at[0] + 1, size_[0] - 1);
        for (uint32_t k = cellStart_[first]; k < cellStart_[last + 1]; ++k) visit(byCell_[k]);
      }
    }
  }

 private:
  // Cell coordinates; a point on the box's far face joins the last cell.
  void Coordinates(const Atom& atom, int64_t (&at)[3]) const {
    const double point[3] = {atom.x, atom.y, atom.z};
    for (int k = 0; k < 3; ++k) {
      const int64_t steps = static_cast<int64_t>(std::floor((point[k] - low_[k]) / cell_));
      at[k] = std::min(steps, size_[k] - 1);
    }
  }

  uint32_t CellIndex(const Atom& atom) const {
    int64_t at[3];
    Coordinates(atom, at);
    return static_cast<uint32_t>((at[2] * size_[1] + at[1]) * size_[0] + at[0]);
  }

  double low_[3];
  double high_[3];
  double cell_ = 0;
  int64_t size_[3] = {1, 1, 1};
  std::vector<uint32_t> cellOf_;
  std::vector<uint32_t> cellStart_;
  std::vector<uint16_t> byCell_;
};

}  // namespace

std::vector<ReachPair> PairsWithinBondReach(const Document& document,
                                            const ForceFieldTables& tables) {
  const std::vector<uint16_t> atoms = PlacedAtoms(document);
  const ReachTable reach(tables);
  const double widest = WidestReach(document, atoms, reach);
  std::vector<ReachPair> pairs;
  if (!(widest > 0)) return pairs;

  const CellGrid grid(document, atoms, widest);
  for (uint16_t i : atoms) {
    const Atom& first = document.atoms[i];
    grid.ForEachNeighbour(first, [&](uint16_t j) {
      if (j <= i) return;
      const Atom& second = document.atoms[j];
      const double squared = SquaredDistance(first, second);
      if (squared < reach.Squared(first.atomType, second.atomType) &&
          squared >= kShortestBond * kShortestBond)
        pairs.push_back({static_cast<float>(squared), i, j});
    });
  }
  std::sort(pairs.begin(), pairs.end(), [](const ReachPair& p, const ReachPair& q) {
    if (p.squaredDistance != q.squaredDistance) return p.squaredDistance < q.squaredDistance;
    return p.first != q.first ? p.first < q.first : p.second < q.second;
  });
  return pairs;
}

}  // namespace tf
