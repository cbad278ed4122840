#include "shaping/Minimizer.h"

#include <algorithm>
#include <cmath>

namespace tf {

namespace {

// No atom moves further than this in one iteration, so a first step along a
// huge gradient cannot throw atoms across the molecule.
constexpr double kMaxDisplacement = 0.5;
// The first iteration, without curvature memory, moves the atom with the
// largest gradient this far.
constexpr double kFirstDisplacement = 0.05;
constexpr size_t kMemory = 8;
constexpr double kSufficientDecrease = 1e-4;
constexpr int kMaxTrials = 40;

double Dot(const std::vector<double>& a, const std::vector<double>& b) {
  double sum = 0.0;
  for (size_t k = 0; k < a.size(); ++k) sum += a[k] * b[k];
  return sum;
}

// The largest displacement of one atom along `direction`.
double LargestMove(const std::vector<double>& direction) {
  double largest = 0.0;
  for (size_t k = 0; k + 2 < direction.size(); k += 3) {
    const double d2 = direction[k] * direction[k] + direction[k + 1] * direction[k + 1] +
                      direction[k + 2] * direction[k + 2];
    largest = std::max(largest, d2);
  }
  return std::sqrt(largest);
}

void Scale(std::vector<double>& v, double factor) {
  for (double& value : v) value *= factor;
}

}  // namespace

Minimizer::Minimizer(const Document& document, const ForceFieldTables& tables,
                     const MinimizeSettings& settings)
    : settings_(settings), model_(document, tables, settings.terms, settings.pool) {
  const uint32_t count = model_.AtomCount();
  bool anySelected = false;
  for (uint32_t i = 0; i < count; ++i) anySelected |= document.atoms[i].selected != 0;
  movingCoordinate_.assign(3 * static_cast<size_t>(count), 0);
  for (uint32_t i = 0; i < count; ++i)
    if (!anySelected || document.atoms[i].selected != 0)
      for (uint32_t c = 0; c < 3; ++c) {
        moving_.push_back(3 * i + c);
        movingCoordinate_[3 * i + c] = 1;
      }
  x_ = DocumentPositions(document);
  gradient_.resize(x_.size());
  energy_ = initialEnergy_ = Evaluate(x_, gradient_);
  CheckFinished();
}

double Minimizer::Evaluate(const std::vector<double>& x, std::vector<double>& gradient) {
  ++evaluations_;
  gradient.resize(x.size());
  const double energy = model_.Evaluate(x, gradient);
  // Fixed atoms have no gradient, so no direction ever moves them.
  if (moving_.size() != x.size())
    for (size_t k = 0; k < gradient.size(); ++k)
      if (!movingCoordinate_[k]) gradient[k] = 0.0;
  if (hook_) hook_();
  return energy;
}

void Minimizer::SetEvaluationHook(std::function<void()> hook) {
  hook_ = std::move(hook);
  model_.SetProgressHook(hook_);
}

double Minimizer::RmsGradient() const {
  if (moving_.empty()) return 0.0;
  double sum = 0.0;
  for (uint32_t k : moving_) sum += gradient_[k] * gradient_[k];
  return std::sqrt(sum / (static_cast<double>(moving_.size()) / 3.0));
}

void Minimizer::CheckFinished() {
  if (status_ != MinimizeStatus::kRunning) return;
  if (RmsGradient() <= settings_.rmsGradient)
    status_ = MinimizeStatus::kConverged;
  else if (steps_ >= settings_.maxSteps)
    status_ = MinimizeStatus::kStepLimit;
}

// The two-loop recursion: the inverse-curvature estimate applied to minus
// the gradient, scaled by the newest correction.
void Minimizer::Direction(std::vector<double>& direction) const {
  direction = gradient_;
  Scale(direction, -1.0);
  if (memory_.empty()) {
    const double largest = LargestMove(direction);
    if (largest > 0.0) Scale(direction, kFirstDisplacement / largest);
    return;
  }
  std::vector<double> alpha(memory_.size());
  for (size_t m = memory_.size(); m-- > 0;) {
    alpha[m] = memory_[m].rho * Dot(memory_[m].s, direction);
    for (size_t k = 0; k < direction.size(); ++k) direction[k] -= alpha[m] * memory_[m].y[k];
  }
  const Correction& newest = memory_.back();
  Scale(direction, Dot(newest.s, newest.y) / Dot(newest.y, newest.y));
  for (size_t m = 0; m < memory_.size(); ++m) {
    const double beta = memory_[m].rho * Dot(memory_[m].y, direction);
    for (size_t k = 0; k < direction.size(); ++k)
      direction[k] += (alpha[m] - beta) * memory_[m].s[k];
  }
}

// Backtracks from the full step, interpolating the energy along the line,
// until the energy falls enough; then takes the step and records the
// curvature it saw.
bool Minimizer::LineSearch(const std::vector<double>& direction, double slope) {
  double step = 1.0;
  const double largest = LargestMove(direction);
  if (largest > kMaxDisplacement) step = kMaxDisplacement / largest;
  trialX_.resize(x_.size());
  for (int trial = 0; trial < kMaxTrials && step * largest > 1e-12; ++trial) {
    for (size_t k = 0; k < x_.size(); ++k) trialX_[k] = x_[k] + step * direction[k];
    const double energy = Evaluate(trialX_, trialGradient_);
    if (std::isfinite(energy) && energy <= energy_ + kSufficientDecrease * step * slope &&
        energy < energy_) {
      Correction correction;
      correction.s.resize(x_.size());
      correction.y.resize(x_.size());
      for (size_t k = 0; k < x_.size(); ++k) {
        correction.s[k] = trialX_[k] - x_[k];
        correction.y[k] = trialGradient_[k] - gradient_[k];
      }
      const double sy = Dot(correction.s, correction.y);
      if (sy >
          1e-12 * std::sqrt(Dot(correction.s, correction.s) * Dot(correction.y, correction.y))) {
        correction.rho = 1.0 / sy;
        memory_.push_back(std::move(correction));
        if (memory_.size() > kMemory) memory_.pop_front();
      }
      x_.swap(trialX_);
      gradient_.swap(trialGradient_);
      energy_ = energy;
      return true;
    }
    const double curvature = 2.0 * (energy - energy_ - step * slope);
    double next =
        std::isfinite(energy) && curvature > 0.0 ? -slope * step * step / curvature : 0.5 * step;
    step = std::clamp(next, 0.1 * step, 0.5 * step);
  }
  return false;
}

bool Minimizer::Step() {
  if (status_ != MinimizeStatus::kRunning) return false;
  std::vector<double> direction;
  Direction(direction);
  double slope = Dot(gradient_, direction);
  if (!(slope < 0.0)) {  // the memory no longer points downhill
    memory_.clear();
    Direction(direction);
    slope = Dot(gradient_, direction);
  }
  bool moved = slope < 0.0 && LineSearch(direction, slope);
  if (!moved && !memory_.empty()) {
    memory_.clear();
    Direction(direction);
    slope = Dot(gradient_, direction);
    moved = slope < 0.0 && LineSearch(direction, slope);
  }
  if (!moved) {
    // Rounding, not the geometry, limits any further descent.
    status_ = MinimizeStatus::kNoDescent;
    return false;
  }
  ++steps_;
  CheckFinished();
  return status_ == MinimizeStatus::kRunning;
}

void Minimizer::WriteTo(Document& document) const {
  const uint32_t count = std::min(AtomCount(), document.atomCount);
  for (uint32_t i = 0; i < count; ++i) {
    document.atoms[i].x = static_cast<float>(x_[3 * i]);
    document.atoms[i].y = static_cast<float>(x_[3 * i + 1]);
    document.atoms[i].z = static_cast<float>(x_[3 * i + 2]);
  }
}

void Minimizer::Restart(std::span<const double> positions) {
  x_.assign(positions.begin(), positions.end());
  memory_.clear();
  // Into the spare array: the hook may read the current gradient meanwhile.
  energy_ = Evaluate(x_, trialGradient_);
  gradient_.swap(trialGradient_);
  // Positions that are no minimum (a turn took the run back to older ones)
  // are minimised again.
  status_ = MinimizeStatus::kRunning;
  CheckFinished();
}

}  // namespace tf
