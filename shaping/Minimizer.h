#pragma once
// Gradient minimisation of the energy: limited-memory BFGS with a
// backtracking line search that accepts only steps that lower the energy.
// It works on its own copy of the positions, one iteration per Step, so a
// caller can draw, publish and stop between iterations. When atoms are
// selected only they move; otherwise all atoms do.

#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"
#include "shaping/EnergyGradient.h"
#include "shaping/ShapingRun.h"

namespace tf {

struct MinimizeSettings {
  double rmsGradient = 0.01;  // stop at or below this RMS gradient, energy per Angstrom
  int32_t maxSteps = 100000;  // iterations
  uint32_t terms = kAllTerms;
  shaping::PairPool* pool = nullptr;  // shares the pair loop when given; outlives the minimiser
};

enum class MinimizeStatus { kRunning, kConverged, kStepLimit, kNoDescent };

class Minimizer {
 public:
  Minimizer(const Document& document, const ForceFieldTables& tables,
            const MinimizeSettings& settings);

  // One iteration. False once the minimisation has finished (Status says why).
  bool Step();

  MinimizeStatus Status() const { return status_; }
  double InitialEnergy() const { return initialEnergy_; }
  double Energy() const { return energy_; }
  // Root mean square over the moving atoms of the length of each atom's
  // gradient vector; 0 when no atom moves.
  double RmsGradient() const;
  int32_t Steps() const { return steps_; }
  int32_t Evaluations() const { return evaluations_; }
  uint32_t AtomCount() const { return model_.AtomCount(); }
  const std::vector<double>& Positions() const { return x_; }
  // Puts the current positions into the document's atoms.
  void WriteTo(Document& document) const;
  // Called after every energy evaluation, also inside an iteration's line
  // search, and every few hundred atoms within an evaluation of a large
  // molecule; Positions() is then still the last accepted point.
  void SetEvaluationHook(std::function<void()> hook);
  // Continues from these positions (the whole molecule turned, say), with
  // the curvature memory cleared and the status judged again there.
  void Restart(std::span<const double> positions);

 private:
  struct Correction {
    std::vector<double> s, y;
    double rho;
  };
  double Evaluate(const std::vector<double>& x, std::vector<double>& gradient);
  void Direction(std::vector<double>& direction) const;
  bool LineSearch(const std::vector<double>& direction, double slope);
  void CheckFinished();

  MinimizeSettings settings_;
  EnergyModel model_;
  std::vector<uint32_t> moving_;           // coordinate indices that move
  std::vector<uint8_t> movingCoordinate_;  // 1 per coordinate that moves
  std::vector<double> x_, gradient_;
  std::vector<double> trialX_, trialGradient_;
  std::deque<Correction> memory_;
  double initialEnergy_ = 0, energy_ = 0;
  int32_t steps_ = 0, evaluations_ = 0;
  MinimizeStatus status_ = MinimizeStatus::kRunning;
  std::function<void()> hook_;
};

}  // namespace tf
