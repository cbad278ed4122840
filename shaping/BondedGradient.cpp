#include "shaping/BondedGradient.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/VectorDouble.h"
#include "shaping/EnergyTerms.h"
#include "shaping/ShapingRun.h"

namespace tf::shaping {

namespace {

constexpr double kRightAngle = std::numbers::pi / 2.0;

void BuildDistances(const Document& document, const ForceFieldTables& tables,
                    const BondTopology& topology, BondedTerms& out) {
  for (const Bond& bond : topology.UsableBonds()) {
    const int32_t ta = document.atoms[bond.atom1].atomType;
    const int32_t tb = document.atoms[bond.atom2].atomType;
    const bool known = ta >= 0 && ta < kMaxAtomTypes && tb >= 0 && tb < kMaxAtomTypes;
    out.distances.push_back({bond.atom1, bond.atom2,
                             known ? tables.equilibriumDistance[ta][tb] : 0.0,
                             tables.stiffness.distances});
  }
}

void BuildTorsions(const Document& document, const ForceFieldTables& tables,
                   const BondTopology& topology, BondedTerms& out) {
  const Stiffness& k = tables.stiffness;
  for (const Bond& bond : topology.UsableBonds()) {
    const int32_t b = bond.atom1;
    const int32_t c = bond.atom2;
    const TorsionKind kind = TorsionKindOf(document, tables, b, c);
    if (kind == TorsionKind::None) continue;
    const bool sp2 = kind == TorsionKind::Sp2Sp2;
    for (int32_t a : topology.Neighbours(b)) {
      if (a == c) continue;
      for (int32_t d : topology.Neighbours(c))
        if (d != b)
          out.torsions.push_back({a, b, c, d, sp2, sp2 ? k.torsionsSp2Sp2 : k.torsionsSp3Sp3});
    }
  }
}

void BuildAtomCentred(const Document& document, const ForceFieldTables& tables,
                      const BondTopology& topology, uint32_t terms, BondedTerms& out) {
  for (uint32_t atom = 0; atom < topology.AtomCount(); ++atom) {
    const int32_t i = static_cast<int32_t>(atom);
    const auto around = topology.Neighbours(atom);
    if (terms & kTermAngles) {
      const double ideal = tables.idealAngle[HybridizationOf(document, tables, i)];
      for (size_t x = 0; x < around.size(); ++x)
        for (size_t y = x + 1; y < around.size(); ++y)
          out.angles.push_back({around[x], around[y], i, ideal, tables.stiffness.angles});
    }
    if ((terms & kTermOutOfPlane) && HybridizationOf(document, tables, i) == 2 &&
        around.size() == 3)
      out.outOfPlane.push_back({around[0], around[1], around[2], i, tables.stiffness.outOfPlane});
  }
}

D3 At(std::span<const double> positions, int32_t atom) {
  const double* p = positions.data() + 3 * static_cast<size_t>(atom);
  return {p[0], p[1], p[2]};
}

// Accumulates each term's gradient when the caller asked for it.
struct Sink {
  std::span<double> gradient;

