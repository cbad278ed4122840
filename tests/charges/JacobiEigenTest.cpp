// JacobiEigen on matrices with known eigen-systems, its sort, and the
// eigen-equation on random symmetric matrices.

#include "charges/JacobiEigen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace tf {
namespace {

std::vector<double> Packed(const std::vector<std::vector<double>>& full) {
  std::vector<double> packed;
  for (size_t r = 0; r < full.size(); ++r)
    for (size_t c = 0; c <= r; ++c) packed.push_back(full[r][c]);
  return packed;
}

TEST(JacobiEigen, TridiagonalMatrixWithKnownEigenSystem) {
  const auto full = std::vector<std::vector<double>>{{2, -1, 0}, {-1, 2, -1}, {0, -1, 2}};
  std::vector<double> h = Packed(full), r(9);
  JacobiEigen(h.data(), r.data(), 3);
  const double root2 = std::sqrt(2.0);
  EXPECT_NEAR(h[PackedIndex(0, 0)], 2 + root2, 1e-10);
  EXPECT_NEAR(h[PackedIndex(1, 1)], 2.0, 1e-10);
  EXPECT_NEAR(h[PackedIndex(2, 2)], 2 - root2, 1e-10);
  // Eigenvectors up to sign: (1, -sqrt2, 1)/2, (1, 0, -1)/sqrt2, (1, sqrt2, 1)/2.
  const double expected[3][3] = {
      {0.5, -root2 / 2, 0.5}, {1 / root2, 0, -1 / root2}, {0.5, root2 / 2, 0.5}};
  for (int k = 0; k < 3; ++k) {
    const double sign = r[k * 3] > 0 ? 1.0 : -1.0;
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(sign * r[k * 3 + i], expected[k][i], 1e-9) << k;
  }
}

TEST(JacobiEigen, TwoByTwoOfTheChargeModel) {
  // Skeleton class 3 and a group pseudo-atom of class 2: alpha 0 and -0.2, beta 2.
  std::vector<double> h = {0.0, 2.0, -0.2}, r(4);
  JacobiEigen(h.data(), r.data(), 2);
  const double top = (-0.2 + std::sqrt(16.04)) / 2;
  EXPECT_NEAR(h[0], top, 1e-12);
  EXPECT_NEAR(h[2], (-0.2 - std::sqrt(16.04)) / 2, 1e-12);
  EXPECT_NEAR(r[0] * r[0], 4 / (4 + top * top), 1e-10);
}

TEST(JacobiEigen, SortMovesLargerValuesUpAndNeverSwapsEqualOnes) {
  // Diagonal (1, 3, 1, 2): no rotation; the selection sort ends with the unit
  // vectors in the order e1, e3, e2, e0.
  std::vector<double> h = Packed({{1, 0, 0, 0}, {0, 3, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 2}});
  std::vector<double> r(16);
  JacobiEigen(h.data(), r.data(), 4);
  const double values[4] = {3, 2, 1, 1};
  const int unit[4] = {1, 3, 2, 0};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(h[PackedIndex(k, k)], values[k]);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r[k * 4 + i], i == unit[k] ? 1.0 : 0.0) << k;
  }
  std::vector<double> single = {5.0}, one(1);
  JacobiEigen(single.data(), one.data(), 1);
  EXPECT_EQ(single[0], 5.0);
  EXPECT_EQ(one[0], 1.0);
}

TEST(JacobiEigen, SolvesRandomSymmetricMatrices) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> value(-2.0, 2.0);
  for (int n : {2, 5, 12, 30}) {
    std::vector<std::vector<double>> full(n, std::vector<double>(n));
    for (int i = 0; i < n; ++i)
      for (int j = 0; j <= i; ++j) full[i][j] = full[j][i] = value(random);
    std::vector<double> h = Packed(full), r(n * n);
    JacobiEigen(h.data(), r.data(), n);
    for (int k = 0; k < n; ++k) {
      const double lambda = h[PackedIndex(k, k)];
      if (k > 0) {
        EXPECT_LE(lambda, h[PackedIndex(k - 1, k - 1)]);
      }
      for (int i = 0; i < n; ++i) {
        double product = 0.0;
        for (int j = 0; j < n; ++j) product += full[i][j] * r[k * n + j];
        EXPECT_NEAR(product, lambda * r[k * n + i], 1e-8) << "n " << n << " k " << k;
      }
      for (int l = 0; l < n; ++l) {
        double dot = 0.0;
        for (int i = 0; i < n; ++i) dot += r[k * n + i] * r[l * n + i];
        EXPECT_NEAR(dot, k == l ? 1.0 : 0.0, 1e-10);
      }
    }
  }
}

}  // namespace
}  // namespace tf
