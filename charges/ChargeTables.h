#pragma once
// Built-in parameters of the sigma/pi charge model, indexed by charge class
// 0..9 (the AtomTypes at positions 1 to 10 of the parameter file). Classes
// 0-2 are terminal atoms, 3-9 skeleton atoms. Charges in elementary charges.

namespace tf {

inline constexpr int kChargeClassCount = 10;
inline constexpr int kFirstSkeletonClass = 3;

// Sigma stage: intrinsic electronegativity and the bond scale to terminal atoms.
inline constexpr double kSigmaDelta0[kChargeClassCount] = {0,    0,    0,    0.07, 0.12,
                                                           0.24, 0.30, 0.38, 0.40, 0.28};
inline constexpr double kTerminalBondScale[kChargeClassCount] = {0,   0,   0,   2.0, 2.0,
                                                                 0.9, 1.2, 0.9, 0.9, 0};
// Pi stage: Coulomb integral and electrons brought into the pi system.
inline constexpr double kPiAlpha[kChargeClassCount] = {0, 0, -0.2, 0, 0, 1.8, 1.6, 0.4, 2.0, 0.7};
inline constexpr int kPiElectrons[kChargeClassCount] = {0, 0, 1, 1, 1, 2, 2, 1, 2, 1};

// Symmetric pair tables; unlisted pairs are 0.
inline constexpr double kSkeletonBondScale[kChargeClassCount][kChargeClassCount] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 2.0, 2.0, 2.0, 2.0, 0, 1.9, 0},
    {0, 0, 0, 2.0, 2.0, 2.0, 1.4, 1.4, 1.8, 1.4},
    {0, 0, 0, 2.0, 2.0, 0, 0, 0, 0, 0},
    {0, 0, 0, 2.0, 1.4, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 1.4, 0, 0, 2.0, 0, 0},
    {0, 0, 0, 1.9, 1.8, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 1.4, 0, 0, 0, 0, 0},
};
inline constexpr double kPiBeta[kChargeClassCount][kChargeClassCount] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 2.0, 0, 0, 0, 0, 0, 0},
    {0, 0, 2.0, 1.0, 1.0, 0.7, 0.7, 0, 0.7, 0},
    {0, 0, 0, 1.0, 1.0, 0.8, 0.8, 1.0, 0.7, 2.0},
    {0, 0, 0, 0.7, 0.8, 0, 0, 0, 0, 0},
    {0, 0, 0, 0.7, 0.8, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 1.0, 0, 0, 1.0, 0, 0},
    {0, 0, 0, 0.7, 0.7, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 2.0, 0, 0, 0, 0, 0},
};

inline constexpr double kNeighbourInduction = 0.1;
inline constexpr double kTerminalInduction = 0.12;
inline constexpr double kTerminalPolarity = 0.6;
inline constexpr int kGroupSize = 3;  // terminal atoms that make a group pseudo-atom
inline constexpr double kJacobiTolerance = 1e-10;

}  // namespace tf
