#pragma once
// The molecular-mechanics energy with its analytic gradient, in double
// precision, for any choice of the six kinds of term. The terms, their
// exclusions and their degenerate cases are those of TotalEnergy; where a term
// is flat (clamped pair distance, capped Lennard-Jones ratio) or its angle is
// undefined (coincident or collinear atoms) its gradient is zero.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"
#include "shaping/ShapingRun.h"

namespace tf {

namespace shaping {
struct BondedTerms;
struct PairColumns;
class PairPool;
}  // namespace shaping

// Positions and gradients hold x, y, z per atom: Angstrom, and energy per
// Angstrom.
std::vector<double> DocumentPositions(const Document& document);

class EnergyModel {
 public:
  // The terms of the kinds in `terms` (kTermDistances ... kTermCoulomb) over
  // the document's atoms, bonds, types and charges as they are now. The pair
  // loop is shared with `pool` (which must outlive the model) when given;
  // energies and gradients are the same with any pool or none.
  EnergyModel(const Document& document, const ForceFieldTables& tables, uint32_t terms,
              shaping::PairPool* pool = nullptr);
  ~EnergyModel();
  EnergyModel(const EnergyModel&) = delete;
  EnergyModel& operator=(const EnergyModel&) = delete;

  uint32_t AtomCount() const { return count_; }

  // Energy at `positions` (3 * AtomCount values). A non-empty `gradient` (same
  // size) receives the gradient.
  double Evaluate(std::span<const double> positions, std::span<double> gradient);

  // Called every few hundred atoms of the pair loop, so a caller can draw
  // while one evaluation of a large molecule runs.
  void SetProgressHook(std::function<void()> hook);

 private:
  uint32_t count_ = 0;
  std::unique_ptr<shaping::BondedTerms> bonded_;
  std::unique_ptr<shaping::PairColumns> pairs_;
};

}  // namespace tf
