#pragma once
// The six kinds of molecular-mechanics term. Lengths in Angstrom, angles in
// radians; energies in the unit the stiffness constants of config.ini imply.
// Each term is scaled by its Stiffness constant and is finite for coincident
// or collinear atoms: a zero-length direction normalises to the zero vector
// and pair distances below kMinPairDistance count as kMinPairDistance.

#include <cstdint>

#include "base/Math.h"
#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"

namespace tf {

inline constexpr float kMinPairDistance = 1.0e-3f;
inline constexpr float kMinPairDistanceSquared = kMinPairDistance * kMinPairDistance;
// Cap on (sigma / r)^6, reached only when two atoms nearly coincide.
inline constexpr float kMaxLennardJonesRatio6 = 1.0e12f;

// One atom taken at a trial position; every other atom of a term keeps its
// stored position.
struct TrialMove {
  int32_t atom;
  Vector3 position;
};

// Position-only forms, shared by the document-based terms and the fast paths.
float DistanceEnergy(const Vector3& a, const Vector3& b, float target, float stiffness);
// Angle at `vertex` between the directions to `a` and `b`.
float AngleEnergy(const Vector3& a, const Vector3& b, const Vector3& vertex, float idealAngle,
                  float stiffness);
// Squared signed distance of `centre` from the plane through p1, p2, p3.
float OutOfPlaneEnergy(const Vector3& p1, const Vector3& p2, const Vector3& p3,
                       const Vector3& centre, float stiffness);
enum class TorsionKind { None, Sp2Sp2, Sp3Sp3 };
float TorsionEnergy(const Vector3& a, const Vector3& b, const Vector3& c, const Vector3& d,
                    TorsionKind kind, float stiffness);
float LennardJonesEnergy(const Vector3& a, const Vector3& b, float sigma, float epsilon,
                         float stiffness);
float CoulombEnergy(const Vector3& a, const Vector3& b, float chargeA, float chargeB,
                    float stiffness);

// AtomType of an atom; an index outside the table reads AtomType 0.
const AtomType& AtomTypeOf(const Document& document, const ForceFieldTables& tables, int32_t atom);
// Hybridization 0..3 of the atom's type (any other stored value counts as 0).
int32_t HybridizationOf(const Document& document, const ForceFieldTables& tables, int32_t atom);
// Pair parameters: sigma is the mean of the two sizes, epsilon the geometric
// mean of the two well depths (0 when either depth is not positive).
float PairSigma(const AtomType& a, const AtomType& b);
float PairEpsilon(const AtomType& a, const AtomType& b);
TorsionKind TorsionKindOf(const Document& document, const ForceFieldTables& tables, int32_t b,
                          int32_t c);

// Terms over atoms of the document, any of which may be the trial atom.
float DistanceTerm(const Document& document, const ForceFieldTables& tables, int32_t a, int32_t b,
                   const TrialMove* trial = nullptr);
float AngleTerm(const Document& document, const ForceFieldTables& tables, int32_t a, int32_t b,
                int32_t vertex, const TrialMove* trial = nullptr);
float OutOfPlaneTerm(const Document& document, const ForceFieldTables& tables, int32_t p1,
                     int32_t p2, int32_t p3, int32_t centre, const TrialMove* trial = nullptr);
float TorsionTerm(const Document& document, const ForceFieldTables& tables, int32_t a, int32_t b,
                  int32_t c, int32_t d, const TrialMove* trial = nullptr);
float LennardJonesTerm(const Document& document, const ForceFieldTables& tables, int32_t a,
                       int32_t b, const TrialMove* trial = nullptr);
float CoulombTerm(const Document& document, const ForceFieldTables& tables, int32_t a, int32_t b,
                  const TrialMove* trial = nullptr);

}  // namespace tf
