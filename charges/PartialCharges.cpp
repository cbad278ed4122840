#include "charges/PartialCharges.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

#include "charges/ChargeSkeleton.h"
#include "charges/ChargeTables.h"
#include "charges/JacobiEigen.h"
#include "charges/LinearSolver.h"
#include "charges/OccupiedLevels.h"

namespace tf {

namespace {

double Saturate(double x) {
  return x / std::sqrt(1.0 + x * x);
}

// x / scale, where a zero scale contributes nothing.
double Ratio(double x, double scale) {
  return scale != 0.0 ? x / scale : 0.0;
}

// Scratch space reused from one component to the next.
struct Workspace {
  std::vector<double> matrix, rightSide, solution, eigenvectors;
  std::vector<int> order;
  std::vector<int32_t> localIndex;  // skeleton position -> row within its component
  std::vector<int32_t> centreClass, groupOwner;
};

// Electronegativities delta(u) of one component: (1 - 0.12 nT(u)) delta(u)
// - 0.1 sum over coupled v of delta(v) = delta0(u). A system that cannot be
// solved leaves the component at 0.
void SolveSigma(const ChargeSkeleton& skeleton, const int* classes, std::span<const int32_t> part,
                Workspace& w, std::vector<double>& delta) {
  const int n = static_cast<int>(part.size());
  w.matrix.assign(static_cast<size_t>(n) * n, 0.0);
  w.rightSide.resize(n);
  w.solution.resize(n);
  w.order.resize(n);
  for (int row = 0; row < n; ++row) w.localIndex[part[row]] = row;
  for (int row = 0; row < n; ++row) {
    const int u = part[row];
    double* line = &w.matrix[static_cast<size_t>(row) * n];
    line[row] = 1.0 - kTerminalInduction * static_cast<double>(skeleton.Terminals(u).size());
    for (int32_t v : skeleton.Neighbours(u)) line[w.localIndex[v]] = -kNeighbourInduction;
    w.rightSide[row] = kSigmaDelta0[classes[skeleton.Atom(u)]];
  }
  const SolveFailure failure =
      SolveLinearSystem(w.matrix.data(), w.rightSide.data(), w.solution.data(), n, w.order.data());
  for (int row = 0; row < n; ++row) {
    const double value = w.solution[row];
    delta[part[row]] = failure == SolveFailure::kNone && std::isfinite(value) ? value : 0.0;
  }
}

// Sigma charges in skeleton order; terminal atoms take the share of the last
// skeleton atom they hang on.
void AssignSigmaCharges(const ChargeSkeleton& skeleton, const int* classes,
                        const std::vector<double>& delta, double* charges) {
  for (int u = 0; u < skeleton.Size(); ++u) {
    const int atomClass = classes[skeleton.Atom(u)];
    const auto terminals = skeleton.Terminals(u);
    double share = 0.0;
    if (!terminals.empty()) {
      share = Saturate(Ratio(kTerminalPolarity * delta[u], kTerminalBondScale[atomClass]));
      for (int32_t t : terminals) charges[t] = share;
    }
    double charge = 0.0;
    for (int32_t v : skeleton.Neighbours(u)) {
      const double scale = kSkeletonBondScale[atomClass][classes[skeleton.Atom(v)]];
      charge += Saturate(Ratio(delta[v] - delta[u], scale));
    }
    charges[skeleton.Atom(u)] = charge - static_cast<double>(terminals.size()) * share;
  }
}

// Hueckel pi charges of one component: its skeleton atoms in ascending order,
// then one group pseudo-atom per skeleton atom with exactly three terminals.
void AddPiCharges(const ChargeSkeleton& skeleton, const int* classes, std::span<const int32_t> part,
                  const ChargeOptions& options, Workspace& w, double* charges) {
  const int skeletonCentres = static_cast<int>(part.size());
  w.centreClass.clear();
  w.groupOwner.clear();
  for (int row = 0; row < skeletonCentres; ++row) {
    w.localIndex[part[row]] = row;
    w.centreClass.push_back(classes[skeleton.Atom(part[row])]);
  }
  for (int32_t u : part) {
    const auto terminals = skeleton.Terminals(u);
    if (terminals.size() != kGroupSize) continue;
    w.groupOwner.push_back(u);
    w.centreClass.push_back(classes[terminals[0]]);
  }
  const int n = static_cast<int>(w.centreClass.size());
  std::vector<double>& h = w.matrix;
  h.assign(static_cast<size_t>(n) * (n + 1) / 2, 0.0);
  for (int r = 0; r < n; ++r) h[PackedIndex(r, r)] = kPiAlpha[w.centreClass[r]];
  for (int row = 0; row < skeletonCentres; ++row)
    for (int32_t v : skeleton.Neighbours(part[row])) {
      const int column = w.localIndex[v];
      if (column < row)
        h[PackedIndex(row, column)] = kPiBeta[w.centreClass[row]][w.centreClass[column]];
    }
  for (int g = 0; g < static_cast<int>(w.groupOwner.size()); ++g) {
    const int row = skeletonCentres + g;
    const int column = w.localIndex[w.groupOwner[g]];
    h[PackedIndex(row, column)] = kPiBeta[w.centreClass[row]][w.centreClass[column]];
  }

  int electrons = 0;
  for (int r = 0; r < n; ++r) electrons += kPiElectrons[w.centreClass[r]];
  const int occupied = std::min(electrons / 2 + electrons % 2, n);
  const bool lastHalfFilled = electrons % 2 == 1 && occupied == electrons / 2 + 1;
  const bool solved = n >= options.lapackFromOrder &&
                      SolveOccupiedLevels(h.data(), n, occupied, lastHalfFilled, w.eigenvectors);
  if (options.counts) ++(solved ? options.counts->lapack : options.counts->jacobi);
  if (!solved) {
    w.eigenvectors.resize(static_cast<size_t>(n) * n);
    JacobiEigen(h.data(), w.eigenvectors.data(), n, options.cancel);
  }

  for (int r = 0; r < n; ++r) {
    double density = 0.0;
    for (int level = 0; level < occupied; ++level) {
      const double weight = (lastHalfFilled && level == occupied - 1) ? 1.0 : 2.0;
      const double c = w.eigenvectors[static_cast<size_t>(level) * n + r];
      density += weight * c * c;
    }
    const double excess = kPiElectrons[w.centreClass[r]] - density;
    if (r < skeletonCentres) {
      charges[skeleton.Atom(part[r])] += excess;
    } else {
      for (int32_t t : skeleton.Terminals(w.groupOwner[r - skeletonCentres]))
        charges[t] += excess / kGroupSize;
    }
  }
}

}  // namespace

bool ComputePartialCharges(int count, const int* classes, int bondCount, const Bond* bonds,
                           double* charges, const ChargeOptions& options) {
  for (int i = 0; i < count; ++i)
    if (classes[i] < 0 || classes[i] >= kChargeClassCount) return true;
  ChargeSkeleton skeleton;
  skeleton.Build(count, classes, bondCount, bonds);
  if (skeleton.Size() == 0) return true;
  const auto cancelled = [&] { return options.cancel && options.cancel->load(); };

  Workspace w;
  w.localIndex.assign(skeleton.Size(), 0);
  std::vector<double> delta(skeleton.Size(), 0.0);
  for (int c = 0; c < skeleton.ComponentCount(); ++c) {
    if (cancelled()) return false;
    SolveSigma(skeleton, classes, skeleton.Component(c), w, delta);
  }
  AssignSigmaCharges(skeleton, classes, delta, charges);
  for (int c = 0; c < skeleton.ComponentCount(); ++c) {
    if (cancelled()) return false;
    AddPiCharges(skeleton, classes, skeleton.Component(c), options, w, charges);
  }
  return !cancelled();
}

int ChargeClassOf(const ForceFieldTables& tables, int32_t atomType) {
  if (atomType >= 1 && atomType <= kChargeClassCount) return atomType - 1;
  const uint32_t fallback = tables.defaultAtomType;
  return fallback >= 1 && fallback <= kChargeClassCount ? static_cast<int>(fallback) - 1 : -1;
}

bool RecomputeCharges(Document& document, const ForceFieldTables& tables,
                      const ChargeOptions& options) {
  const int count =
      static_cast<int>(document.atomCount < kMaxAtoms ? document.atomCount : kMaxAtoms);
  if (count == 0) return true;
  const int bondCount =
      static_cast<int>(document.bondCount < kMaxBonds ? document.bondCount : kMaxBonds);
  std::vector<int> classes(count);
  for (int i = 0; i < count; ++i) classes[i] = ChargeClassOf(tables, document.atoms[i].atomType);
  const std::vector<Bond> bonds(document.bonds, document.bonds + bondCount);
  std::vector<double> charges(count, 0.0);
  if (count > 1 && !ComputePartialCharges(count, classes.data(), bondCount, bonds.data(),
                                          charges.data(), options))
    return false;

  std::lock_guard<std::mutex> lock(document.modelLock);
  for (int i = 0; i < count; ++i) document.atoms[i].charge = static_cast<float>(charges[i]);
  return true;
}

}  // namespace tf
