#include "shaping/NonBondedPairs.h"

#include "shaping/EnergyTerms.h"
#include "shaping/PairKernel.h"
#include "shaping/ShapingGeometry.h"

namespace tf::shaping {

static_assert(kPairKernelMinR2 == kMinPairDistanceSquared);
static_assert(kPairKernelMaxRatio == kMaxLennardJonesRatio6);
static_assert(kPairLanes == kKernelLanes);

namespace {

size_t Padded(uint32_t count) {
  return (static_cast<size_t>(count) + kPairLanes - 1) / kPairLanes * kPairLanes;
}

}  // namespace

void NonBondedArrays::Load(const Document& document, const ForceFieldTables& tables,
                           uint32_t count) {
  count_ = count;
  const size_t padded = Padded(count);
  for (auto* column : {&x_, &y_, &z_, &halfSigma_, &rootEpsilon_, &charge_})
    column->assign(padded, 0.0f);
  for (uint32_t i = 0; i < count; ++i) {
    const Atom& atom = document.atoms[i];
    const AtomType& type = AtomTypeOf(document, tables, static_cast<int32_t>(i));
    x_[i] = atom.x;
    y_[i] = atom.y;
    z_[i] = atom.z;
    halfSigma_[i] = type.ljSigma * 0.5f;
    rootEpsilon_[i] = type.ljEpsilon > 0.0f ? SqrtF(type.ljEpsilon) : 0.0f;
    charge_[i] = atom.charge;
  }
}

NonBondedArrays::RawSums NonBondedArrays::Sum(std::span<const Vector3> positions, float halfSigma,
                                              const uint32_t* include, uint32_t begin, uint32_t end,
                                              bool lennardJones, bool coulomb, float* shares,
                                              const Stiffness* stiffness, float ownRootEpsilon,
                                              float ownCharge) const {
  PairKernelInput input{};
  input.x = x_.data();
  input.y = y_.data();
  input.z = z_.data();
  input.halfSigma = halfSigma_.data();
  input.rootEpsilon = rootEpsilon_.data();
  input.charge = charge_.data();
  input.include = include;
  input.begin = begin;
  input.end = end < count_ ? end : count_;
  input.positionCount = positions.size() < 2 ? static_cast<int>(positions.size()) : 2;
  for (int k = 0; k < input.positionCount; ++k) {
    input.px[k] = positions[k].x;
    input.py[k] = positions[k].y;
    input.pz[k] = positions[k].z;
  }
  input.ownHalfSigma = halfSigma;
  input.lennardJones = lennardJones;
  input.coulomb = coulomb;
  if (shares && stiffness) {
    input.partnerShares = shares;
    input.lennardJonesShare = 0.5f * stiffness->lennardJones * 4.0f * ownRootEpsilon;
    input.coulombShare = 0.5f * ownCharge * stiffness->coulomb;
  }
  PairKernelSums kernelSums;
  RunPairKernel(input, kernelSums);
  RawSums sums;
  for (int k = 0; k < 2; ++k) {
    sums.lennardJones[k] = kernelSums.lennardJones[k];
    sums.coulomb[k] = kernelSums.coulomb[k];
  }
  return sums;
}

void PairMask::Reset(uint32_t count) {
  const size_t padded = Padded(count);
  flags_.assign(padded, 0u);
  for (uint32_t i = 0; i < count; ++i) flags_[i] = ~0u;
}

void PairMask::Set(uint32_t atom, std::span<const int32_t> excluded, uint32_t value) {
  flags_[atom] = value;
  for (int32_t j : excluded) flags_[j] = value;
}

PairEnergies ScalePairSums(const NonBondedArrays::RawSums& sums, int position,
                           const Stiffness& stiffness, float rootEpsilon, float charge) {
  PairEnergies energies;
  energies.lennardJones = stiffness.lennardJones * 4.0f * rootEpsilon * sums.lennardJones[position];
  energies.coulomb = charge * stiffness.coulomb * sums.coulomb[position];
  return energies;
}

}  // namespace tf::shaping
