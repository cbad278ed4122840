#include "model/HydrogenPlacement.h"

#include <cmath>
#include <numbers>

namespace tf {
namespace {

Direction operator+(Direction a, Direction b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Direction operator-(Direction a, Direction b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Direction operator*(double s, Direction a) {
  return {s * a.x, s * a.y, s * a.z};
}
double Dot(Direction a, Direction b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Direction Cross(Direction a, Direction b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Direction a) {
  return std::sqrt(Dot(a, a));
}

std::optional<Direction> Unit(Direction a) {
  const double length = Length(a);
  if (!(length > 1e-9) || !std::isfinite(length)) return std::nullopt;
  return (1.0 / length) * a;
}

// A unit vector at right angles to the unit `axis`, along `hint` where it can.
Direction Perpendicular(Direction axis, std::optional<Direction> hint) {
  if (hint) {
    if (auto p = Unit(*hint - Dot(*hint, axis) * axis)) return *p;
  }
  const Direction trial = std::abs(axis.x) < 0.9 ? Direction{1, 0, 0} : Direction{0, 1, 0};
  return *Unit(trial - Dot(trial, axis) * axis);
}

const double kTetrahedral = std::acos(-1.0 / 3.0);  // 109.47 degrees
constexpr double kPi = std::numbers::pi;

// `count` unit directions at `angle` from the unit `axis`, turned about it
// from `perpendicular` by firstTurn, firstTurn + step, ...
void AddCone(std::vector<Direction>& out, Direction axis, double angle, Direction perpendicular,
             uint32_t count, double firstTurn, double step) {
  const Direction other = Cross(axis, perpendicular);
  for (uint32_t k = 0; k < count; ++k) {
    const double turn = firstTurn + step * k;
    out.push_back(std::cos(angle) * axis +
                  std::sin(angle) * (std::cos(turn) * perpendicular + std::sin(turn) * other));
  }
}

}  // namespace

std::vector<Direction> NewBondDirections(std::span<const Direction> bonds, int32_t hybridization,
                                         uint32_t count, std::optional<Direction> reference) {
  std::vector<Direction> out;
  if (count == 0) return out;
  if (hybridization < 1 || hybridization > 3) hybridization = 3;
  std::vector<Direction> present;
  for (const Direction& bond : bonds)
    if (auto unit = Unit(bond)) present.push_back(*unit);
  const uint32_t room = static_cast<uint32_t>(hybridization) + 1;
  Direction sum{0, 0, 0};
  for (const Direction& bond : present) sum = sum + bond;

  if (present.empty()) {
    const Direction axis{0, 0, 1};
    out.push_back(axis);
    if (hybridization == 1) out.push_back({0, 0, -1});
    if (hybridization == 2) AddCone(out, axis, 2 * kPi / 3, {1, 0, 0}, 2, 0, kPi);
    if (hybridization == 3) AddCone(out, axis, kTetrahedral, {1, 0, 0}, 3, 0, 2 * kPi / 3);
  } else if (present.size() == 1) {
    const Direction axis = present[0];
    const Direction perpendicular = Perpendicular(axis, reference);
    if (hybridization == 1) out.push_back(-1.0 * axis);
    // Trigonal: in the plane of the neighbour's other bond, trans to it first.
    if (hybridization == 2) AddCone(out, axis, 2 * kPi / 3, perpendicular, 2, kPi, kPi);
    // Tetrahedral: staggered to the neighbour's other bond.
    if (hybridization == 3) AddCone(out, axis, kTetrahedral, perpendicular, 3, kPi, 2 * kPi / 3);
  } else if (present.size() == 2 && hybridization == 3) {
    // Two new bonds in the plane that bisects the two present ones.
    if (auto bisector = Unit(-1.0 * sum)) {
      const Direction normal = Perpendicular(*bisector, Cross(present[0], present[1]));
      const double half = kTetrahedral / 2;
      out.push_back(std::cos(half) * *bisector + std::sin(half) * normal);
      out.push_back(std::cos(half) * *bisector - std::sin(half) * normal);
    }
  }
  if (out.empty() && present.size() < room) {
    // One place left: opposite the sum of the present bonds.
    const std::optional<Direction> away = Unit(-1.0 * sum);
    out.push_back(away ? *away : Perpendicular(present[0], reference));
  }
  // More than there is room for, or collinear bonds: each further bond
  // points away from all placed so far.
  while (out.size() < count) {
    Direction total = sum;
    for (const Direction& placed : out) total = total + placed;
    std::optional<Direction> away = Unit(-1.0 * total);
    if (!away) away = Perpendicular(present.empty() ? out[0] : present[0], std::nullopt);
    out.push_back(*away);
  }
  out.resize(count);
  return out;
}

}  // namespace tf
