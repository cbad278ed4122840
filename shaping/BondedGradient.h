#pragma once
// The bonded terms of a molecule as flat lists with their parameters, and
// their energy and gradient in double precision.

#include <cstdint>
#include <span>
#include <vector>

#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"
#include "shaping/BondTopology.h"

namespace tf::shaping {

struct DistanceItem {
  int32_t a, b;
  double target, stiffness;
};
struct AngleItem {
  int32_t a, b, vertex;
  double ideal, stiffness;
};
struct OutOfPlaneItem {
  int32_t p1, p2, p3, centre;
  double stiffness;
};
struct TorsionItem {
  int32_t a, b, c, d;
  bool sp2;  // 1 - cos 2phi; otherwise 1 + cos 3phi
  double stiffness;
};

struct BondedTerms {
  std::vector<DistanceItem> distances;
  std::vector<AngleItem> angles;
  std::vector<OutOfPlaneItem> outOfPlane;
  std::vector<TorsionItem> torsions;

  // The terms of the kinds in `terms`, enumerated as TotalEnergy does.
  void Build(const Document& document, const ForceFieldTables& tables, const BondTopology& topology,
             uint32_t terms);
  // Energy at `positions`; adds the gradient into `gradient` when it is
  // non-empty.
  double Evaluate(std::span<const double> positions, std::span<double> gradient) const;
};

}  // namespace tf::shaping