  void Force(int32_t atom, const D3& g) const {
    if (gradient.empty()) return;
    double* p = gradient.data() + 3 * static_cast<size_t>(atom);
    p[0] += g.x;
    p[1] += g.y;
    p[2] += g.z;
  }
};

double Distance(const DistanceItem& t, std::span<const double> x, const Sink& sink) {
  const D3 d = At(x, t.a) - At(x, t.b);
  const double r = Length(d);
  const double stretch = r - t.target;
  const double energy = t.stiffness * stretch * stretch;
  if (r > 0.0) {
    const D3 g = (2.0 * t.stiffness * stretch / r) * d;
    sink.Force(t.a, g);
    sink.Force(t.b, -1.0 * g);
  }
  return energy;
}

double Angle(const AngleItem& t, std::span<const double> x, const Sink& sink) {
  const D3 v = At(x, t.vertex);
  const D3 u = At(x, t.a) - v;
  const D3 w = At(x, t.b) - v;
  const double lu = Length(u), lw = Length(w);
  double theta = kRightAngle;  // a zero-length arm has no direction
  if (lu > 0.0 && lw > 0.0) {
    const double cosine = std::clamp(Dot(u, w) / (lu * lw), -1.0, 1.0);
    theta = std::acos(cosine);
    const double sine = std::sqrt(1.0 - cosine * cosine);
    if (sine > 1e-12) {
      const double dEdTheta = 2.0 * t.stiffness * (theta - t.ideal);
      const double scale = -dEdTheta / sine;
      const D3 ga = (scale / lu) * ((1.0 / lw) * w - (cosine / lu) * u);
      const D3 gb = (scale / lw) * ((1.0 / lu) * u - (cosine / lw) * w);
      sink.Force(t.a, ga);
      sink.Force(t.b, gb);
      sink.Force(t.vertex, -1.0 * (ga + gb));
    }
  }
  const double bend = theta - t.ideal;
  const double energy = t.stiffness * bend * bend;
  return energy;
}

double OutOfPlane(const OutOfPlaneItem& t, std::span<const double> x, const Sink& sink) {
  const D3 p1 = At(x, t.p1);
  const D3 e1 = At(x, t.p2) - p1;
  const D3 e2 = At(x, t.p3) - p1;
  const D3 r = At(x, t.centre) - p1;
  const D3 m = Cross(e1, e2);
  const double lm = Length(m);
  double energy = 0.0;  // collinear plane atoms define no plane
  if (lm > 0.0) {
    const D3 normal = (1.0 / lm) * m;
    const double height = Dot(normal, r);
    energy = t.stiffness * height * height;
    const double dEdH = 2.0 * t.stiffness * height;
    const D3 q = (1.0 / lm) * (r - height * normal);  // d height / d m
    const D3 g2 = dEdH * Cross(e2, q);
    const D3 g3 = dEdH * Cross(q, e1);
    const D3 gc = dEdH * normal;
    sink.Force(t.p2, g2);
    sink.Force(t.p3, g3);
    sink.Force(t.centre, gc);
    sink.Force(t.p1, -1.0 * (g2 + g3 + gc));
  }
  return energy;
}

double Torsion(const TorsionItem& t, std::span<const double> x, const Sink& sink) {
  const D3 pa = At(x, t.a), pb = At(x, t.b), pc = At(x, t.c), pd = At(x, t.d);
  const D3 b1 = pb - pa, b2 = pc - pb, b3 = pd - pc;
  const D3 m = Cross(b1, b2), n = Cross(b2, b3);
  const double mm = Dot(m, m), nn = Dot(n, n);
  const bool defined = mm > 0.0 && nn > 0.0;
  const double lb2 = Length(b2);
  // Signed, so the gradient is smooth through 0 and 180 degrees; the energy
  // depends only on its cosines and so equals that of the unsigned angle.
  const double phi = defined ? std::atan2(lb2 * Dot(b1, n), Dot(m, n)) : kRightAngle;
  const double energy =
      t.sp2 ? t.stiffness * (1.0 - std::cos(2.0 * phi)) : t.stiffness * (1.0 + std::cos(3.0 * phi));
  if (defined) {
    const double dEdPhi =
        t.sp2 ? 2.0 * t.stiffness * std::sin(2.0 * phi) : -3.0 * t.stiffness * std::sin(3.0 * phi);
    const D3 ga = (-lb2 / mm) * m;
    const D3 gd = (lb2 / nn) * n;
    const double along1 = Dot(b1, b2) / (lb2 * lb2);
    const double along3 = Dot(b3, b2) / (lb2 * lb2);
    const D3 gb = along3 * gd - (1.0 + along1) * ga;
    const D3 gc = along1 * ga - (1.0 + along3) * gd;
    sink.Force(t.a, dEdPhi * ga);
    sink.Force(t.b, dEdPhi * gb);
    sink.Force(t.c, dEdPhi * gc);
    sink.Force(t.d, dEdPhi * gd);
  }
  return energy;
}

}  // namespace

void BondedTerms::Build(const Document& document, const ForceFieldTables& tables,
                        const BondTopology& topology, uint32_t terms) {
  distances.clear();
  angles.clear();
  outOfPlane.clear();
  torsions.clear();
  if (terms & kTermDistances) BuildDistances(document, tables, topology, *this);
  if (terms & kTermTorsions) BuildTorsions(document, tables, topology, *this);
  BuildAtomCentred(document, tables, topology, terms, *this);
}

double BondedTerms::Evaluate(std::span<const double> positions, std::span<double> gradient) const {
  const Sink sink{gradient};
  double energy = 0.0;
  for (const DistanceItem& t : distances) energy += Distance(t, positions, sink);
  for (const AngleItem& t : angles) energy += Angle(t, positions, sink);
  for (const OutOfPlaneItem& t : outOfPlane) energy += OutOfPlane(t, positions, sink);
  for (const TorsionItem& t : torsions) energy += Torsion(t, positions, sink);
  return energy;
}

}  // namespace tf::shaping
