#include "shaping/EnergyTerms.h"

#include "shaping/ShapingGeometry.h"

namespace tf {

using shaping::ClampedAcos;
using shaping::CosF;
using shaping::Cross;
using shaping::Dot;
using shaping::Length;
using shaping::Normalize;
using shaping::SqrtF;
using shaping::Sub;

namespace {

Vector3 PositionOf(const Document& document, int32_t atom, const TrialMove* trial) {
  if (trial && trial->atom == atom) return trial->position;
  const Atom& record = document.atoms[atom];
  return {record.x, record.y, record.z};
}

// Clamped squared distance, shared with the vectorised pair sums.
float PairDistanceSquared(const Vector3& a, const Vector3& b) {
  const Vector3 d = Sub(a, b);
  const float r2 = Dot(d, d);
  return r2 >= kMinPairDistanceSquared ? r2 : kMinPairDistanceSquared;
}

}  // namespace

float DistanceEnergy(const Vector3& a, const Vector3& b, float target, float stiffness) {
  const float stretch = Length(Sub(a, b)) - target;
  return stiffness * (stretch * stretch);
}

float AngleEnergy(const Vector3& a, const Vector3& b, const Vector3& vertex, float idealAngle,
                  float stiffness) {
  const Vector3 u = Normalize(Sub(a, vertex));
  const Vector3 w = Normalize(Sub(b, vertex));
  const float bend = ClampedAcos(Dot(u, w)) - idealAngle;
  return stiffness * (bend * bend);
}

float OutOfPlaneEnergy(const Vector3& p1, const Vector3& p2, const Vector3& p3,
                       const Vector3& centre, float stiffness) {
  const Vector3 normal = Normalize(Cross(Sub(p2, p1), Sub(p3, p1)));
  const float height = Dot(normal, Sub(centre, p1));
  return stiffness * (height * height);
}

float TorsionEnergy(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d,
                    TorsionKind kind, float stiffness) {
  if (kind == TorsionKind::None) return 0.0f;
  const Vector3 axis = Sub(c, b);
  const Vector3 p = Normalize(Cross(Sub(b, a), axis));
  const Vector3 q = Normalize(Cross(axis, Sub(d, c)));
  const float phi = ClampedAcos(Dot(p, q));
  if (kind == TorsionKind::Sp2Sp2) return stiffness * (1.0f - CosF(2.0f * phi));
  return stiffness * (1.0f + CosF(3.0f * phi));
}

float LennardJonesEnergy(const Vector3& a, const Vector3& b, float sigma, float epsilon,
                         float stiffness) {
  const float r = SqrtF(PairDistanceSquared(a, b));
  const float s = sigma / r;
  const float s2 = s * s;
  const float s4 = s2 * s2;
  float t = s2 * s4;
  if (t > kMaxLennardJonesRatio6) t = kMaxLennardJonesRatio6;
  return stiffness * 4.0f * epsilon * (t * t - t);
}

float CoulombEnergy(const Vector3& a, const Vector3& b, float chargeA, float chargeB,
                    float stiffness) {
  const float r = SqrtF(PairDistanceSquared(a, b));
  return chargeA * stiffness * chargeB / r;
}

const AtomType& AtomTypeOf(const Document& document, const ForceFieldTables& tables, int32_t atom) {
  const int32_t type = document.atoms[atom].atomType;
  return tables.atomTypes[type >= 0 && type < kMaxAtomTypes ? type : 0];
}

int32_t HybridizationOf(const Document& document, const ForceFieldTables& tables, int32_t atom) {
  const int32_t hybridization = AtomTypeOf(document, tables, atom).hybridization;
  return hybridization >= 0 && hybridization <= 3 ? hybridization : 0;
}

float PairSigma(const AtomType& a, const AtomType& b) {
  return (a.ljSigma + b.ljSigma) * 0.5f;
}

float PairEpsilon(const AtomType& a, const AtomType& b) {
  if (!(a.ljEpsilon > 0.0f) || !(b.ljEpsilon > 0.0f)) return 0.0f;
  return SqrtF(a.ljEpsilon * b.ljEpsilon);
}

TorsionKind TorsionKindOf(const Document& document, const ForceFieldTables& tables, int32_t b,
                          int32_t c) {
  const int32_t hb = HybridizationOf(document, tables, b);
  if (hb != HybridizationOf(document, tables, c)) return TorsionKind::None;
  if (hb == 2) return TorsionKind::Sp2Sp2;
  if (hb == 3) return TorsionKind::Sp3Sp3;
  return TorsionKind::None;
}

float DistanceTerm(const Document& document, const ForceFieldTables& tables, int32_t a, int32_t b,
                   const TrialMove* trial) {
  const int32_t ta = document.atoms[a].atomType;
  const int32_t tb = document.atoms[b].atomType;
  const bool known = ta >= 0 && ta < kMaxAtomTypes && tb >= 0 && tb < kMaxAtomTypes;
  const float target = known ? tables.equilibriumDistance[ta][tb] : 0.0f;
  return DistanceEnergy(PositionOf(document, a, trial), PositionOf(document, b, trial), target,
                        tables.stiffness.distances);
}

float AngleTerm(const Document& document, const ForceFieldTables& tables, int32_t a, int32_t b,
                int32_t vertex, const TrialMove* trial) {
  return AngleEnergy(PositionOf(document, a, trial), PositionOf(document, b, trial),
                     PositionOf(document, vertex, trial),
                     tables.idealAngle[HybridizationOf(document, tables, vertex)],
                     tables.stiffness.angles);
}

float OutOfPlaneTerm(const Document& document, const ForceFieldTables& tables, int32_t p1,
                     int32_t p2, int32_t p3, int32_t centre, const TrialMove* trial) {
  return OutOfPlaneEnergy(PositionOf(document, p1, trial), PositionOf(document, p2, trial),
                          PositionOf(document, p3, trial), PositionOf(document, centre, trial),
                          tables.stiffness.outOfPlane);
}

float TorsionTerm(const Document& document, const ForceFieldTables& tables, int32_t a, int32_t b,
                  int32_t c, int32_t d, const TrialMove* trial) {
  const TorsionKind kind = TorsionKindOf(document, tables, b, c);
  const Stiffness& k = tables.stiffness;
  const float stiffness = kind == TorsionKind::Sp2Sp2 ? k.torsionsSp2Sp2 : k.torsionsSp3Sp3;
  return TorsionEnergy(PositionOf(document, a, trial), PositionOf(document, b, trial),
                       PositionOf(document, c, trial), PositionOf(document, d, trial), kind,
                       stiffness);
}

float LennardJonesTerm(const Document& document, const ForceFieldTables& tables, int32_t a,
                       int32_t b, const TrialMove* trial) {
  const AtomType& ta = AtomTypeOf(document, tables, a);
  const AtomType& tb = AtomTypeOf(document, tables, b);
  return LennardJonesEnergy(PositionOf(document, a, trial), PositionOf(document, b, trial),
                            PairSigma(ta, tb), PairEpsilon(ta, tb), tables.stiffness.lennardJones);
}

float CoulombTerm(const Document& document, const ForceFieldTables& tables, int32_t a, int32_t b,
                  const TrialMove* trial) {
  return CoulombEnergy(PositionOf(document, a, trial), PositionOf(document, b, trial),
                       document.atoms[a].charge, document.atoms[b].charge,
                       tables.stiffness.coulomb);
}

}  // namespace tf
