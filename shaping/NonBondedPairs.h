#pragma once
// Lennard-Jones and Coulomb sums of one atom against many, over
// structure-of-arrays copies of the atoms, eight partners per vector step.
// Partner j counts when its include flag is set and it lies in [begin, end);
// the caller clears the flags of excluded atoms (and of the atom itself)
// around each sum. The lane order of the sums is fixed, so every run and
// every build of the loop gives the same sums.

#include <cstdint>
#include <span>
#include <vector>

#include "base/Math.h"
#include "forcefield/ForceFieldTables.h"
#include "model/Document.h"

namespace tf::shaping {

inline constexpr uint32_t kPairLanes = 8;

class NonBondedArrays {
 public:
  // Copies positions and per-atom parameters of atoms 0 .. count-1.
  void Load(const Document& document, const ForceFieldTables& tables, uint32_t count);
  void Move(uint32_t atom, const Vector3& position) {
    x_[atom] = position.x;
    y_[atom] = position.y;
    z_[atom] = position.z;
  }
  uint32_t Count() const { return count_; }
  Vector3 Position(uint32_t atom) const { return {x_[atom], y_[atom], z_[atom]}; }
  float HalfSigma(uint32_t atom) const { return halfSigma_[atom]; }
  float RootEpsilon(uint32_t atom) const { return rootEpsilon_[atom]; }
  float Charge(uint32_t atom) const { return charge_[atom]; }

  // Raw sums for `positions` (one or two positions of an atom with the given
  // half size): lennardJones[k] = sum of rootEpsilon_j * (t^2 - t) with
  // t = (sigma / r)^6, coulomb[k] = sum of charge_j / r.
  struct RawSums {
    float lennardJones[2];
    float coulomb[2];
  };
  // With `shares` (one position): each partner's share of its pair energy,
  // scaled as ScalePairSums scales the sums and halved, added to shares[j]
  // (an array over the padded range).
  RawSums Sum(std::span<const Vector3> positions, float halfSigma, const uint32_t* include,
              uint32_t begin, uint32_t end, bool lennardJones, bool coulomb,
              float* shares = nullptr, const Stiffness* stiffness = nullptr,
              float ownRootEpsilon = 0.0f, float ownCharge = 0.0f) const;

 private:
  uint32_t count_ = 0;
  std::vector<float> x_, y_, z_, halfSigma_, rootEpsilon_, charge_;
};

// Include flags over the padded atom range: all set for atoms in use.
class PairMask {
 public:
  void Reset(uint32_t count);
  const uint32_t* Flags() const { return flags_.data(); }
  // Clears (or sets again) the flags of `atom` and of its exclusions.
  void Exclude(uint32_t atom, std::span<const int32_t> excluded) { Set(atom, excluded, 0u); }
  void Restore(uint32_t atom, std::span<const int32_t> excluded) { Set(atom, excluded, ~0u); }

 private:
  void Set(uint32_t atom, std::span<const int32_t> excluded, uint32_t value);
  std::vector<uint32_t> flags_;
};

// Scaled energies of a raw sum: the stiffness constant, 4 and the atom's own
// root well depth for Lennard-Jones; the constant and the atom's charge for
// Coulomb.
struct PairEnergies {
  float lennardJones = 0.0f;
  float coulomb = 0.0f;
};
PairEnergies ScalePairSums(const NonBondedArrays::RawSums& sums, int position,
                           const Stiffness& stiffness, float rootEpsilon, float charge);

}  // namespace tf::shaping
